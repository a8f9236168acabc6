#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

#include "sim/ide.h"
#include "tests/win/host/call_stats.h"
#include "tests/win/host/host_profile.h"
#include "win/com/com_ptr.h"

namespace tandrel::win::host {

class ServedObject;

// What one Click sink answered when the host raised the event.
struct ClickOutcome {
  HRESULT result = S_OK;
  std::u16string description;  // from EXCEPINFO when the sink failed with DISP_E_EXCEPTION
  bool handled = false;
  bool cancelDefault = false;
};

// Everything the served objects share: the in-memory IDE behind them, the identity table that gives each
// of its objects exactly one COM object while that one lives, and what the host records of its clients.
struct HostState {
  HostState(const HostProfile& hostProfile, HWND window) : profile(hostProfile), mainWindow(window) {}

  sim::Ide ide;
  const HostProfile& profile;
  HWND mainWindow;
  // The real window every code pane shows in, of the class the IDEs give their code panes, and another
  // window of the IDE's, such as its Immediate window; both inside the main window.
  HWND codePaneWindow = nullptr;
  HWND otherWindow = nullptr;
  // Whether a code pane's Window gives its HWnd, as VB6's does; without it, a client must tell the pane by
  // its window's class.
  bool codePaneWindowKnown = true;
  // The key messages the two windows received, as "pane down 0xDD" or "other up 0x11".
  std::vector<std::string> keys;
  CallStats stats;
  std::vector<ClickOutcome> clicks;
  // Sinks advised on the connection points and not yet unadvised.
  std::size_t advisedSinks = 0;
  // The sinks as advised, by source and cookie: a connection point whose Unadvise fails keeps its sink, as an
  // IDE does.
  std::map<std::pair<const void*, DWORD>, ComPtr<IDispatch>> sinks;
  // Keyed by the served class and the IDE object's most-derived address.
  std::map<std::pair<std::type_index, const void*>, ServedObject*> objects;
};

}  // namespace tandrel::win::host
