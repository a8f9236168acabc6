// The packages' custom actions for VB5's add-in list, VBADDIN.INI in the Windows folder. The package writes
// its line there, and removes it, with the installer's own INI tables, which leave a section behind once its
// last line is gone. These two take the [Add-Ins32] section away again where the package made it.
#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kSection[] = L"Add-Ins32";
constexpr wchar_t kOwnKey[] = TANDREL_VB5_PROGID;
// Set where the section is the package's: absent before it, or holding the package's line alone (an earlier
// version's). A condition on a component of the package, so that its removal knows.
constexpr wchar_t kOwnedProperty[] = L"TANDRELOWNSADDINSSECTION";

std::wstring Property(MSIHANDLE install, const wchar_t* name) {
  DWORD size = 0;
  wchar_t none[1] = L"";
  if (MsiGetPropertyW(install, name, none, &size) != ERROR_MORE_DATA) return {};
  std::wstring value(++size, L'\0');
  if (MsiGetPropertyW(install, name, value.data(), &size) != ERROR_SUCCESS) return {};
  value.resize(size);
  return value;
}

// The text of the profile call's list of strings, each ended by a null, the last by two.
std::vector<std::wstring> Strings(const wchar_t* list) {
  std::vector<std::wstring> strings;
  for (const wchar_t* item = list; *item; item += wcslen(item) + 1) strings.emplace_back(item);
  return strings;
}

// The section's lines, or nothing where the file has no such section.
std::optional<std::vector<std::wstring>> SectionLines(const std::wstring& file) {
  std::vector<wchar_t> names(32768);
  GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()), file.c_str());
  bool found = false;
  for (const std::wstring& name : Strings(names.data()))
    found = found || _wcsicmp(name.c_str(), kSection) == 0;
  if (!found) return std::nullopt;
  std::vector<wchar_t> lines(32768);
  GetPrivateProfileSectionW(kSection, lines.data(), static_cast<DWORD>(lines.size()), file.c_str());
  return Strings(lines.data());
}

bool IsOwnLine(const std::wstring& line) {
  const std::size_t length = wcslen(kOwnKey);
  return line.size() > length && line[length] == L'=' && _wcsnicmp(line.c_str(), kOwnKey, length) == 0;
}

// Whether the file holds nothing but blanks.
bool IsBlank(const std::wstring& file) {
  const HANDLE handle =
      CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  char buffer[512];
  DWORD read = 0;
  bool blank = true;
  while (blank && ReadFile(handle, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    for (DWORD i = 0; i < read && blank; ++i)
      blank = buffer[i] == ' ' || buffer[i] == '\t' || buffer[i] == '\r' || buffer[i] == '\n';
  }
  CloseHandle(handle);
  return blank;
}

}  // namespace

// Immediate, before the installer decides which components to install: tells whether the section is the
// package's. `WindowsFolder` is where the installer's INI tables write.
extern "C" UINT __stdcall FindAddinsSection(MSIHANDLE install) {
  const std::optional<std::vector<std::wstring>> lines =
      SectionLines(Property(install, L"WindowsFolder") + L"VBADDIN.INI");
  bool owned = true;
  if (lines) {
    for (const std::wstring& line : *lines) owned = owned && IsOwnLine(line);
  }
  if (owned) MsiSetPropertyW(install, kOwnedProperty, L"1");
  return ERROR_SUCCESS;
}

// Deferred, after the package's line is removed, where the package made the section: the section goes if it
// is empty, and the file if nothing is left in it. The file's path is the action's data. A failure here
// never stops the removal.
extern "C" UINT __stdcall RemoveEmptyAddinsSection(MSIHANDLE install) {
  const std::wstring file = Property(install, L"CustomActionData");
  if (file.empty()) return ERROR_SUCCESS;
  const std::optional<std::vector<std::wstring>> lines = SectionLines(file);
  if (!lines || !lines->empty()) return ERROR_SUCCESS;
  WritePrivateProfileStringW(kSection, nullptr, nullptr, file.c_str());
  if (IsBlank(file)) DeleteFileW(file.c_str());
  return ERROR_SUCCESS;
}
