// What Windows does for Active Setup when a user logs on, for the components named: each one installed
// (IsInstalled not 0) whose version the user's record lacks or names older has its StubPath run, waited for,
// and recorded. Prints "ran NAME" for each one it ran. Wine has no Active Setup of its own.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kComponents[] = L"Software\\Microsoft\\Active Setup\\Installed Components\\";

std::wstring ReadText(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t text[4096];
  DWORD size = sizeof text;
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return {};
  return text;
}

// "2,0,12" as numbers, compared part by part; missing parts are 0.
std::vector<unsigned long> VersionParts(const std::wstring& text) {
  std::vector<unsigned long> parts;
  for (std::size_t start = 0; start <= text.size() && parts.size() < 4;) {
    const std::size_t comma = text.find(L',', start);
    parts.push_back(std::wcstoul(text.substr(start, comma - start).c_str(), nullptr, 10));
    if (comma == std::wstring::npos) break;
    start = comma + 1;
  }
  parts.resize(4);
  return parts;
}

bool RunAndWait(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::wstring key = kComponents + std::wstring(argv[i]);
    DWORD installed = 1, size = sizeof installed;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"IsInstalled", RRF_RT_REG_DWORD, nullptr, &installed,
                     &size) == ERROR_SUCCESS &&
        installed == 0) {
      continue;
    }
    const std::wstring stubPath = ReadText(HKEY_LOCAL_MACHINE, key, L"StubPath");
    const std::wstring version = ReadText(HKEY_LOCAL_MACHINE, key, L"Version");
    if (stubPath.empty()) continue;
    const std::wstring recorded = ReadText(HKEY_CURRENT_USER, key, L"Version");
    if (!recorded.empty() && VersionParts(recorded) >= VersionParts(version)) continue;
    if (!RunAndWait(stubPath)) {
      std::fprintf(stderr, "cannot run %ls\n", stubPath.c_str());
      return 1;
    }
    std::printf("ran %ls\n", argv[i]);
    if (RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Version", REG_SZ, version.c_str(),
                        static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS) {
      std::fprintf(stderr, "cannot record %ls\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
