#pragma once

#include <windows.h>

#include <string>

#include "tests/win/deliverables.h"
#include "win/com/com_ptr.h"

namespace tandrel::win::testing {

// Runs regsvr32 /s (with /u to unregister, with /n /i:user for the current user alone) on `dll` and returns
// its exit code.
DWORD Regsvr32(const std::wstring& dll, bool unregister, bool forUser = false);

// A new Connect object of `deliverable`, created by its ProgID as the IDE creates it; the HRESULT on failure.
HRESULT CreateConnect(const Deliverable& deliverable, ComPtr<IUnknown>& connect);

// Connects and disconnects through the add-in interface the deliverable's IDE calls.
HRESULT ConnectAddin(const Deliverable& deliverable, IUnknown* connect, IDispatch* vbe);
HRESULT DisconnectAddin(const Deliverable& deliverable, IUnknown* connect);

// What the loaded DLL's DllCanUnloadNow answers (E_FAIL when it is not loaded).
HRESULT CanUnloadNow(const std::wstring& dll);

}  // namespace tandrel::win::testing
