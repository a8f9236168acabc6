#include "engine/basic_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "tests/support/match_run.h"

namespace tandrel::engine {
namespace {

using testing::U16;
using testing::U8;

constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kToEnd = -99;  // in `length`: the two-argument Mid

struct MidRow {
  std::int64_t start, length;
  std::string part;
};

TEST(Mid, TakesThePartOfTheRangeInsideTheText) {
  const std::vector<MidRow> rows = {
      {3, 2, "cd"},
      {1, 6, "abcdef"},
      {5, 10, "ef"},
      {0, 2, "a"},
      {-5, 8, "ab"},
      {7, 1, ""},
      {100, 5, ""},
      {1, 0, ""},
      {1, -1, ""},
      {kMin, kMax, ""},
      {kMin, 2 * kMax + 10, "abcdef"},
      {kMax, kMax, ""},
      {3, kToEnd, "cdef"},
      {6, kToEnd, "f"},
      {7, kToEnd, ""},
      {kMax, kToEnd, ""},
      // From a column before the text to its end is the whole text.
      {1, kToEnd, "abcdef"},
      {0, kToEnd, "abcdef"},
      {-5, kToEnd, "abcdef"},
      {kMin, kToEnd, "abcdef"},
  };
  for (const auto& row : rows) {
    const Text part =
        row.length == kToEnd ? Mid(u"abcdef", row.start) : Mid(u"abcdef", row.start, row.length);
    EXPECT_EQ(U8(std::u16string(part)), row.part) << "start " << row.start << " length " << row.length;
  }
  EXPECT_EQ(Mid(u"", 1, 1), u"");
  EXPECT_EQ(Left(u"abc", 0), u"");
  EXPECT_EQ(Left(u"abc", -1), u"");
  EXPECT_EQ(Left(u"abc", kMax), u"abc");
}

struct SearchRow {
  std::string text, match;
  std::int64_t start;
  std::int32_t instr, instrRev;
};

TEST(InStrAndInStrRev, ColumnsOutsideTheTextFindNothingOrClampToTheText) {
  const std::vector<SearchRow> rows = {
      {"a b c", " ", 1, 2, 0},
      {"a b c", " ", 3, 4, 2},
      {"a b c", " ", 4, 4, 4},
      {"a b c", " ", 5, 0, 4},
      // InStr starts before the text at its first column; InStrRev finds nothing there.
      {"a b c", " ", 0, 2, 0},
      {"a b c", " ", -1, 2, 0},
      {"a b c", " ", kMin, 2, 0},
      // Past the end neither finds anything.
      {"a b c", " ", 6, 0, 0},
      {"a b c", " ", kMax, 0, 0},
      // An occurrence must end at or before the start of a reverse search.
      {"abab", "ab", 3, 3, 1},
      {"abab", "ab", 4, 0, 3},
      {"abab", "ab", 1, 1, 0},
      {"", " ", 1, 0, 0},
  };
  for (const auto& row : rows) {
    const std::string input = "'" + row.text + "' '" + row.match + "' start " + std::to_string(row.start);
    EXPECT_EQ(InStr(row.start, U16(row.text), U16(row.match)), row.instr) << input;
    EXPECT_EQ(InStrRev(U16(row.text), U16(row.match), row.start), row.instrRev) << input;
  }
  // Unlike InStrRev, the plain reverse search accepts an end past the text.
  EXPECT_EQ(LastEndingBy(u"a b c", u" ", kMax), 4);
  EXPECT_EQ(LastEndingBy(u"a b c", u" ", 1), 0);
  EXPECT_EQ(LastEndingBy(u"ab", u"abc", kMax), 0);
  EXPECT_EQ(LastEndingBy(u"a b", u" ", kMin), 0);
}

// Both searches skip ahead a block at a time to the match's first unit: on texts longer and shorter than a
// block, with repeated and overlapping occurrences, they find what the library's find and rfind find.
TEST(InStrAndLastEndingBy, FindWhatTheLibrarysSearchesFindInAnyText) {
  std::mt19937 random(11);
  const std::vector<std::u16string> matches = {u"", u"a", u"\"", u"ab", u"aa", u"End If", u"abababab"};
  for (int sample = 0; sample < 400; ++sample) {
    std::u16string text;
    const auto length = random() % 30;
    for (std::size_t i = 0; i < length; ++i) text += u"ab\" "[random() % 4];
    if (sample % 10 == 0) text += u"End If";
    for (const auto& match : matches) {
      for (std::int64_t column = 0; column <= static_cast<std::int64_t>(length) + 8; ++column) {
        const std::int64_t from = std::max<std::int64_t>(column, 1);
        const auto found = text.find(match, static_cast<std::size_t>(from - 1));
        const std::int32_t expected =
            from > Len(text) || found == Text::npos ? 0 : static_cast<int>(found) + 1;
        ASSERT_EQ(InStr(column, text, match), expected) << "from " << column << " in " << U8(text);
        const std::int64_t last = std::min<std::int64_t>(column, Len(text)) - Len(match);
        const auto foundBack = last < 0 ? Text::npos : text.rfind(match, static_cast<std::size_t>(last));
        ASSERT_EQ(LastEndingBy(text, match, column),
                  foundBack == Text::npos ? 0 : static_cast<int>(foundBack) + 1)
            << "by " << column << " in " << U8(text);
      }
    }
  }
}

TEST(Trim, RemovesSpacesOnly) {
  EXPECT_EQ(Trim(u"  a b  "), u"a b");
  EXPECT_EQ(Trim(u"    "), u"");
  EXPECT_EQ(Trim(u""), u"");
  EXPECT_EQ(Trim(u"\t x \t"), u"\t x \t");
  EXPECT_EQ(LTrim(u"  x  "), u"x  ");
  EXPECT_EQ(RTrim(u"  x  "), u"  x");
}

TEST(FirstNonSpace, BlankLinesEndPastTheirLength) {
  EXPECT_EQ(FirstNonSpace(u""), 1);
  EXPECT_EQ(FirstNonSpace(u"   "), 4);
  EXPECT_EQ(FirstNonSpace(u"  x"), 3);
  EXPECT_EQ(FirstNonSpace(u"\t"), 1);
  EXPECT_TRUE(IsBlank(u""));
  EXPECT_TRUE(IsBlank(u"   "));
  EXPECT_FALSE(IsBlank(u" \t "));
}

TEST(HoldsMark, OnlyColumnsInsideTheTextHoldAMark) {
  for (const std::int64_t col : {kMin, std::int64_t{-1}, std::int64_t{0}, std::int64_t{4}, kMax}) {
    EXPECT_FALSE(HoldsMark(u"'x'", col, u"'")) << "column " << col;
  }
  EXPECT_TRUE(HoldsMark(u"'x'", 1, u"'"));
  EXPECT_TRUE(HoldsMark(u"'x'", 3, u"'"));
  EXPECT_FALSE(HoldsMark(u"'x'", 1, u"''"));
  EXPECT_FALSE(HoldsMark(u"'x'", 1, u""));
}

}  // namespace
}  // namespace tandrel::engine
