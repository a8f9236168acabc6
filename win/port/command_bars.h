#pragma once

#include <memory>

#include "ide/command_bars.h"
#include "win/port/dispatch_client.h"

namespace tandrel::win {

// The port objects over the Office command bars. Null stays null.
std::shared_ptr<ide::CommandBars> WrapCommandBars(ComPtr<IDispatch> bars,
                                                  const std::shared_ptr<DispatchSession>& session);
std::shared_ptr<ide::CommandBarControl> WrapCommandBarControl(
    ComPtr<IDispatch> control, const std::shared_ptr<DispatchSession>& session);

// The IID of Office's CommandBarButton, the face a control shows when it is a button.
extern const IID kCommandBarButtonIid;

}  // namespace tandrel::win
