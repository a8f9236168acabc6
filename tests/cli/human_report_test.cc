#include "cli/human_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel::cli {
namespace {

ModuleSource Numbered(int count) {
  ModuleSource module;
  for (int i = 1; i <= count; ++i) {
    const std::string text = "    line" + std::to_string(i);
    module.lines.emplace_back(text.begin(), text.end());
  }
  return module;
}

MatchRun Selected(ide::Selection selection, std::vector<sim::MessageBox> messages = {}) {
  MatchRun run;
  run.selection = selection;
  run.messages = std::move(messages);
  return run;
}

struct ReportRow {
  const char* name;
  ModuleSource module;
  ide::Selection given;
  MatchRun run;
  bool colour;
  std::vector<std::string> shows;
  std::vector<std::string> hides;
};

// Parameterised tests are listed under the row's name.
void PrintTo(const ReportRow& row, std::ostream* out) { *out << row.name; }

class HumanReportTest : public ::testing::TestWithParam<ReportRow> {};

TEST_P(HumanReportTest, ShowsThePlaceTheLinesAndTheBoxes) {
  const auto& row = GetParam();
  const std::string report = HumanReport("Mod.bas", row.module, row.given, row.run, row.colour);
  for (const auto& text : row.shows)
    EXPECT_NE(report.find(text), std::string::npos) << text << "\n" << report;
  for (const auto& text : row.hides)
    EXPECT_EQ(report.find(text), std::string::npos) << text << "\n" << report;
}

const sim::MessageBox kNotFound{u"Match 'Wend' for 'While' not found searching forward.\r\n\r\nComments", 48,
                                u"Tandrel V. 2.0.12"};

INSTANTIATE_TEST_SUITE_P(
    Reports, HumanReportTest,
    ::testing::Values(
        ReportRow{
            "OneLineSpanUnderlined",
            Numbered(3),
            {2, 5, 2, 5},
            Selected({2, 5, 2, 10}),
            false,
            {"Mod.bas:2:5-2:10: selected by the add-in\n", "     2 |     line2\n", "       |     ^~~~~\n"},
            {"\x1b", ">"}},
        // The add-in selects backwards from a closer: the span still runs over lines 1 to 3.
        ReportRow{
            "BackwardSelection",
            Numbered(5),
            {3, 5, 3, 5},
            Selected({3, 10, 1, 5}),
            false,
            {"Mod.bas:3:10-1:5:", "     1 >     line1\n", "     3 >     line3\n", "     4 |     line4\n"},
            {"     5 "}},
        ReportRow{"LongSpanElided",
                  Numbered(30),
                  {5, 5, 5, 5},
                  Selected({5, 5, 25, 10}),
                  false,
                  {"     4 |", "     7 >", "(15 more lines)", "    23 >", "    26 |"},
                  {"     8 ", "    15 ", "    22 "}},
        ReportRow{"NoSelectionShowsTheGivenCaretAndBoxes",
                  Numbered(3),
                  {2, 7, 2, 7},
                  MatchRun{std::nullopt, {kNotFound}, {11, 0}, std::nullopt},
                  false,
                  {"Mod.bas:2:7: no selection set\n", "       |       ^\n",
                   "message box \"Tandrel V. 2.0.12\" (exclamation):\n"
                   "    Match 'Wend' for 'While' not found searching forward.\n\n    Comments\n"},
                  {}},
        ReportRow{
            "Colour", Numbered(2), {1, 5, 1, 5}, Selected({1, 5, 1, 10}), true, {"\x1b[7mline1\x1b[0m"}, {}},
        // Text from the file must not drive the terminal, nor tabs push the markers out of line.
        ReportRow{"ControlCharactersNeutralised",
                  ModuleSource{{u"\tIf \x1b[2J\u009B0m Then"}, 0},
                  {1, 2, 1, 2},
                  Selected({1, 2, 1, 4}),
                  false,
                  {"     1 |  If ?[2J?0m Then\n", "       |  ^~\n"},
                  {"\x1b", "\t", "\xC2\x9B"}},
        ReportRow{"HeaderNoted",
                  ModuleSource{{u"Option Explicit"}, 9},
                  {1, 1, 1, 1},
                  MatchRun{},
                  false,
                  {"9-line header"},
                  {}},
        ReportRow{"EmptyModule",
                  ModuleSource{},
                  {1, 1, 1, 1},
                  MatchRun{},
                  false,
                  {"the module has no lines"},
                  {}}));

}  // namespace
}  // namespace tandrel::cli
