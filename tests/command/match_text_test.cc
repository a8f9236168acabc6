// The match command on parentheses and quotation marks, and how it passes over strings and comments.
#include <gtest/gtest.h>

#include "tests/command/match_table.h"

namespace tandrel::testing {
namespace {

TEST(MatchText, ParenthesesPassOverLiteralsAndComments) {
  const std::vector<std::string> call = {"x = f(a, \"(\", g(b))"};
  ExpectRows({
      {call, "1:6", "1:6-1:20"},
      {call, "1:19", "1:20-1:6"},
      {call, "1:16", "1:16-1:19"},
      {{"f(a, _", "  b)"}, "1:2", "1:2-2:5"},
      {{"f( ' )", ")"}, "1:2", "1:2-2:2"},
      {{"(", "' (", ")"}, "3:1", "3:2-1:1"},
      {{"f(a"}, "1:2", "none", {NotFound(")", "(", true)}},
      {{"a)"}, "1:2", "none", {NotFound("(", ")", false)}},
  });
}

TEST(MatchText, QuotationMarkSelectsTheLiteralAndReportsItsLength) {
  ExpectRows({
      {{"s = \"abcde\""}, "1:5", "1:5-1:12", {StringLength(5)}},
      {{"s = \"a\"\"b\""}, "1:5", "1:5-1:11", {StringLength(3)}},
      {{"s = \"a\"\"b\" & c"}, "1:5", "1:5-1:11", {StringLength(3)}},
      {{"s = \"\""}, "1:5", "1:5-1:7", {StringLength(0)}},
      {{"s = \"\"\"\""}, "1:5", "1:5-1:9", {StringLength(1)}},
      // An apostrophe inside the literal is text.
      {{"s = \"it's\""}, "1:5", "1:5-1:11", {StringLength(4)}},
      // A literal left open ends at the next quotation mark, wherever it stands; its length is a column
      // count.
      {{"s = \"abc", "t = \"x\""}, "1:5", "1:5-2:6", {StringLength(-1)}},
      // From a closing quotation mark the search runs on and finds no other.
      {{"s = \"ab\""}, "1:8", "none", {NotFound("\"", "\"", true)}},
  });
}

TEST(MatchText, KeywordsInsideLiteralsAreJumpedOver) {
  ExpectRows({
      {{"If a Then", "    s = \"End If\"", "End If"}, "1:1", "1:1-3:7"},
      {{"If a Then", "    s = \"a\"\"If b Then\"", "End If"}, "1:1", "1:1-3:7"},
      {{"Sub A()", "    s = \"Sub\"", "End Sub"}, "3:1", "3:8-1:1"},
      {{"Do", "    s = \"Do\" & \"Loop\"", "Loop"}, "3:1", "3:5-1:1"},
      // A literal left open runs to the end of its line.
      {{"Do", "    s = \"Loop", "Loop"}, "1:1", "1:1-3:5"},
      {{"' Do", "' s = \"Loop", "' Loop"}, "1:3", "1:3-3:7"},
  });
}

TEST(MatchText, CommentsAreSkippedInBothDirections) {
  ExpectRows({
      {{"Sub A() ' Sub B", "End Sub"}, "1:1", "1:1-2:8"},
      {{"Sub A()", "    x = 1 ' End Sub", "End Sub"}, "3:1", "3:8-1:1"},
      {{"Do", "    ' Loop", "Loop"}, "1:1", "1:1-3:5"},
      {{"Do", "' Loop", "Loop"}, "3:1", "3:5-1:1"},
      {{"Do", "    ' Do", "Loop"}, "3:1", "3:5-1:1"},
      // An apostrophe inside a literal starts no comment.
      {{"Sub A()", "    s = \"it's\" ' End Sub", "End Sub"}, "3:1", "3:8-1:1"},
  });
}

TEST(MatchText, TokenInACommentLineSearchesThroughComments) {
  ExpectRows({
      {{"' If x Then", "' End If"}, "1:3", "1:3-2:9"},
      {{"' If x Then", "' End If"}, "2:7", "2:9-1:3"},
      // A code line with a trailing comment does not stop the walk.
      {{"' Do", "x = 1 ' note", "' Loop"}, "1:3", "1:3-3:7"},
      // The walk itself crosses onto the next comment line and stops at its comment mark.
      {{"' Do", "' Loop"}, "1:3", "1:3-2:7"},
      // On a comment line the line after "Then" is not cut at its next comment mark: code follows "Then".
      {{"' If a Then ' x", "' End If"}, "1:3", "1:3-1:12"},
      // The column right after the token is not examined.
      {{"' f()"}, "1:4", "none", {NotFound(")", "(", true)}},
      {{"' f( )"}, "1:4", "1:4-1:7"},
  });
}

}  // namespace
}  // namespace tandrel::testing
