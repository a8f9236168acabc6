#pragma once

#include "command/match_context.h"

namespace tandrel::command {

// The add-in's one command: reads the active pane's selection, takes the token there (the whole word at a
// bare caret), and selects the span to its partner, or explains in a message box why it can't. An IDE failure
// ends the command and propagates to the caller.
void MatchSelection(const MatchContext& context);

}  // namespace tandrel::command
