#pragma once

#include <string>
#include <vector>

#include "sim/record.h"

namespace tandrel::testing {

// An action of the IDE's record as one short line, so that a table row can state a whole sequence:
// "MsgBox 48" (its style tells which box), "Pointer 11", "DoEvents", "SetSelection 2:5-1:1" (as passed),
// "Add Edit 12", "Caption Edit 12 = Tdl", "Delete Edit 12".
std::string Brief(const sim::Action& action);
std::vector<std::string> Briefs(const std::vector<sim::Action>& actions);

}  // namespace tandrel::testing
