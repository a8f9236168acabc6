#include "engine/word_at_cursor.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/basic_text.h"
#include "ide/error.h"
#include "tests/engine/module_fixture.h"

namespace tandrel::engine {
namespace {

using testing::ModuleFixture;
using testing::U16;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct WordRow {
  std::string line;
  std::int32_t caret;
  std::string word;
  std::int32_t col;  // the start column handed back
};

TEST(GetWordAtCursor, CutsTheSpaceDelimitedWordAndItsStartColumn) {
  const std::vector<WordRow> rows = {
      // Any letter of a keyword gives the whole word.
      {"    If x > 0 Then", 5, "If", 5},
      {"    If x > 0 Then", 6, "If", 5},
      {"    Loop", 8, "Loop", 5},
      {"Loop", 4, "Loop", 1},
      {"Else", 1, "Else", 1},
      // Only spaces delimit: punctuation and tabs belong to the word.
      {"If(x)", 1, "If(x)", 1},
      {"x = y", 3, "=", 3},
      {"\tIf x", 2, "\tIf", 1},
      // A caret on a space or in the indentation gives no word.
      {"    x = 1", 2, "", 3},
      {"    If x > 0 Then", 7, "", 8},
      {"    ", 3, "", 4},
      // One apostrophe glued to the front is dropped, and the start column moves past it.
      {"  'If x Then", 4, "If", 4},
      {"''If", 1, "'If", 2},
      // "End" is joined with the word after it, from either word, at the column of "End".
      {"    End If", 9, "End If", 5},
      {"    End If", 5, "End If", 5},
      {"    End If  ' done", 6, "End If", 5},
      {"    End Sub", 11, "End Sub", 5},
      {"End If", 5, "End If", 1},
      {"x = End", 6, "End", 5},
      // The join needs exactly one space; the space itself joins to an empty word.
      {"    End  If", 10, "If", 10},
      {"End If", 4, "End ", 1},
      // Completing "End" cuts from the delimiting space again, so a dropped apostrophe comes back.
      {"'End If", 2, "'End If", 2},
      // A caret past the end finds no space before it: the word is the whole trimmed line.
      {"    Loop", 9, "Loop", 1},
      {"    End If", 11, "End If", 1},
      {"If a Then", 10, "If a Then", 1},
      {"If a Then", kMax, "If a Then", 1},
      // A caret before column 1 finds no space before it either and takes the first word.
      {"If a Then", 0, "If", 1},
      {"If a Then", -5, "If", 1},
      {"If a Then", kMin, "If", 1},
      // An empty line, whatever the caret.
      {"", 1, "", 1},
      {"", 5, "", 1},
      {"", 0, "", 1},
      {"", -3, "", 1},
      {"", kMax, "", 1},
  };
  for (const auto& row : rows) {
    ModuleFixture fixture({"first", row.line});
    std::int32_t col = row.caret;
    const std::u16string word = GetWordAtCursor(*fixture.module, 2, col, InStrRev);
    EXPECT_EQ(word, U16(row.word)) << "line '" << row.line << "' caret " << row.caret;
    EXPECT_EQ(col, row.col) << "line '" << row.line << "' caret " << row.caret;
  }
}

TEST(GetWordAtCursor, ReadsOnlyItsOwnLineOnce) {
  ModuleFixture fixture({"Do", "    Loop", "x"});
  std::int32_t col = 6;
  EXPECT_EQ(GetWordAtCursor(*fixture.module, 2, col, InStrRev), u"Loop");
  EXPECT_EQ(fixture.Reads(), 1);
}

TEST(GetWordAtCursor, LineBeyondTheModuleGivesNoWord) {
  ModuleFixture fixture({"Do"});
  std::int32_t col = 1;
  EXPECT_EQ(GetWordAtCursor(*fixture.module, 3, col, InStrRev), u"");
  EXPECT_EQ(col, 1);
}

TEST(GetWordAtCursor, PassesAPortErrorOn) {
  ModuleFixture fixture({"Do"});
  fixture.ide.FailCall("Lines", u"Module is locked");
  std::int32_t col = 1;
  try {
    GetWordAtCursor(*fixture.module, 1, col, InStrRev);
    FAIL() << "no error raised";
  } catch (const ide::Error& error) {
    EXPECT_EQ(error.Description(), u"Module is locked");
  }
}

}  // namespace
}  // namespace tandrel::engine
