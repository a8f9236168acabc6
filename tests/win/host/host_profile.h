#pragma once

#include <windows.h>

#include <span>
#include <string_view>

namespace tandrel::win::host {

// A bar the host does not have under its name: its lookup gives Nothing, or raises an error. Which of the
// two an editor does is not known, so the profiles show both.
struct MissingBar {
  std::u16string_view name;
  bool lookupRaises;
};

// The interface identifiers the served objects answer to, and the bars the host lacks. The VB5 and VB6 IDEs
// share one extensibility library; the Office VBA editor has other identifiers for the same objects and
// reaches its Add-Ins menu only through the menu bar's popup. The command bars are Office's in every host.
struct HostProfile {
  const wchar_t* name;
  IID vbe;
  IID events;
  IID codePane;
  IID codeModule;
  IID commandBarEvents;  // the default interface of an event source
  IID clickEvents;       // the event interface a Click sink must answer to
  std::span<const MissingBar> missingBars;
};

// The VB5 and VB6 IDEs.
extern const HostProfile kVisualBasicProfile;
// The Office VBA editor: no bar named "Add-Ins".
extern const HostProfile kOfficeEditorProfile;
// The Office VBA editor in a language whose "Edit" bar has another name.
extern const HostProfile kLocalizedOfficeEditorProfile;

// Office's command-bar interfaces.
extern const IID kIidCommandBars;
extern const IID kIidCommandBar;
extern const IID kIidCommandBarControls;
extern const IID kIidCommandBarControl;
extern const IID kIidCommandBarButton;
extern const IID kIidCommandBarPopup;

}  // namespace tandrel::win::host
