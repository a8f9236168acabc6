#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ide/runtime.h"

namespace tandrel::win {

// The run-time services over Win32: message boxes owned by `owner()`, the wait and arrow cursors, one pass of
// the thread's message loop, and the version information of `module`'s own VERSIONINFO resource.
std::unique_ptr<ide::Runtime> MakeWin32Runtime(HMODULE module, std::u16string productTitle,
                                               std::function<HWND()> owner);

}  // namespace tandrel::win
