#include "engine/word_search.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/engine/module_fixture.h"

namespace tandrel::engine {
namespace {

using testing::Joined;
using testing::ModuleFixture;
using testing::U16;
using testing::U8;

const std::vector<std::string> kModule = {
    "Sub Foo()", "    If x Then", "        y = \"End If\" ' End If here", "    End If", "End Sub",
};

struct SearchRow {
  std::vector<std::string> module;
  std::int32_t lineNo, col, direction;
  std::vector<std::string> words;
  std::string found;  // empty: the walk ran off the module
  std::int32_t endLineNo, endCol;
  std::string endText;
};

WordList MakeList(const std::vector<std::string>& words) {
  std::vector<std::u16string> list;
  for (const auto& word : words) list.push_back(U16(word));
  return WordList(std::move(list));
}

TEST(FindNextWord, StopsAtTheFirstStandAloneWordOfTheList) {
  const std::vector<SearchRow> rows = {
      {kModule, 2, 8, 1, {"If", "End If", "Then", "\"", "'"}, "Then", 2, 10, kModule[1]},
      // Without "Then" the walk reaches the quotation mark; the "End If" inside the literal comes after it.
      {kModule, 2, 8, 1, {"If", "End If", "\"", "'"}, "\"", 3, 13, kModule[2]},
      // Backward, the second word of a two-word closer comes first; comments are not skipped here.
      {kModule, 4, 4, -1, {"End If", "If", "Then", "\"", "'"}, "If", 3, 28, kModule[2]},
      {kModule, 4, 10, -1, {"If", "End If"}, "If", 4, 9, kModule[3]},
      // The start column is itself examined; forward a two-word closer is met at its first word.
      {kModule, 2, 5, 1, {"If"}, "If", 2, 5, kModule[1]},
      {kModule, 4, 1, 1, {"End If"}, "End If", 4, 5, kModule[3]},
      {kModule, 1, 1, 1, {"Sub", "End Sub"}, "Sub", 1, 1, kModule[0]},
      {kModule, 5, 1, 1, {"Sub", "End Sub"}, "End Sub", 5, 1, kModule[4]},
      // One-character words stand anywhere; longer words need a space, an apostrophe or the line's edge.
      {kModule, 1, 1, 1, {"("}, "(", 1, 8, kModule[0]},
      {kModule, 3, 1, 1, {"End If"}, "End If", 3, 24, kModule[2]},
      {kModule, 3, 1, 1, {"If"}, "If", 3, 28, kModule[2]},
      {kModule, 3, 1, 1, {"here"}, "here", 3, 31, kModule[2]},
      {{"x 'If y"}, 1, 1, 1, {"If"}, "If", 1, 4, "x 'If y"},
      {{"x\tIf y"}, 1, 1, 1, {"If"}, "", 1, 1, "x\tIf y"},
      {{"If(a) Then"}, 1, 1, 1, {"If"}, "", 1, 1, "If(a) Then"},
      {{"EndIf", "IfThen"}, 1, 1, 1, {"If", "End"}, "", 1, 1, "IfThen"},
      // Within one column the earlier word of the list wins.
      {{"End If"}, 1, 1, 1, {"End", "End If"}, "End", 1, 1, "End If"},
      {{"End If"}, 1, 1, 1, {"End If", "End"}, "End If", 1, 1, "End If"},
      // Blank lines and columns off the line are passed over.
      {{"", "   ", "If"}, 1, 1, 1, {"If"}, "If", 3, 1, "If"},
      {{"", "If"}, 1, 0, 1, {"If"}, "If", 2, 1, "If"},
      // A backward walk from past the line's end leaves that line at once.
      {kModule, 4, 100, -1, {"End If"}, "End If", 3, 24, kModule[2]},
      // Off the module: the position is kept, the text is that of the last line visited.
      {kModule, 5, 8, 1, {"Sub", "End Sub", "\"", "'"}, "", 5, 8, kModule[4]},
      {kModule, 1, 1, -1, {"Zzz"}, "", 1, 1, kModule[0]},
      {kModule, 1, 1, 1, {"Foo"}, "", 1, 1, kModule[4]},
  };
  for (const auto& row : rows) {
    ModuleFixture fixture(row.module);
    ModuleLines lines(*fixture.module);
    ScanPosition position{row.lineNo, row.col, {}, row.direction};
    const WordList words = MakeList(row.words);
    const std::string input = Joined(row.module) + " from " + std::to_string(row.lineNo) + ":" +
                              std::to_string(row.col) + " direction " + std::to_string(row.direction) +
                              " words " + Joined(row.words);
    EXPECT_EQ(U8(std::u16string(FindNextWord(position, words, lines))), row.found) << input;
    EXPECT_EQ(position.lineNo, row.endLineNo) << input;
    EXPECT_EQ(position.col, row.endCol) << input;
    EXPECT_EQ(U8(std::u16string(position.lineText.View())), row.endText) << input;
  }
}

TEST(FindNextWord, ReadsEachLineOnceAndNoneBeyondTheFind) {
  std::vector<std::string> module(100, "x = 1");
  module[2] = "Loop";
  ModuleFixture fixture(module);
  ModuleLines lines(*fixture.module);
  ScanPosition position{1, 1, {}, 1};
  EXPECT_EQ(FindNextWord(position, MakeList({"Loop"}), lines), u"Loop");
  EXPECT_EQ(fixture.Reads(), 3);

  position = {4, 1, {}, 1};
  EXPECT_EQ(FindNextWord(position, MakeList({"Loop"}), lines), u"");
  EXPECT_EQ(fixture.Reads(), 3 + 97);
}

// The walk as plainly as it can be told: every word tested at every column, one column at a time.
struct Stop {
  std::string word;
  std::int32_t lineNo, col;
  friend bool operator==(const Stop&, const Stop&) = default;
  friend void PrintTo(const Stop& stop, std::ostream* out) {
    *out << "'" << stop.word << "' at " << stop.lineNo << ":" << stop.col;
  }
};

Stop PlainWalk(const std::vector<std::string>& module, std::int32_t lineNo, std::int32_t col,
               std::int32_t direction, const std::vector<std::string>& words) {
  const auto lineCount = static_cast<std::int32_t>(module.size());
  std::int32_t line = lineNo, c = col;
  for (;;) {
    const std::string& text = module[static_cast<std::size_t>(line - 1)];
    const auto length = static_cast<std::int32_t>(text.size());
    const auto at = [&](std::int32_t column) { return text[static_cast<std::size_t>(column - 1)]; };
    const bool blank = text.find_first_not_of(' ') == std::string::npos;
    for (const auto& word : blank || c < 1 ? std::vector<std::string>{} : words) {
      const auto size = static_cast<std::int32_t>(word.size());
      if (c + size - 1 > length || text.compare(static_cast<std::size_t>(c - 1), word.size(), word) != 0)
        continue;
      const bool before = c == 1 || at(c - 1) == ' ' || at(c - 1) == '\'';
      const bool after = c + size > length || at(c + size) == ' ';
      if (size == 1 || (before && after)) return {word, line, c};
    }
    c += direction;
    if (c >= 1 && c <= length) continue;
    line += direction;
    if (line < 1 || line > lineCount) return {"", lineNo, col};
    c = direction == 1 ? 1 : static_cast<std::int32_t>(module[static_cast<std::size_t>(line - 1)].size());
  }
}

TEST(FindNextWord, AgreesWithThePlainColumnByColumnWalk) {
  const std::vector<std::vector<std::string>> lists = {
      {"If", "End If", "Then", "\"", "'"},
      {"End If", "If", "Then", "\"", "'"},
      {"(", ")", "\"", "'"},
      {"End", "End If", "hen"},
  };
  const std::string alphabet = "  '\"IfEndThe()x#";
  std::mt19937 random(20240611);
  const auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::string> module(static_cast<std::size_t>(1 + pick(4)));
    for (auto& line : module) {
      for (int i = pick(14); i > 0; --i)
        line += alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size())))];
    }
    const std::int32_t lineNo = 1 + pick(static_cast<int>(module.size()));
    const std::int32_t col = pick(static_cast<int>(module[static_cast<std::size_t>(lineNo - 1)].size()) + 3);
    const std::int32_t direction = pick(2) == 0 ? 1 : -1;
    const auto& words = lists[static_cast<std::size_t>(pick(static_cast<int>(lists.size())))];

    ModuleFixture fixture(module);
    ModuleLines lines(*fixture.module);
    ScanPosition position{lineNo, col, {}, direction};
    const std::string found(U8(std::u16string(FindNextWord(position, MakeList(words), lines))));
    ASSERT_EQ((Stop{found, position.lineNo, position.col}), PlainWalk(module, lineNo, col, direction, words))
        << Joined(module) << " from " << lineNo << ":" << col << " direction " << direction << " words "
        << Joined(words);
  }
}

TEST(WordAt, NeverReadsOutsideTheLine) {
  const WordList words = MakeList({"If", "\"", "End If"});
  for (const std::int32_t col : {-1000, -1, 0, 6, 7, 1000}) {
    EXPECT_EQ(WordAt(u"x = If", col, words), u"") << "column " << col;
  }
  EXPECT_EQ(WordAt(u"x = If", 5, words), u"If");
  EXPECT_EQ(WordAt(u"", 1, words), u"");
}

}  // namespace
}  // namespace tandrel::engine
