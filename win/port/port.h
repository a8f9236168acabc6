#pragma once

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <memory>
#include <string>

#include "ide/events.h"
#include "ide/runtime.h"
#include "ide/vbe.h"
#include "win/com/com_ptr.h"

namespace tandrel::win {

// The interface identifiers in which the hosts differ: the VB5 and VB6 IDEs share one extensibility library,
// the Office VBA editor has its own.
struct HostInterfaces {
  IID vbe;               // the root object's interface; an application object that lacks it is no IDE
  IID commandBarEvents;  // the event interface of a command-bar control's Click, implemented by the sink
};

// The VB5 and VB6 IDEs: VBE {0002E100-...}, _dispCommandBarControlEvents {0002E198-...}.
extern const HostInterfaces kVisualBasicHost;
// The Office VBA editor: VBE {0002E166-...}, _dispCommandBarControlEvents {0002E131-...}.
extern const HostInterfaces kOfficeEditorHost;

// A port object that stands for one of the IDE's COM objects.
class DispatchBacked {
 public:
  virtual ~DispatchBacked() = default;
  virtual IDispatch* Dispatch() const = 0;
};

// The COM object behind a port object made here (one new reference), or null.
template <typename PortObject>
ComPtr<IDispatch> DispatchOf(const std::shared_ptr<PortObject>& object) {
  const auto* backed = dynamic_cast<const DispatchBacked*>(object.get());
  return backed ? ComPtr<IDispatch>(backed->Dispatch()) : nullptr;
}

// The COM object of the add-in that the port's objects serve, watched without a reference (it holds them):
// a click holds it for the click's whole run. It expires when the object goes.
using AddinOwner = std::weak_ptr<IUnknown>;

// The application object an IDE hands over at connection; taking it as the IDE root asks it for `host.vbe`
// and raises "Type mismatch" when it is not one. Null stays null.
std::shared_ptr<ide::Object> WrapApplication(IDispatch* application, const HostInterfaces& host,
                                             AddinOwner owner = {});

// An event source set through one of the add-in's handler properties. Null stays null.
std::shared_ptr<ide::CommandBarEvents> WrapCommandBarEvents(IDispatch* source, const HostInterfaces& host,
                                                            AddinOwner owner = {});

// The IDE's main window (VBE.MainWindow.HWnd), the owner of the add-in's message boxes; null when the IDE
// does not say.
HWND MainWindowOf(const std::shared_ptr<ide::VBE>& vbe) noexcept;

// The run-time services over Win32: message boxes owned by `owner()`, the wait and arrow cursors, one pass of
// the thread's message loop, and the version information of `module`'s own VERSIONINFO resource.
std::unique_ptr<ide::Runtime> MakeWin32Runtime(HMODULE module, std::u16string productTitle,
                                               std::function<HWND()> owner);

}  // namespace tandrel::win
