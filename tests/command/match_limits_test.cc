// The match command at the edges: columns outside the text, IDE failures, hostile modules and how often it
// reads the module.
#include <gtest/gtest.h>

#include <functional>

#include "command/match_selection.h"
#include "engine/pair_table.h"
#include "ide/error.h"
#include "sim/ide.h"
#include "sim/runtime.h"
#include "tests/command/match_table.h"

namespace tandrel::testing {
namespace {

// The command in an IDE the test can still reach, to make its calls fail.
struct CommandHarness {
  CommandHarness(const std::vector<std::string>& lines, const ide::Selection& selection) {
    std::vector<std::u16string> text;
    for (const auto& line : lines) text.push_back(U16(line));
    pane = ide.AddModule(std::move(text));
    pane->Select(selection);
    engine::FillPairTable(table);
  }

  // The Description of the error the command raised, or "no error".
  std::string Run() {
    const command::MatchContext context{ide.Vbe(), table,           u"\"",   u"'",
                                        u"About",  u"bugs@example", runtime, command::kStandardRules};
    try {
      command::MatchSelection(context);
    } catch (const ide::Error& error) {
      return U8(error.Description());
    }
    return "no error";
  }

  sim::Ide ide;
  sim::Runtime runtime{{u"Tandrel", 2, 0, 12, u"Tandrel Software"}};
  engine::PairTable table;
  std::shared_ptr<sim::Pane> pane;
};

std::string Raised(const std::vector<std::string>& lines, const std::string& selection) {
  try {
    RunMatch(lines, selection);
  } catch (const ide::Error& error) {
    return U8(error.Description());
  }
  return "no error";
}

// Every selection here is one no real pane holds (a column below 1 or past the line's end + 1, or a line
// outside the module): the command must still read nothing outside the module's lines.
TEST(MatchLimits, ColumnsOutsideTheLineReadNothingOutsideIt) {
  ExpectRows({
      {{"If a Then x = 1"}, "1:0", "1:1-1:10"},
      {{"Do", "    Loop"}, "2:1000", "2:5-1:1"},
      {{"Do", "Loop"}, "1:2147483647", "1:1-2:5"},
      {{"Do", "Loop"}, "1:2147483646-1:2147483647", "1:1-2:5"},
      {{"If a Then"}, "1:1-1:2147483647", "none", {Usage("If a Then")}},
      {{"If a Then", "End If"}, "1:2147483647-2:2147483647", "none", {Usage()}},
      {{"Do"}, "1:1000-1:1002", "none", {Usage()}},
  });
}

// Selections no real pane holds, as a fuzzer would give them. Which error Lines raises for a start below 1 or
// a negative count is the in-memory IDE's choice, not a rule of the IDE's; the overflow is the run-time's.
TEST(MatchLimits, ImpossibleColumnsRaiseTheRunTimesErrors) {
  struct ErrorRow {
    std::string selection;
    std::string description;
  };
  const std::vector<ErrorRow> rows = {
      // The line count asked for is the start column.
      {"1:-3", "Invalid procedure call or argument"},
      {"1:-2147483648", "Invalid procedure call or argument"},
      {"0:1", "Invalid procedure call or argument"},
      {"-1:1", "Invalid procedure call or argument"},
      // The selection's length does not fit a Long.
      {"1:-2147483648-1:2147483647", "Overflow"},
      {"1:2147483647-1:-2147483648", "Overflow"},
      {"1:5-2:-2147483648", "Overflow"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Raised({"Do", "Loop"}, row.selection), row.description) << "selection " << row.selection;
  }
}

TEST(MatchLimits, IdeFailuresEndTheCommandWithoutABox) {
  struct FailureRow {
    std::string operation;
    std::vector<std::int32_t> pointers;  // the pointer comes back when the search itself fails
  };
  const std::vector<FailureRow> rows = {
      {"ActiveCodePane", {}},    {"GetSelection", {}},  {"CodeModule", {}},        {"Lines", {}},
      {"CountOfLines", {11, 0}}, {"CodePane", {11, 0}}, {"SetSelection", {11, 0}},
  };
  for (const auto& row : rows) {
    CommandHarness harness({"Do", "Loop"}, {1, 1, 1, 1});
    harness.ide.FailCall(row.operation, u"Failed: " + U16(row.operation));
    EXPECT_EQ(harness.Run(), "Failed: " + row.operation);
    EXPECT_TRUE(harness.runtime.Messages().empty()) << row.operation;
    EXPECT_EQ(harness.runtime.Pointers(), row.pointers) << row.operation;
    EXPECT_TRUE(harness.pane->SelectionsSet().empty() || row.operation == "SetSelection") << row.operation;
  }
}

TEST(MatchLimits, NoActivePaneRaisesObjectNotSet) {
  CommandHarness harness({"Do", "Loop"}, {1, 1, 1, 1});
  harness.ide.LeaveNoActivePane();
  EXPECT_EQ(harness.Run(), "Object variable or With block variable not set");
  EXPECT_TRUE(harness.runtime.Messages().empty());
}

// Lines of a million characters: each of these must simply finish.
constexpr std::size_t kMillion = 1'000'000;

TEST(MatchLimits, HostileQuotesAndApostrophesEndTheSearch) {
  const std::string quotes(kMillion, '"');
  const std::string apostrophes(kMillion, '\'');
  ExpectRows({
      // Every quotation mark after the first pairs with the next as a doubled mark, but the last.
      {{quotes}, "1:1", "1:1-1:1000001", {StringLength(499'999)}},
      {{"Do", apostrophes, "Loop"}, "1:1", "1:1-3:5"},
      {{"Do", apostrophes, "Loop"}, "3:1", "3:5-1:1"},
      {{"' Do", apostrophes, "' Loop"}, "1:3", "1:3-3:7"},
  });
}

TEST(MatchLimits, HostileParenthesesEndTheSearch) {
  ExpectRows({
      {{std::string(kMillion, '(')}, "1:1", "none", {NotFound(")", "(", true)}},
      {{std::string(kMillion, ')')}, "1:1000000", "none", {NotFound("(", ")", false)}},
      {{std::string(500'000, ' ') + std::string(500'000, '(')},
       "1:500001",
       "none",
       {NotFound(")", "(", true)}},
  });
}

TEST(MatchLimits, HostileKeywordLinesEndTheSearch) {
  std::string thens;
  for (int i = 0; i < 200'000; ++i) thens += "Then ";
  const std::string loopAfterSpaces = std::string(999'996, ' ') + "Loop";
  ExpectRows({
      // Every "Then" but the last has code after it.
      {{"If a Then", thens, "End If"}, "3:1", "none", {NotFound("If", "End If", false)}},
      {{"If a Then", thens, "End If"}, "1:1", "1:1-2:5"},
      {{"Do", loopAfterSpaces}, "1:1", "1:1-2:1000001"},
      {{"Do", loopAfterSpaces}, "2:999999", "2:1000001-1:1"},
      {{}, "1:1", "none", {Usage()}},
      {{""}, "1:1", "none", {Usage()}},
  });
}

TEST(MatchLimits, DeepNestingMatchesOutermostAndInnermost) {
  constexpr int kDepth = 10'000;
  std::vector<std::string> blocks(kDepth, "If a Then");
  blocks.resize(2 * kDepth, "End If");
  const std::string parens = std::string(kDepth, '(') + std::string(kDepth, ')');
  ExpectRows({
      {blocks, "1:1", "1:1-20000:7"},
      {blocks, "20000:1", "20000:7-1:1"},
      {blocks, "10000:1", "10000:1-10001:7"},
      {blocks, "10001:1", "10001:7-10000:1"},
      {{parens}, "1:1", "1:1-1:20001"},
      {{parens}, "1:20000", "1:20001-1:1"},
      {{parens}, "1:10000", "1:10000-1:10002"},
  });
}

TEST(MatchLimits, EachLineIsReadOnceWhenTheWalkReachesIt) {
  constexpr int kLines = 1'000;
  std::vector<std::string> doLoop(kLines, "x = 1");
  doLoop.front() = "Do";
  doLoop.back() = "Loop";
  std::vector<std::string> endsEarly(kLines, "x = 1");
  endsEarly[0] = "Do";
  endsEarly[1] = "Loop";
  std::vector<std::string> blocks(kLines / 2, "If a Then");
  blocks.resize(kLines, "End If");
  struct CountRow {
    std::vector<std::string> lines;
    std::string selection;
    int fewest, most;
  };
  const std::vector<CountRow> rows = {
      {doLoop, "1:1-1:3", kLines, kLines + 3},
      {doLoop, "1000:1-1000:5", kLines, kLines + 3},
      {blocks, "1:1", kLines, kLines + 3},
      {blocks, "1000:1", kLines, kLines + 3},
      // A search that ends early reads nothing beyond its end.
      {endsEarly, "1:1-1:3", 2, 3},
      {endsEarly, "2:1-2:5", 2, 3},
      // Many stops on one line read it once.
      {{std::string(1000, '(') + std::string(1000, ')')}, "1:1", 2, 3},
      {{"x"}, "1:1", 1, 2},
  };
  for (const auto& row : rows) {
    const int reads = RunMatch(row.lines, row.selection).linesCalls;
    EXPECT_GE(reads, row.fewest) << Describe({row.lines, row.selection, ""});
    EXPECT_LE(reads, row.most) << Describe({row.lines, row.selection, ""});
  }
}

}  // namespace
}  // namespace tandrel::testing
