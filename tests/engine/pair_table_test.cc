#include "engine/pair_table.h"

#include <gtest/gtest.h>

#include "tests/support/match_run.h"

namespace tandrel::engine {
namespace {

using testing::U16;

struct PartnerRow {
  std::string word;
  std::string partner;
  std::int32_t direction;  // as left by the lookup; the caller starts it at 7
};

constexpr std::int32_t kUntouched = 7;

TEST(FindPartner, ClassifiesEveryTokenByRowOrder) {
  const std::vector<PartnerRow> rows = {
      // Openers search forward, closers backward.
      {"If", "End If", 1},
      {"End If", "If", -1},
      {"Then", "End If", 1},
      {"Else", "End If", 1},
      {"ElseIf", "End If", 1},
      {"For", "Next", 1},
      {"Next", "For", -1},
      {"While", "Wend", 1},
      {"Wend", "While", -1},
      {"Do", "Loop", 1},
      {"Loop", "Do", -1},
      {"Select", "End Select", 1},
      {"End Select", "Select", -1},
      {"Function", "End Function", 1},
      {"End Function", "Function", -1},
      {"Sub", "End Sub", 1},
      {"End Sub", "Sub", -1},
      {"Type", "End Type", 1},
      {"End Type", "Type", -1},
      {"With", "End With", 1},
      {"End With", "With", -1},
      {"Class", "End Class", 1},
      {"End Class", "Class", -1},
      {"Enum", "End Enum", 1},
      {"End Enum", "Enum", -1},
      {"Get", "End Get", 1},
      {"End Get", "Get", -1},
      {"Set", "End Set", 1},
      {"End Set", "Set", -1},
      {"Module", "End Module", 1},
      {"End Module", "Module", -1},
      {"Structure", "End Structure", 1},
      {"End Structure", "Structure", -1},
      {"Property", "End Property", 1},
      {"End Property", "Property", -1},
      // Punctuation: a quotation mark is always an opener.
      {"(", ")", 1},
      {")", "(", -1},
      {"\"", "\"", 1},
      // The upper- and lower-case pairs share a closer; the earlier row wins.
      {"CASE", "END", 1},
      {"BEGIN", "END", 1},
      {"END", "CASE", -1},
      {"case", "end", 1},
      {"begin", "end", 1},
      {"end", "case", -1},
      // Exact, case-sensitive, untrimmed comparison.
      {"if", "", kUntouched},
      {"IF", "", kUntouched},
      {"End", "", kUntouched},
      {"Case", "", kUntouched},
      {"Begin", "", kUntouched},
      {"End if", "", kUntouched},
      {"End  If", "", kUntouched},
      {"If ", "", kUntouched},
      {" If", "", kUntouched},
      {"'", "", kUntouched},
      {"[", "", kUntouched},
      // The empty string meets the empty last row.
      {"", "", 1},
  };
  PairTable table;
  FillPairTable(table);
  for (const auto& row : rows) {
    std::int32_t direction = kUntouched;
    EXPECT_EQ(FindPartner(U16(row.word), table, direction), U16(row.partner)) << "word '" << row.word << "'";
    EXPECT_EQ(direction, row.direction) << "word '" << row.word << "'";
  }
}

TEST(FindPartner, EmptyTableMatchesOnlyTheEmptyStringAtOnce) {
  const PairTable table{};
  for (const std::string word : {"If", "\"", "End If", " "}) {
    std::int32_t direction = kUntouched;
    EXPECT_EQ(FindPartner(U16(word), table, direction), u"") << word;
    EXPECT_EQ(direction, kUntouched) << word;
  }
  std::int32_t direction = -1;
  EXPECT_EQ(FindPartner(u"", table, direction), u"");
  EXPECT_EQ(direction, 1);
}

TEST(FillPairTable, LeavesColumnTwoAndTheLastRowEmpty) {
  PairTable table;
  FillPairTable(table);
  for (std::size_t row = 0; row < kPairRows; ++row) EXPECT_EQ(table[row][2], u"") << "row " << row;
  EXPECT_EQ(table[26][0], u"");
  EXPECT_EQ(table[26][1], u"");
  // Row 18 repeats row 10 and is never reached.
  EXPECT_EQ(table[18], table[10]);
}

}  // namespace
}  // namespace tandrel::engine
