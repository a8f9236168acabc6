// The order of what the match command does where the user can see it: the pointer, the one yield, the
// selection and the boxes.
#include <gtest/gtest.h>

#include "tests/command/match_table.h"

namespace tandrel::testing {
namespace {

TEST(MatchOrder, BoxesComeAfterThePointerIsBackAndTheStringLengthAfterTheSelection) {
  struct OrderRow {
    std::vector<std::string> lines;
    std::string selection;
    std::vector<std::string> actions;
  };
  const std::vector<std::string> search = {"Pointer 11", "DoEvents"};
  auto then = [&search](std::vector<std::string> rest) {
    std::vector<std::string> all = search;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
  };
  const std::vector<OrderRow> rows = {
      {{"x = 1"}, "1:1", {"MsgBox 64"}},
      {{"Do", "Loop"}, "1:1", then({"Pointer 0", "SetSelection 1:1-2:5"})},
      {{"Do", "Loop"}, "2:1", then({"Pointer 0", "SetSelection 2:5-1:1"})},
      {{"Do", "x = 1"}, "1:1", then({"Pointer 0", "MsgBox 48"})},
      {{"Loop"}, "1:1", then({"Pointer 0", "MsgBox 48"})},
      // The search resets the pointer before its own box, and the command again before the not-found box.
      {{"End While", "Wend"}, "2:1", then({"Pointer 0", "MsgBox 16", "Pointer 0", "MsgBox 48"})},
      {{"s = \"abc\""}, "1:5", then({"Pointer 0", "SetSelection 1:5-1:10", "MsgBox 0"})},
      {{"s = \"a\"\"b\" & c"}, "1:5", then({"Pointer 0", "SetSelection 1:5-1:11", "MsgBox 0"})},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(RunMatch(row.lines, row.selection).actions, row.actions)
        << Describe({row.lines, row.selection, ""});
  }
}

}  // namespace
}  // namespace tandrel::testing
