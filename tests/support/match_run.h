#pragma once

#include <string>
#include <vector>

#include "command/match_rules.h"
#include "sim/ide.h"
#include "sim/runtime.h"

namespace tandrel::testing {

// One run of the match command in a fresh in-memory IDE, told as compact text so that a table row can state
// its whole expectation.
struct MatchOutcome {
  std::string selection;              // "2:5-5:11" as passed to SetSelection, or "none"
  std::vector<std::string> messages;  // each box as "<style>|<title>|<prompt>", CR LF shown as "\n"
  std::vector<int> pointers;
  int yields = 0;
  int linesCalls = 0;
  std::vector<std::string> actions;  // everything done to the IDE and the run-time, in order (see Brief)
};

// `lines` are the module's lines; `selection` is "L:C" for a bare caret or "L1:C1-L2:C2" for a selection.
MatchOutcome RunMatch(const std::vector<std::string>& lines, const std::string& selection,
                      const command::MatchRules& rules = command::kStandardRules);

// UTF-8 test text to the IDE's 16-bit text and back (the tests use ASCII).
std::u16string U16(const std::string& text);
std::string U8(const std::u16string& text);

}  // namespace tandrel::testing
