#include <gtest/gtest.h>

#include <limits>

#include "engine/scan_position.h"
#include "ide/error.h"
#include "tests/engine/module_fixture.h"

namespace tandrel::engine {
namespace {

using testing::ModuleFixture;
using testing::U16;
using testing::U8;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kLineChange = 0;  // in `stepSize`: call MoveToNextLine instead of StepPosition

// Lengths 9, 0, 10 and 7.
const std::vector<std::string> kModule = {"Sub Foo()", "", "    x = 10", "End Sub"};

struct MoveRow {
  std::int32_t lineNo, col, direction, stepSize;
  bool inside;
  std::int32_t endLineNo, endCol;
  std::string endText;
};

TEST(StepPosition, MovesWithinTheLineOrOnToTheAdjacentLine) {
  const std::vector<MoveRow> rows = {
      // Forward by the step size, backward always by one.
      {3, 3, 1, 4, true, 3, 7, "    x = 10"},
      {3, 5, -1, 4, true, 3, 4, "    x = 10"},
      {3, 5, -1, 1, true, 3, 4, "    x = 10"},
      // Leaving the line: an overshoot is not carried over.
      {3, 8, 1, 6, true, 4, 1, "End Sub"},
      {3, 1, -1, 1, true, 2, 0, ""},
      {2, 0, -1, 1, true, 1, 9, "Sub Foo()"},
      {1, 9, 1, 1, true, 2, 1, ""},
      {2, 1, 1, 1, true, 3, 1, "    x = 10"},
      // Off either end of the module: the line number moves, the column and text stay on the last line.
      {4, 7, 1, 1, false, 5, 8, "End Sub"},
      {1, 1, -1, 1, false, 0, 0, "Sub Foo()"},
      // Columns off the line are resolved by the next step, without wrapping around.
      {3, 0, 1, 1, true, 3, 1, "    x = 10"},
      {3, -5, 1, 1, true, 4, 1, "End Sub"},
      {3, 1000, -1, 1, true, 2, 0, ""},
      {3, 2, 1, kMax, true, 4, 1, "End Sub"},
      {3, kMax, 1, 1, true, 4, 1, "End Sub"},
      {3, kMin, -1, 1, true, 2, 0, ""},
  };
  for (const auto& row : rows) {
    ModuleFixture fixture(kModule);
    ModuleLines lines(*fixture.module);
    ScanPosition position{row.lineNo, row.col, lines.Line(row.lineNo), row.direction};
    const std::string input = "from " + std::to_string(row.lineNo) + ":" + std::to_string(row.col) +
                              " direction " + std::to_string(row.direction) + " step " +
                              std::to_string(row.stepSize);
    EXPECT_EQ(StepPosition(position, row.stepSize, lines), row.inside) << input;
    EXPECT_EQ(position.lineNo, row.endLineNo) << input;
    EXPECT_EQ(position.col, row.endCol) << input;
    EXPECT_EQ(U8(std::u16string(position.lineText.View())), row.endText) << input;
    EXPECT_EQ(position.direction, row.direction) << input;
  }
}

TEST(MoveToNextLine, LandsOnTheFirstColumnForwardAndTheLastBackward) {
  const std::vector<MoveRow> rows = {
      {3, 5, 1, kLineChange, true, 4, 1, "End Sub"},      {3, 5, -1, kLineChange, true, 2, 0, ""},
      {4, 3, -1, kLineChange, true, 3, 10, "    x = 10"}, {4, 3, 1, kLineChange, false, 5, 3, "End Sub"},
      {1, 3, -1, kLineChange, false, 0, 3, "Sub Foo()"},
  };
  for (const auto& row : rows) {
    ModuleFixture fixture(kModule);
    ModuleLines lines(*fixture.module);
    ScanPosition position{row.lineNo, row.col, lines.Line(row.lineNo), row.direction};
    const std::string input =
        "from line " + std::to_string(row.lineNo) + " direction " + std::to_string(row.direction);
    EXPECT_EQ(MoveToNextLine(position, lines), row.inside) << input;
    EXPECT_EQ(position.lineNo, row.endLineNo) << input;
    EXPECT_EQ(position.col, row.endCol) << input;
    EXPECT_EQ(U8(std::u16string(position.lineText.View())), row.endText) << input;
  }
}

TEST(StepPosition, WalkReadsEachLineOnceAndTheCountOnce) {
  for (const std::int32_t direction : {1, -1}) {
    ModuleFixture fixture(kModule);
    ModuleLines lines(*fixture.module);
    const std::int32_t first = direction == 1 ? 1 : 4;
    ScanPosition position{first, 1, lines.Line(first), direction};
    int steps = 0;
    std::vector<std::int32_t> visited{first};
    while (StepPosition(position, 1, lines)) {
      if (position.lineNo != visited.back()) visited.push_back(position.lineNo);
      ASSERT_LT(++steps, 100) << "direction " << direction;
    }
    const std::vector<std::int32_t> expected =
        direction == 1 ? std::vector<std::int32_t>{1, 2, 3, 4} : std::vector<std::int32_t>{4, 3, 2, 1};
    EXPECT_EQ(visited, expected) << "direction " << direction;
    EXPECT_EQ(fixture.Reads(), 4) << "direction " << direction;
    // Nothing changes the module during a walk: the count is asked once.
    EXPECT_EQ(fixture.ide.CallCount("CountOfLines"), 1) << "direction " << direction;
  }
}

TEST(MoveToNextLine, PassesPortErrorsOn) {
  for (const std::string operation : {"Lines", "CountOfLines"}) {
    ModuleFixture fixture(kModule);
    ModuleLines lines(*fixture.module);
    ScanPosition position{1, 1, lines.Line(1), 1};
    fixture.ide.FailCall(operation, U16(operation + " failed"));
    EXPECT_THROW(MoveToNextLine(position, lines), ide::Error) << operation;
    // Within the line no call is made.
    position.col = 1;
    EXPECT_TRUE(StepPosition(position, 2, lines)) << operation;
  }
}

}  // namespace
}  // namespace tandrel::engine
