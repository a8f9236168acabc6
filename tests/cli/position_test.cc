#include "cli/position.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/failure.h"

namespace tandrel::cli {
namespace {

enum class Form { kCaret, kSelection };

struct ParseRow {
  const char* name;
  Form form;
  const char* text;
  std::optional<ide::Selection> expected;  // none: rejected with `error` in the message
  const char* error = "";
};

// Parameterised tests are listed under the row's name.
void PrintTo(const ParseRow& row, std::ostream* out) { *out << row.name; }

class ParsePositionTest : public ::testing::TestWithParam<ParseRow> {};

TEST_P(ParsePositionTest, ReadsTheFourNumbersOrRejects) {
  const auto& row = GetParam();
  const auto parse = [&] {
    return row.form == Form::kCaret ? ParseCaret(row.text) : ParseSelection(row.text);
  };
  if (row.expected) {
    EXPECT_EQ(parse(), *row.expected);
    return;
  }
  try {
    parse();
    FAIL() << "accepted";
  } catch (const InvocationError& error) {
    EXPECT_NE(std::string(error.what()).find(row.error), std::string::npos) << error.what();
  }
}

constexpr const char* kNotCaret = "is not L:C";
constexpr const char* kNotSelection = "is not L1:C1-L2:C2";
constexpr const char* kTooBig = "does not fit in 32 bits";

INSTANTIATE_TEST_SUITE_P(
    Positions, ParsePositionTest,
    ::testing::Values(
        ParseRow{"Caret", Form::kCaret, "12:5", ide::Selection{12, 5, 12, 5}},
        ParseRow{"Selection", Form::kSelection, "1:1-3:4", ide::Selection{1, 1, 3, 4}},
        // Out-of-range numbers are for the module check to reject, with a message about the module.
        ParseRow{"CaretBelowOne", Form::kCaret, "-1:0", ide::Selection{-1, 0, -1, 0}},
        ParseRow{"SelectionWithNegative", Form::kSelection, "3:-1-4:2", ide::Selection{3, -1, 4, 2}},
        ParseRow{"LargestLine", Form::kCaret, "2147483647:1", ide::Selection{2147483647, 1, 2147483647, 1}},
        ParseRow{"LineOnly", Form::kCaret, "12", std::nullopt, kNotCaret},
        ParseRow{"MissingColumn", Form::kCaret, "12:", std::nullopt, kNotCaret},
        ParseRow{"MissingLine", Form::kCaret, ":5", std::nullopt, kNotCaret},
        ParseRow{"ThreeNumbers", Form::kCaret, "12:5:1", std::nullopt, kNotCaret},
        ParseRow{"Letters", Form::kCaret, "a:b", std::nullopt, kNotCaret},
        ParseRow{"LeadingSpace", Form::kCaret, " 12:5", std::nullopt, kNotCaret},
        ParseRow{"TrailingSpace", Form::kCaret, "12:5 ", std::nullopt, kNotCaret},
        ParseRow{"PlusSign", Form::kCaret, "+1:2", std::nullopt, kNotCaret},
        ParseRow{"Empty", Form::kCaret, "", std::nullopt, kNotCaret},
        ParseRow{"SelectionGivenToAt", Form::kCaret, "1:1-1:3", std::nullopt, kNotCaret},
        ParseRow{"CaretGivenToSelect", Form::kSelection, "1:1", std::nullopt, kNotSelection},
        ParseRow{"SelectionWithoutEndColumn", Form::kSelection, "1:1-2", std::nullopt, kNotSelection},
        ParseRow{"SelectionWithComma", Form::kSelection, "1:1,2:3", std::nullopt, kNotSelection},
        ParseRow{"LinePast32Bits", Form::kCaret, "2147483648:1", std::nullopt, kTooBig},
        ParseRow{"NegativePast32Bits", Form::kCaret, "-2147483649:1", std::nullopt, kTooBig},
        ParseRow{"EndColumnPast32Bits", Form::kSelection, "1:1-1:99999999999", std::nullopt, kTooBig}));

// The code window's own check: every line is the module's.
void CheckSelection(const ide::Selection& selection, const std::vector<std::u16string>& lines) {
  CodeWindowSelection(selection, ModuleSource(sim::ModuleText::FromLines(lines), true),
                      LineNumbering::kCodeWindow);
}

struct CheckRow {
  const char* name;
  std::vector<std::u16string> lines;
  ide::Selection selection;
  const char* error;  // empty: valid
};

void PrintTo(const CheckRow& row, std::ostream* out) { *out << row.name; }

class CheckSelectionTest : public ::testing::TestWithParam<CheckRow> {};

TEST_P(CheckSelectionTest, AcceptsOnlyWhereTheCaretCanBe) {
  const auto& row = GetParam();
  if (*row.error == '\0') {
    EXPECT_NO_THROW(CheckSelection(row.selection, row.lines));
    return;
  }
  try {
    CheckSelection(row.selection, row.lines);
    FAIL() << "accepted";
  } catch (const InvocationError& error) {
    EXPECT_NE(std::string(error.what()).find(row.error), std::string::npos) << error.what();
  }
}

const std::vector<std::u16string> kModule{u"If x Then", u"End If", u""};

INSTANTIATE_TEST_SUITE_P(
    Module, CheckSelectionTest,
    ::testing::Values(CheckRow{"FirstColumn", kModule, {1, 1, 1, 1}, ""},
                      CheckRow{"JustPastLineEnd", kModule, {1, 10, 1, 10}, ""},
                      CheckRow{"EmptyLine", kModule, {3, 1, 3, 1}, ""},
                      CheckRow{"OverLines", kModule, {1, 4, 2, 7}, ""},
                      CheckRow{"EmptySelection", kModule, {2, 3, 2, 3}, ""},
                      CheckRow{"TwoPastLineEnd", kModule, {1, 11, 1, 11}, "caret goes up to column 10"},
                      CheckRow{"PastEmptyLine", kModule, {3, 2, 3, 2}, "caret goes up to column 1"},
                      CheckRow{"ColumnZero", kModule, {1, 0, 1, 0}, "columns start at 1"},
                      CheckRow{
                          "LineZero", kModule, {0, 1, 0, 1}, "line 0 is outside the module (lines 1 to 3)"},
                      CheckRow{"NegativeLine", kModule, {-1, 1, -1, 1}, "outside the module"},
                      CheckRow{"LinePastEnd", kModule, {4, 1, 4, 1}, "line 4 is outside the module"},
                      CheckRow{"EndLinePastEnd", kModule, {1, 1, 9, 1}, "9:1: line 9 is outside"},
                      CheckRow{"EndColumnPastLine", kModule, {1, 1, 2, 8}, "2:8: line 2 has 6 characters"},
                      CheckRow{"EndLineBeforeStart", kModule, {2, 1, 1, 5}, "ends before it starts"},
                      CheckRow{"EndColumnBeforeStart", kModule, {1, 5, 1, 4}, "ends before it starts"},
                      CheckRow{"EmptyModuleOrigin", {}, {1, 1, 1, 1}, ""},
                      CheckRow{"EmptyModuleColumnTwo", {}, {1, 2, 1, 2}, "no lines; only 1:1"},
                      CheckRow{"EmptyModuleLineTwo", {}, {1, 1, 2, 1}, "no lines; only 1:1"}));

// A saved class: a two-line header, a property whose first line carries an attribute, and a declaration
// with one of its own. File lines 1, 2, 4 and 8 are hidden; the code window shows the other five.
const char16_t* const kSaved =
    u"Attribute VB_Name = \"Stock\"\r\n"        // 1 hidden
    u"Attribute VB_Exposed = False\r\n"         // 2 hidden
    u"Public Property Get Item() As Long\r\n"   // 3 = code 1
    u"Attribute Item.VB_UserMemId = 0\r\n"      // 4 hidden
    u"    Item = mItem\r\n"                     // 5 = code 2
    u"End Property\r\n"                         // 6 = code 3
    u"Public Count As Long\r\n"                 // 7 = code 4
    u"Attribute Count.VB_VarUserMemId = 1\r\n"  // 8 hidden
    u"Private mItem As Long\r\n";               // 9 = code 5

struct FileRow {
  const char* name;
  ide::Selection file;  // as an editor gives it
  std::string result;   // the code window's selection, or the error
};

void PrintTo(const FileRow& row, std::ostream* out) { *out << row.name; }

class FileLinesTest : public ::testing::TestWithParam<FileRow> {};

TEST_P(FileLinesTest, GiveTheCodeWindowsPlaceOrSayWhyNot) {
  const ModuleSource module(sim::ModuleText(kSaved), false);
  std::string result;
  try {
    result = FormatSelection(CodeWindowSelection(GetParam().file, module, LineNumbering::kFile));
  } catch (const InvocationError& error) {
    result = error.what();
  }
  EXPECT_EQ(result, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Saved, FileLinesTest,
    ::testing::Values(
        FileRow{"FirstCodeLine", {3, 1, 3, 1}, "1:1-1:1"},
        FileRow{"BelowTheAttribute", {5, 5, 6, 13}, "2:5-3:13"},
        FileRow{"BelowBothAttributes", {9, 9, 9, 9}, "5:9-5:9"},
        FileRow{"LastColumnOfTheFileLine", {7, 21, 7, 21}, "4:21-4:21"},
        FileRow{"HeaderLine",
                {1, 1, 1, 1},
                "1:1: line 1 is part of the file's header, which the code window does not show"},
        FileRow{"AttributeLine",
                {3, 1, 4, 1},
                "4:1: line 4 is a member's attribute line, which the code window does not show"},
        FileRow{"PastTheFile", {10, 1, 10, 1}, "10:1: line 10 is outside the file (lines 1 to 9)"},
        // Columns are checked against the file line's own text.
        FileRow{"PastTheLineEnd",
                {6, 14, 6, 14},
                "6:14: line 6 has 12 characters, so the caret goes up to column 13"},
        FileRow{"Backwards", {6, 1, 5, 1}, "6:1-5:1: the selection ends before it starts"}));

// Every shown line of the file maps to a code line and back, whatever stands hidden around it.
TEST(FileLinesTest, MapBothWaysOnEveryShownLine) {
  struct MapRow {
    const char* name;
    std::u16string text;
    std::vector<std::int32_t> codeLineOfFileLine;  // 0: hidden
  };
  const std::vector<MapRow> rows = {
      {"Saved", kSaved, {0, 0, 1, 0, 2, 3, 4, 0, 5}},
      {"NothingHidden", u"a\r\nb\r\n", {1, 2}},
      {"HiddenRunAtTheEnd", u"x\r\nAttribute a.VB_A = 1\r\nAttribute b.VB_B = 2\r\n", {1, 0, 0}},
      {"HiddenRunsBetween",
       u"x\r\nAttribute a.VB_A = 1\r\nAttribute b.VB_B = 2\r\ny\r\nAttribute c.VB_C = 3\r\nz\r\n",
       {1, 0, 0, 2, 0, 3}},
      {"OnlyHeader", u"Attribute VB_Name = \"A\"\r\n", {0}},
  };
  for (const auto& row : rows) {
    const ModuleSource module(sim::ModuleText(row.text), false);
    ASSERT_EQ(module.LineCount(LineNumbering::kFile),
              static_cast<std::int32_t>(row.codeLineOfFileLine.size()))
        << row.name;
    std::vector<std::int32_t> mapped;
    for (std::int32_t fileLine = 1; fileLine <= module.LineCount(LineNumbering::kFile); ++fileLine) {
      const auto codeLine = module.ToCodeWindow(fileLine, LineNumbering::kFile);
      mapped.push_back(codeLine.value_or(0));
      if (codeLine && module.FromCodeWindow(*codeLine, LineNumbering::kFile) != fileLine) mapped.back() = -1;
    }
    EXPECT_EQ(mapped, row.codeLineOfFileLine) << row.name << " (-1: does not map back)";
  }
}

}  // namespace
}  // namespace tandrel::cli
