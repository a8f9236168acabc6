#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/match_run.h"

namespace tandrel::testing {

// One run of the match command: the module, the caret ("L:C") or selection ("L1:C1-L2:C2"), the selection
// the command makes ("none" when it makes none) and every message box it shows.
struct MatchRow {
  std::vector<std::string> lines;
  std::string selection;
  std::string expected;
  std::vector<std::string> messages = {};
};

inline std::string Describe(const MatchRow& row) {
  std::string text = "at " + row.selection + " in";
  for (std::size_t i = 0; i < row.lines.size(); ++i) {
    text += "\n  " + std::to_string(i + 1) + ": <" +
            (row.lines[i].size() > 80 ? row.lines[i].substr(0, 80) + "..." : row.lines[i]) + ">";
  }
  return text;
}

inline void ExpectRows(const std::vector<MatchRow>& rows) {
  for (const auto& row : rows) {
    const MatchOutcome outcome = RunMatch(row.lines, row.selection);
    EXPECT_EQ(outcome.selection, row.expected) << Describe(row);
    EXPECT_EQ(outcome.messages, row.messages) << Describe(row);
  }
}

// The boxes as RunMatch shows them: the add-in's title is "About", the product title "Tandrel".
inline std::string Usage(const std::string& token = "") {
  return "64|About|" + (token.empty() ? "" : "Can't match '" + token + "'!\n\n") +
         "Select or right-click on:\n- language keyword such as IF, DO, FOR etc,\n"
         "- parenthesis or opening quotation mark.\n Then select Tandrel from right-click menu.\n\n"
         "Comments and bugs to bugs@example";
}

inline std::string NotFound(const std::string& partner, const std::string& token, bool forward) {
  return "48|About|Match '" + partner + "' for '" + token + "' not found searching " +
         (forward ? "forward." : "backward.") + "\n\nComments and bugs to bugs@example";
}

inline std::string StringLength(long long length) {
  return "0|Tandrel|String length: " + std::to_string(length);
}

inline const std::string kSearchError = "16|About|Search error. Probably a bug. Report to bugs@example";

}  // namespace tandrel::testing
