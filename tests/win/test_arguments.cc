#include "tests/win/test_arguments.h"

#include <windows.h>

#include <cstdio>
#include <map>

namespace tandrel::win::testing {
namespace {

std::map<std::string, std::wstring>& Paths() {
  static std::map<std::string, std::wstring> paths;
  return paths;
}

bool& InstalledFlag() {
  static bool installed = false;
  return installed;
}

std::wstring WindowsPath(const std::string& path) {
  std::wstring windows = path.starts_with("/") ? L"Z:" : L"";
  for (char c : path) windows += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return windows;
}

}  // namespace

bool SetDllPaths(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--installed") InstalledFlag() = true;
    if (argument.starts_with("--load=") && !LoadLibraryW(WindowsPath(argument.substr(7)).c_str())) {
      std::fprintf(stderr, "%s could not be loaded\n", argument.c_str() + 7);
      return false;
    }
    if (auto equals = argument.find('='); equals != std::string::npos && !argument.starts_with("-")) {
      Paths()[argument.substr(0, equals)] = WindowsPath(argument.substr(equals + 1));
    }
  }
  return true;
}

bool Installed() { return InstalledFlag(); }

std::wstring DllPath(const std::string& name) {
  auto path = Paths().find(name);
  return path == Paths().end() ? std::wstring() : path->second;
}

}  // namespace tandrel::win::testing
