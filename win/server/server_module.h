#pragma once

#include <windows.h>

#include <string>

namespace tandrel::win {

// The server's count of live objects and class-factory locks, behind DllCanUnloadNow.
void LockModule() noexcept;
void UnlockModule() noexcept;
bool ModuleInUse() noexcept;

// This DLL (not the program that loaded it) and its full path.
HMODULE ThisModule() noexcept;
std::wstring ThisModulePath();

}  // namespace tandrel::win
