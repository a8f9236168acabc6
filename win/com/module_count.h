#pragma once

namespace tandrel::win {

// The server's count of live COM objects (every one it hands out, the Click sinks included) and class-factory
// locks, behind DllCanUnloadNow: while the IDE holds any of them, the DLL must stay loaded.
void LockModule() noexcept;
void UnlockModule() noexcept;
bool ModuleInUse() noexcept;

}  // namespace tandrel::win
