#pragma once

#include <windows.h>

namespace tandrel::win {

// What regsvr32 asks of this server: its type library, its class and ProgID, and the IDE's add-in entry
// where the deliverable has one. Unregistration removes exactly what registration writes.
HRESULT RegisterServer() noexcept;
HRESULT UnregisterServer() noexcept;

}  // namespace tandrel::win
