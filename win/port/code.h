#pragma once

#include <memory>

#include "ide/code.h"
#include "win/port/dispatch_client.h"

namespace tandrel::win {

// The port object over a code pane. Null stays null.
std::shared_ptr<ide::CodePane> WrapCodePane(ComPtr<IDispatch> pane,
                                            const std::shared_ptr<DispatchSession>& session);

}  // namespace tandrel::win
