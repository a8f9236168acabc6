// What the match command reads as the token, and the boxes it shows when it matches nothing.
#include <gtest/gtest.h>

#include "tests/command/match_table.h"

namespace tandrel::testing {
namespace {

TEST(MatchMessages, UsageNamesTheTokenItCannotMatch) {
  ExpectRows({
      {{"x = 1"}, "1:1", "none", {Usage("x")}},
      {{"f(a)"}, "1:3", "none", {Usage("f(a)")}},
      {{"x = 1 ' Begin"}, "1:10", "none", {Usage("Begin")}},
      {{"if a then"}, "1:1", "none", {Usage("if")}},
      {{"x = End"}, "1:5", "none", {Usage("End")}},
      // A caret on the space between "End" and its word.
      {{"End If"}, "1:4", "none", {Usage("End ")}},
      // A selection of several characters gets no second try at the word around it.
      {{"xy = 1"}, "1:1-1:3", "none", {Usage("xy")}},
      {{"If a Then"}, "1:1-1:4", "none", {Usage("If ")}},
      {{"Select Case x"}, "1:2-1:4", "none", {Usage("el")}},
      // A selected "End" with no word after it completes to the whole trimmed line.
      {{"x = End"}, "1:5-1:8", "none", {Usage("x = End")}},
  });
}

TEST(MatchMessages, UsageWithoutPrefixWhenThereIsNoToken) {
  ExpectRows({
      {{""}, "1:1", "none", {Usage()}},
      {{}, "1:1", "none", {Usage()}},
      {{"    If a Then"}, "1:2", "none", {Usage()}},
      // A line outside the module, which no real pane holds; that Lines gives nothing there is the in-memory
      // IDE's choice.
      {{"Do", "Loop"}, "5:1", "none", {Usage()}},
      // Across lines only the columns count: equal columns select nothing.
      {{"If a Then", "End If"}, "1:1-2:1", "none", {Usage()}},
  });
}

TEST(MatchMessages, SelectionAcrossLinesTakesItsLengthFromTheColumns) {
  ExpectRows({
      {{"If a Then", "End If"}, "1:1-2:3", "1:1-2:7"},
      {{"If a Then", "End If"}, "1:1-2:4", "none", {Usage("If ")}},
  });
}

TEST(MatchMessages, CaretJustPastALineEndSeesTheLineBreak) {
  ExpectRows({
      // The lone CR gives no "Can't match" line even when the trimmed line is no token.
      {{"abc", "x"}, "1:4", "none", {Usage()}},
      {{"If a Then", "End If"}, "1:10", "none", {Usage()}},
      // The whole trimmed line is the word, starting at column 1.
      {{"Do", "    Loop", "x"}, "2:9", "2:5-1:1"},
      {{"(", "x)"}, "1:2", "1:1-2:3"},
      // On the last line there is no line break to see (what Lines returns for a count past the last line is
      // the IDE's business; the in-memory IDE returns the lines that exist).
      {{"abc"}, "1:4", "none", {Usage("abc")}},
      // At column 1 only one line is fetched.
      {{"", "x"}, "1:1", "none", {Usage()}},
  });
}

TEST(MatchMessages, NotFoundNamesPartnerTokenAndDirection) {
  ExpectRows({
      {{"Loop"}, "1:1", "none", {NotFound("Do", "Loop", false)}},
      {{"x = 1", "    Loop"}, "2:5", "none", {NotFound("Do", "Loop", false)}},
      {{"Do", "x = 1"}, "1:1", "none", {NotFound("Loop", "Do", true)}},
      {{"Sub A()"}, "1:1", "none", {NotFound("End Sub", "Sub", true)}},
      {{"x", "End Sub"}, "2:1-2:4", "none", {NotFound("Sub", "End Sub", false)}},
      // "Then" and "Else" search as "If".
      {{"If a Then", "Else", "x = 1"}, "2:1", "none", {NotFound("End If", "If", true)}},
      {{"If a Then", "x"}, "1:6", "none", {NotFound("End If", "If", true)}},
      {{"If a Then", "x"}, "1:6-1:10", "none", {NotFound("End If", "If", true)}},
      {{"ElseIf a Then"}, "1:1", "none", {NotFound("End If", "ElseIf", true)}},
  });
}

TEST(MatchMessages, PointerIsBusyOnlyAroundTheSearch) {
  struct PointerRow {
    std::vector<std::string> lines;
    std::string selection;
    std::vector<int> pointers;
    int yields;
  };
  const std::vector<PointerRow> rows = {
      {{"x"}, "1:1", {}, 0},
      {{"Do", "Loop"}, "1:1", {11, 0}, 1},
      {{"Do"}, "1:1", {11, 0}, 1},
      {{"s = \"a\""}, "1:5", {11, 0}, 1},
  };
  for (const auto& row : rows) {
    const MatchOutcome outcome = RunMatch(row.lines, row.selection);
    EXPECT_EQ(outcome.pointers, row.pointers) << Describe({row.lines, row.selection, ""});
    EXPECT_EQ(outcome.yields, row.yields) << Describe({row.lines, row.selection, ""});
  }
}

}  // namespace
}  // namespace tandrel::testing
