#include "cli/human_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel::cli {
namespace {

// Every line of `text` is the module's.
ModuleSource Raw(std::u16string text) { return ModuleSource(sim::ModuleText(std::move(text)), true); }

ModuleSource Numbered(int count) {
  std::u16string text;
  for (int i = 1; i <= count; ++i) {
    const std::string line = "    line" + std::to_string(i) + "\r\n";
    text.append(line.begin(), line.end());
  }
  return Raw(std::move(text));
}

// A saved module: the code window leaves out its header and its member attribute lines.
ModuleSource Saved(std::u16string text) { return ModuleSource(sim::ModuleText(std::move(text)), false); }

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
  LineNumbering numbering = LineNumbering::kCodeWindow;
};

// Parameterised tests are listed under the row's name.
void PrintTo(const ReportRow& row, std::ostream* out) { *out << row.name; }

class HumanReportTest : public ::testing::TestWithParam<ReportRow> {};

TEST_P(HumanReportTest, ShowsThePlaceTheLinesAndTheBoxes) {
  const auto& row = GetParam();
  const std::string report =
      HumanReport("Mod.bas", row.module, row.numbering, row.given, row.run, row.colour);
  for (const auto& text : row.shows)
    EXPECT_NE(report.find(text), std::string::npos) << text << "\n" << report;
  for (const auto& text : row.hides)
    EXPECT_EQ(report.find(text), std::string::npos) << text << "\n" << report;
}

const sim::MessageBox kNotFound{u"Match 'Wend' for 'While' not found searching forward.\r\n\r\nComments", 48,
                                u"Tandrel V. 2.0.12"};

const char16_t* const kProperty =
    u"Attribute VB_Name = \"Stock\"\r\n"
    u"Option Explicit\r\n"
    u"Public Property Get Item() As Long\r\n"
    u"Attribute Item.VB_UserMemId = 0\r\n"
    u"    Item = 1\r\n"
    u"End Property\r\n";

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
                  Raw(u"\tIf \x1b[2J\u009B0m Then"),
                  {1, 2, 1, 2},
                  Selected({1, 2, 1, 4}),
                  false,
                  {"     1 |  If ?[2J?0m Then\n", "       |  ^~\n"},
                  {"\x1b", "\t", "\xC2\x9B"}},
        ReportRow{"HeaderNoted",
                  Saved(u"Attribute VB_Name = \"A\"\r\n"
                        u"Attribute VB_Creatable = False\r\n"
                        u"Attribute VB_Exposed = False\r\n"
                        u"Option Explicit"),
                  {1, 1, 1, 1},
                  MatchRun{},
                  false,
                  {"3-line header (--lines file counts them)"},
                  {}},
        ReportRow{"EmptyModule", Raw(u""), {1, 1, 1, 1}, MatchRun{}, false, {"the module has no lines"}, {}},
        // The code window's numbers leave the attribute line out, and so does the view.
        ReportRow{"AttributeLinesNoted",
                  Saved(kProperty),
                  {2, 1, 2, 1},
                  Selected({2, 1, 4, 13}),
                  false,
                  {"Mod.bas:2:1-4:13: selected by the add-in\n", "1-line header and 1 attribute line",
                   "     3 >     Item = 1\n", "     4 > End Property\n"},
                  {"VB_UserMemId"}},
        // The file's numbers show the file as an editor does, the hidden line inside the span.
        ReportRow{"FileLinesShowHiddenLines",
                  Saved(kProperty),
                  {3, 1, 3, 1},
                  Selected({3, 1, 6, 13}),
                  false,
                  {"Mod.bas:3:1-6:13: selected by the add-in\n", "     2 | Option Explicit\n",
                   "     4 > Attribute Item.VB_UserMemId = 0\n", "     6 > End Property\n"},
                  {"note:"},
                  LineNumbering::kFile}));

}  // namespace
}  // namespace tandrel::cli
