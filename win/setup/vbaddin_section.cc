// The packages' custom actions for VB5's add-in list, VBADDIN.INI in the Windows folder. The package writes
// its line there, and removes it, with the installer's own INI tables, which leave a section behind once its
// last line is gone. These two take the [Add-Ins32] section away again where the package made it.
//
// The DLL travels inside each package, uncompressed: it uses the system's functions alone, no C++ library.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

namespace {

constexpr wchar_t kSection[] = L"Add-Ins32";
constexpr wchar_t kOwnKey[] = TANDREL_VB5_PROGID;
// Set where the section is the package's: absent before it, or holding the package's line alone (an earlier
// version's). A condition on a component of the package, so that its removal knows.
constexpr wchar_t kOwnedProperty[] = L"TANDRELOWNSADDINSSECTION";

// What the profile functions read: a list of strings, each ended by a null, the last by two.
wchar_t list[32768];
wchar_t path[MAX_PATH + 16];

// The property's value in `path`; false where it is empty or does not fit.
bool ReadPath(MSIHANDLE install, const wchar_t* name) {
  DWORD size = MAX_PATH;
  return MsiGetPropertyW(install, name, path, &size) == ERROR_SUCCESS && size > 0;
}

enum class Section { kAbsent, kEmpty, kPackagesLineAlone, kOtherLines };

Section SectionOf(const wchar_t* file) {
  bool found = false;
  GetPrivateProfileSectionNamesW(list, ARRAYSIZE(list), file);
  for (const wchar_t* name = list; *name && !found; name += lstrlenW(name) + 1) {
    found = lstrcmpiW(name, kSection) == 0;
  }
  if (!found) return Section::kAbsent;
  GetPrivateProfileSectionW(kSection, list, ARRAYSIZE(list), file);
  if (!*list) return Section::kEmpty;
  const int keyLength = lstrlenW(kOwnKey);
  for (const wchar_t* line = list; *line; line += lstrlenW(line) + 1) {
    const bool own = lstrlenW(line) > keyLength && line[keyLength] == L'=' &&
                     CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, line, keyLength, kOwnKey, keyLength) ==
                         CSTR_EQUAL;
    if (!own) return Section::kOtherLines;
  }
  return Section::kPackagesLineAlone;
}

// Whether the file holds nothing but blanks.
bool IsBlank(const wchar_t* file) {
  const HANDLE handle = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  char buffer[512];
  DWORD read = 0;
  bool blank = true;
  while (blank && ReadFile(handle, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    for (DWORD i = 0; i < read && blank; ++i) {
      blank = buffer[i] == ' ' || buffer[i] == '\t' || buffer[i] == '\r' || buffer[i] == '\n';
    }
  }
  CloseHandle(handle);
  return blank;
}

}  // namespace

// Immediate, before the installer decides which components to install: tells whether the section is the
// package's. `WindowsFolder` is where the installer's INI tables write.
extern "C" UINT __stdcall FindAddinsSection(MSIHANDLE install) {
  if (!ReadPath(install, L"WindowsFolder")) return ERROR_SUCCESS;
  lstrcatW(path, L"VBADDIN.INI");
  if (SectionOf(path) != Section::kOtherLines) MsiSetPropertyW(install, kOwnedProperty, L"1");
  return ERROR_SUCCESS;
}

// Deferred, after the package's line is removed, where the package made the section: the section goes if it
// is empty, and the file if nothing is left in it. The file's path is the action's data. A failure here
// never stops the removal.
extern "C" UINT __stdcall RemoveEmptyAddinsSection(MSIHANDLE install) {
  if (!ReadPath(install, L"CustomActionData") || SectionOf(path) != Section::kEmpty) return ERROR_SUCCESS;
  WritePrivateProfileStringW(kSection, nullptr, nullptr, path);
  if (IsBlank(path)) DeleteFileW(path);
  return ERROR_SUCCESS;
}
