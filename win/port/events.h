#pragma once

#include <memory>

#include "ide/events.h"
#include "win/port/dispatch_client.h"

namespace tandrel::win {

// The port objects over the IDE's events object and a control's event source. Null stays null.
std::shared_ptr<ide::Events> WrapEvents(ComPtr<IDispatch> events,
                                        const std::shared_ptr<DispatchSession>& session);
std::shared_ptr<ide::CommandBarEvents> WrapEventSource(ComPtr<IDispatch> source,
                                                       const std::shared_ptr<DispatchSession>& session);

}  // namespace tandrel::win
