#pragma once

#include <windows.h>

namespace tandrel::win::host {

// The interface identifiers the served objects answer to. The VB5 and VB6 IDEs share one extensibility
// library; the Office VBA editor has other identifiers for the same objects, so a mode for it is another
// profile. The command bars are Office's in every host.
struct HostProfile {
  const wchar_t* name;
  IID vbe;
  IID events;
  IID codePane;
  IID codeModule;
  IID commandBarEvents;  // the default interface of an event source
  IID clickEvents;       // the event interface a Click sink must answer to
};

// The VB5 and VB6 IDEs.
extern const HostProfile kVisualBasicProfile;

// Office's command-bar interfaces.
extern const IID kIidCommandBars;
extern const IID kIidCommandBar;
extern const IID kIidCommandBarControls;
extern const IID kIidCommandBarControl;
extern const IID kIidCommandBarButton;

}  // namespace tandrel::win::host
