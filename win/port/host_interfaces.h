#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>

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

}  // namespace tandrel::win
