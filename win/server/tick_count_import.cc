// GetTickCount64 for the 32-bit DLLs, which Windows XP's kernel32 lacks.
//
// The posix thread model's run-time (winpthreads, linked in statically) imports GetTickCount64 for its timed
// waits, and a DLL that imports a function the system does not export fails to load. Defining the import's
// own slot here keeps the linker from importing it: the slot leads to the system's function where it has one
// (Windows Vista and later) and to a count kept from GetTickCount where it has not.
#include <windows.h>

namespace {

ULONGLONG WINAPI TickCountFromGetTickCount() {
  // GetTickCount wraps after 49.7 days; every wrap seen adds 2^32. The waits that ask run far more often.
  static DWORD last = 0;
  static ULONGLONG wraps = 0;
  const DWORD now = GetTickCount();
  if (now < last) wraps += 0x100000000ULL;
  last = now;
  return wraps + now;
}

ULONGLONG WINAPI FirstTickCount64();

using TickCount64 = ULONGLONG(WINAPI*)();

}  // namespace

// The import slot winpthreads calls through (`__imp__GetTickCount64@0`), filled on its first call.
extern "C" TickCount64 tickCount64Slot __asm__("__imp__GetTickCount64@0");
TickCount64 tickCount64Slot = FirstTickCount64;

namespace {

ULONGLONG WINAPI FirstTickCount64() {
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto system =
      kernel
          ? reinterpret_cast<TickCount64>(reinterpret_cast<void*>(GetProcAddress(kernel, "GetTickCount64")))
          : nullptr;
  tickCount64Slot = system ? system : TickCountFromGetTickCount;
  return tickCount64Slot();
}

}  // namespace
