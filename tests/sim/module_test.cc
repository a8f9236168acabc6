#include <gtest/gtest.h>

#include "ide/error.h"
#include "sim/ide.h"
#include "sim/module_text.h"
#include "tests/support/match_run.h"

namespace tandrel::sim {
namespace {

using testing::U16;
using testing::U8;

std::vector<std::string> Narrow(const std::vector<std::u16string>& lines) {
  std::vector<std::string> narrow;
  for (const auto& line : lines) narrow.push_back(U8(line));
  return narrow;
}

TEST(SplitLines, EachLineBreakEndsALineAndAFinalOneAddsNone) {
  struct SplitRow {
    std::string text;
    std::vector<std::string> lines;
  };
  const std::vector<SplitRow> rows = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb", {"a", "b"}},
      {"a\r\n", {"a"}},
      {"a\n", {"a"}},
      {"a\r", {"a"}},
      {"\r\n", {""}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\nb\n", {"a", "", "b"}},
      // A lone CR before CR LF, and LF before CR, each end a line of their own.
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"  x  \r\n\t", {"  x  ", "\t"}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Narrow(SplitLines(U16(row.text))), row.lines) << "text '" << row.text << "'";
  }
}

// What Lines gives for lines past the module's end is not the IDE's documented behaviour: these rows pin the
// in-memory IDE's own choice, which the add-in does not rely on.
TEST(ModuleLines, JoinsTheLinesThatExistWithCrLf) {
  struct LinesRow {
    std::int32_t start, count;
    std::string text;
  };
  const std::vector<LinesRow> rows = {
      {1, 1, "a"}, {2, 2, "b\r\nc"}, {1, 3, "a\r\nb\r\nc"}, {2, 100, "b\r\nc"}, {3, 2147483647, "c"},
      {1, 0, ""},  {4, 1, ""},       {2147483647, 1, ""},
  };
  Ide ide;
  auto module = ide.AddModule(u"a\r\nb\r\nc\r\n")->CodeModule();
  EXPECT_EQ(module->CountOfLines(), 3);
  for (const auto& row : rows) {
    EXPECT_EQ(U8(module->Lines(row.start, row.count)), row.text)
        << "Lines(" << row.start << ", " << row.count << ")";
  }
  EXPECT_EQ(ide.CallCount("Lines"), static_cast<int>(rows.size()));
}

// The in-memory IDE's choice of error, as for the rows above.
TEST(ModuleLines, StartBelowOneOrNegativeCountRaises) {
  Ide ide;
  auto module = ide.AddModule(u"a\nb")->CodeModule();
  for (const auto& [start, count] :
       std::vector<std::pair<std::int32_t, std::int32_t>>{{0, 1}, {-1, 1}, {1, -1}}) {
    try {
      module->Lines(start, count);
      ADD_FAILURE() << "Lines(" << start << ", " << count << ") raised nothing";
    } catch (const ide::Error& error) {
      EXPECT_EQ(error.Description(), u"Invalid procedure call or argument");
    }
  }
}

TEST(FailCall, MakesEveryLaterCallRaiseUntilHealed) {
  Ide ide;
  auto pane = ide.AddModule(u"x");
  auto module = pane->CodeModule();
  ide.FailCall("Lines", u"Out of memory");
  for (int i = 0; i < 2; ++i) {
    try {
      module->Lines(1, 1);
      ADD_FAILURE() << "no error";
    } catch (const ide::Error& error) {
      EXPECT_EQ(error.Description(), u"Out of memory");
      EXPECT_STREQ(error.what(), "Out of memory");
    }
  }
  // A failing call still counts, and other operations still work.
  EXPECT_EQ(ide.CallCount("Lines"), 2);
  EXPECT_EQ(module->CountOfLines(), 1);
  ide.HealCall("Lines");
  EXPECT_EQ(module->Lines(1, 1), u"x");
  EXPECT_EQ(ide.CallCount("Lines"), 3);
}

TEST(Pane, SelectionSetByTheAddInIsRecordedAndCounted) {
  Ide ide;
  auto pane = ide.AddModule(u"If a Then\nEnd If");
  EXPECT_EQ(ide.ActivePane(), pane);
  EXPECT_EQ(ide.Vbe()->ActiveCodePane(), pane);
  pane->Select({2, 1, 2, 3});
  EXPECT_EQ(pane->GetSelection(), (ide::Selection{2, 1, 2, 3}));
  // The module hands back the pane that shows it.
  auto shown = pane->CodeModule()->CodePane();
  shown->SetSelection(1, 1, 2, 7);
  EXPECT_EQ(pane->Selection(), (ide::Selection{1, 1, 2, 7}));
  EXPECT_EQ(pane->SelectionsSet(), (std::vector<ide::Selection>{{1, 1, 2, 7}}));
  EXPECT_EQ(ide.CallCount("GetSelection"), 1);
  EXPECT_EQ(ide.CallCount("SetSelection"), 1);
  EXPECT_EQ(ide.CallCount("ActiveCodePane"), 1);
  EXPECT_EQ(ide.CallCount("Lines"), 0);
  ide.LeaveNoActivePane();
  EXPECT_EQ(ide.Vbe()->ActiveCodePane(), nullptr);
}

TEST(Ide, LastModuleAddedIsActive) {
  Ide ide;
  auto first = ide.AddModule(u"a");
  auto second = ide.AddModule(std::vector<std::u16string>{u"b", u""});
  EXPECT_EQ(ide.ActivePane(), second);
  EXPECT_EQ(second->CodeModule()->CountOfLines(), 2);
  ide.Activate(first);
  EXPECT_EQ(ide.Vbe()->ActiveCodePane()->CodeModule()->Lines(1, 1), u"a");
}

}  // namespace
}  // namespace tandrel::sim
