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

}  // namespace
}  // namespace tandrel::cli
