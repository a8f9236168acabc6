#include "addin5/vb5_rules.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <limits>
#include <string>
#include <vector>

#include "addin5/reverse_find.h"
#include "command/match_rules.h"
#include "tests/support/match_run.h"

namespace tandrel::addin5 {
namespace {

using tandrel::testing::MatchOutcome;
using tandrel::testing::RunMatch;
using tandrel::testing::U16;

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();

struct ReverseFindRow {
  std::string text;
  std::string match;
  std::int64_t start;
  std::int32_t column;
};

TEST(ReverseFind, GivesTheLastOccurrenceThatEndsByTheStartColumn) {
  const std::vector<ReverseFindRow> rows = {
      // An empty match gives the start itself while that is not past the end, whatever its sign.
      {"abc", "", 2, 2},
      {"abc", "", 3, 3},
      {"abc", "", 4, 0},
      {"abc", "", 0, 0},
      {"abc", "", -3, -3},
      {"", "", 0, 0},
      {"", "", 1, 0},
      // The occurrence has to end at or before the start column.
      {"a b c", " ", 1, 0},
      {"a b c", " ", 2, 2},
      {"a b c", " ", 3, 2},
      {"a b c", " ", 4, 4},
      {"xabab", "ab", 2, 0},
      {"xabab", "ab", 4, 2},
      {"xabab", "ab", 5, 4},
      // A start of 0 or less searches the whole text.
      {"a b c", " ", 0, 4},
      {"a b c", " ", -1, 4},
      {"a b c", " ", kMin, 4},
      {"abc", "x", 0, 0},
      {"", " ", 0, 0},
      // A start past the end finds the text's last occurrence, unlike the run time's reverse search.
      {"    Loop", " ", 9, 4},
      {"    End If", " ", 11, 8},
      {"a b", " ", kMax, 2},
      {"\"abc\" ' x\"", "\"", 0, 10},
      {"\"abc\" ' x\"", "\"", 9, 5},
      {"\"abc\" ' x\"", "\"", 4, 1},
      // Overlapping occurrences count.
      {"aaaa", "aa", 4, 3},
      {"aaaa", "aa", 3, 2},
      {"aaaa", "aa", 2, 1},
      {"aaaa", "aa", 1, 0},
      {"ababa", "aba", 5, 3},
      // Exact comparison; a match longer than the text is never found.
      {"If if", "if", 5, 4},
      {"If if", "IF", 5, 0},
      {"ab", "abc", 9, 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ReverseFind(U16(row.text), U16(row.match), row.start), row.column)
        << "'" << row.text << "' '" << row.match << "' start " << row.start;
  }
}

// The routine as the VB5 build's Basic spells it: walk the occurrences forward from column 1 and keep the
// last one that ends in time.
std::int32_t WalkedForward(const std::u16string& check, const std::u16string& match, std::int64_t start) {
  const auto length = static_cast<std::int64_t>(check.size());
  if (match.empty()) return start <= length ? static_cast<std::int32_t>(start) : 0;
  if (start <= 0) start = length;
  std::int32_t result = 0;
  for (auto p = check.find(match); p != std::u16string::npos; p = check.find(match, p + 1)) {
    if (static_cast<std::int64_t>(p + match.size()) > start) break;
    result = static_cast<std::int32_t>(p + 1);
  }
  return result;
}

TEST(ReverseFind, AgreesWithTheForwardWalkOnEveryShortText) {
  // Every text of up to six characters over 'a', 'b' and a space, every match of up to three, and every start
  // from before the text to past its end.
  std::vector<std::u16string> texts = {u""};
  for (std::size_t first = 0; first < texts.size(); ++first) {
    if (texts[first].size() == 6) break;
    for (char16_t c : {u'a', u'b', u' '}) texts.push_back(texts[first] + c);
  }
  for (const auto& text : texts) {
    for (const auto& match : texts) {
      if (match.size() > 3) break;
      for (std::int64_t start = -1; start <= static_cast<std::int64_t>(text.size()) + 2; ++start) {
        ASSERT_EQ(ReverseFind(text, match, start), WalkedForward(text, match, start))
            << "'" << testing::U8(text) << "' '" << testing::U8(match) << "' start " << start;
      }
    }
  }
}

std::string NotFound(const std::string& partner, const std::string& token, const std::string& direction) {
  return "none || 48|About|Match '" + partner + "' for '" + token + "' not found searching " + direction +
         ".\n\nComments and bugs to bugs@example";
}

// The usage message; a caret just past the end of a line that has a following line selects the line break,
// and the box then has no "Can't match" lead-in.
std::string Usage() {
  return "none || 64|About|Select or right-click on:\n- language keyword such as IF, DO, FOR etc,\n- "
         "parenthesis "
         "or opening quotation mark.\n Then select Tandrel from right-click menu.\n\nComments and bugs to "
         "bugs@example";
}

struct MatchRow {
  std::vector<std::string> lines;
  std::string caret;
  std::string vb5;  // selection, then " || " and each message box
  std::string vb6;
};

std::string Told(const MatchOutcome& outcome) {
  std::string told = outcome.selection;
  for (const auto& box : outcome.messages) told += " || " + box;
  return told;
}

// A backward walk over a line that opens with a quotation mark can come back to column 1 again and again;
// a run that does not end has to fail the test instead of hanging it.
std::string RunBounded(const MatchRow& row, const command::MatchRules& rules) {
  auto run = std::async(std::launch::async, [&] { return RunMatch(row.lines, row.caret, rules); });
  if (run.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
    std::fprintf(stderr, "The match at %s in %s did not end.\n", row.caret.c_str(), row.lines.back().c_str());
    std::_Exit(EXIT_FAILURE);
  }
  return Told(run.get());
}

void ExpectBothBuilds(const std::vector<MatchRow>& rows) {
  for (const auto& row : rows) {
    std::string module;
    for (const auto& line : row.lines) module += "<" + line + ">";
    EXPECT_EQ(RunBounded(row, kVb5Rules), row.vb5) << "VB5 build, " << module << " at " << row.caret;
    EXPECT_EQ(RunBounded(row, command::kStandardRules), row.vb6)
        << "VB6 build, " << module << " at " << row.caret;
  }
}

TEST(Vb5Match, TakesTheWordBeforeACaretPastTheEndOfTheLine) {
  ExpectBothBuilds({
      // The VB5 build finds the last space of the line and anchors at the word; the VB6 build takes the
      // whole trimmed line from column 1.
      {{"Do", "    Loop"}, "2:9", "2:9-1:1", "2:5-1:1"},
      {{"    Loop"}, "1:9", NotFound("Do", "Loop", "backward"), NotFound("Do", "Loop", "backward")},
      {{"If a Then", "    End If"}, "2:11", "2:11-1:1", "2:7-1:1"},
      {{"If a Then", "End If"}, "1:10", "1:6-2:7", Usage()},
      {{"x = (", ")"}, "1:6", "1:5-2:2", Usage()},
  });
}

TEST(Vb5Match, SkipsACommentBackwardOnlyWhenNoQuotationMarkComesBeforeIt) {
  ExpectBothBuilds({
      {{"Sub A()", "    x = 1 ' End Sub", "End Sub"}, "3:1", "3:8-1:1", "3:8-1:1"},
      // The VB5 build counts the "End Sub" of the comment; the VB6 build sees the literal closed before it.
      {{"Sub A()", "    x = \"a\" ' End Sub", "End Sub"},
       "3:1",
       NotFound("Sub", "End Sub", "backward"),
       "3:8-1:1"},
      {{"Sub A()", "    x = 1 ' \"End Sub", "End Sub"}, "3:1", "3:8-1:1", "3:8-1:1"},
  });
}

TEST(Vb5Match, CutsAThenLineAtItsFirstCommentMarkEvenInsideALiteral) {
  ExpectBothBuilds({
      // Cut before the apostrophe of "it's", nothing follows "Then": a block If that goes on to "End If".
      {{"If s = \"it's\" Then y = 1"}, "1:1", NotFound("End If", "If", "forward"), "1:1-1:19"},
      {{"If s = \"it's\" Then y = 1", "End If"}, "1:1", "1:1-2:7", "1:1-1:19"},
      {{"If a Then y = 1 ' note"}, "1:1", "1:1-1:10", "1:1-1:10"},
      // In a search from a comment line the VB5 build cuts too, at the line's own comment mark, so no code
      // follows any "Then" there.
      {{"' If a Then x = 1", "' End If"}, "1:3", "1:3-2:9", "1:3-1:12"},
  });
}

TEST(Vb5Match, WalksBackFromTheFirstColumnToTheLinesLastQuotationMark) {
  ExpectBothBuilds({
      // ‹"abc"·'·)"›: the VB5 walk pairs 10 with 5, comes back from column 1 to 10, counts the ")" in the
      // comment and pairs 5 with 1; the VB6 walk skips the comment.
      {{"(", "(", "\"abc\" ' )\"", ")"}, "4:1", "4:2-1:1", "4:2-2:1"},
      {{"(", "\"abc\" ' x\"", ")"}, "3:1", "3:2-1:1", "3:2-1:1"},
      // Coming back from column 1 the VB5 walk meets a "(" that stands after the ")".
      {{"\")(\""}, "1:2", "1:3-1:3", NotFound("(", ")", "backward")},
  });
}

TEST(Vb5Match, EndsAWalkThatWouldCircleOnOneLine) {
  ExpectBothBuilds({
      // Each time round ‹")"› the ")" adds a level that no "(" takes away.
      {{"\")\""}, "1:2", NotFound("(", ")", "backward"), NotFound("(", ")", "backward")},
      {{"(", "\")\""}, "2:2", NotFound("(", ")", "backward"), "2:3-1:1"},
      {{"(", "\"a)b\""}, "2:3", NotFound("(", ")", "backward"), "2:4-1:1"},
      // A jump on one line does not bear on a jump on another, whatever the count: each of ‹"a")"› and
      // ‹"b")"› is walked round once and adds its ")".
      {{"(((", "\"b\")\"", "\"a\")\"", ")"}, "4:1", "4:2-1:1", "4:2-1:3"},
  });
}

}  // namespace
}  // namespace tandrel::addin5
