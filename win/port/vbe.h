#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <optional>

#include "ide/events.h"
#include "ide/vbe.h"
#include "win/port/dispatch_client.h"
#include "win/port/host_interfaces.h"

namespace tandrel::win {

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

// The window of the IDE's active code pane (VBE.ActiveCodePane.Window.HWnd): null when no pane is active,
// nothing when the IDE does not say (an IDE whose Window object has no HWnd to give).
std::optional<HWND> ActiveCodePaneWindowOf(const std::shared_ptr<ide::VBE>& vbe) noexcept;

// The session of the IDE's objects, through which the add-in object is kept alive while a command runs; null
// for a root that was not made here.
std::shared_ptr<DispatchSession> SessionOf(const std::shared_ptr<ide::VBE>& vbe) noexcept;

}  // namespace tandrel::win
