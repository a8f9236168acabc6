#pragma once

#include <windows.h>

#include <string>

namespace tandrel::win {

// The full path of a loaded module, however long; empty when Windows cannot tell (GetLastError says why).
std::wstring ModulePath(HMODULE module);

}  // namespace tandrel::win
