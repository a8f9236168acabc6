#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sim/command_bars.h"
#include "sim/ide.h"
#include "tests/win/host/call_stats.h"
#include "tests/win/host/host_profile.h"
#include "tests/win/host/host_state.h"
#include "win/com/com_ptr.h"

namespace tandrel::win::host {

// The in-memory IDE served as real COM objects, for a client that reaches them only through IDispatch: an
// add-in DLL, or a test calling them as one would. The host owns a real top-level window, the IDE's main
// window. It must live on a thread that has entered a single-threaded apartment.
class ComHost {
 public:
  explicit ComHost(const HostProfile& profile = kVisualBasicProfile);
  ComHost(const ComHost&) = delete;
  ComHost& operator=(const ComHost&) = delete;
  ~ComHost();

  sim::Ide& Ide() { return state_->ide; }
  // The IDE's root object, with a new reference.
  ComPtr<IDispatch> Vbe();
  HWND MainWindow() const { return state_->mainWindow; }
  // The window of the code panes, and another window of the IDE's, both inside the main window.
  HWND CodePaneWindow() const { return state_->codePaneWindow; }
  HWND OtherWindow() const { return state_->otherWindow; }
  // Whether a code pane's Window gives its HWnd from now on (it does at first).
  void GiveCodePaneWindowHandle(bool given) { state_->codePaneWindowKnown = given; }
  // The key messages the two windows received since the last call, as "pane down 0xDD", "other up 0x41".
  std::vector<std::string> TakeKeys() { return std::exchange(state_->keys, {}); }
  // The bar the menu bar's Add-Ins popup opens, also where no bar goes by the name "Add-Ins".
  std::shared_ptr<sim::Bar> AddInsMenu() const;

  // Clicks `control` as the user would and returns what each advised sink answered.
  std::vector<ClickOutcome> Click(const std::shared_ptr<ide::CommandBarControl>& control);

  CallStats& Stats() { return state_->stats; }
  // How many COM objects the host has handed out and not yet got back: zero once every client let go.
  std::size_t LiveObjects() const { return state_->objects.size(); }
  // How many Click sinks are advised and not yet unadvised: zero once a client detached every handler.
  std::size_t AdvisedSinks() const { return state_->advisedSinks; }
  // The control behind a COM object the host handed out, or null for any other object.
  static std::shared_ptr<sim::Control> ControlOf(IUnknown* object);

 private:
  std::shared_ptr<HostState> state_;
};

}  // namespace tandrel::win::host
