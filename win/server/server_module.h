#pragma once

#include <windows.h>

#include <string>

namespace tandrel::win {

// This DLL (not the program that loaded it) and its full path.
HMODULE ThisModule() noexcept;
std::wstring ThisModulePath();

}  // namespace tandrel::win
