#pragma once

#include <windows.h>

namespace tandrel::win {

// What regsvr32 asks of this server: its type library, its class and ProgID, and the IDE's add-in entry
// where the deliverable has one. Unregistration removes exactly what registration writes.
//
// For the machine (regsvr32, as an administrator): access denied where the machine's classes may not be
// written, rather than a registration for the user that an IDE running as administrator would not see.
HRESULT RegisterServer() noexcept;
HRESULT UnregisterServer() noexcept;
// DllInstall: "user" (regsvr32 /n /i:user, and /u /n /i:user) registers or unregisters for the current
// user alone; "addin" (regsvr32 /n /i:addin) enters the server in the current user's add-in list alone, or
// takes it out, for a server registered for the machine; any other command line is E_INVALIDARG.
HRESULT InstallServer(bool install, const wchar_t* commandLine) noexcept;

}  // namespace tandrel::win
