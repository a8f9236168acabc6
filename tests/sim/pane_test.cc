#include <gtest/gtest.h>

#include "sim/ide.h"
#include "tests/support/actions.h"

namespace tandrel::sim {
namespace {

std::string Shown(const ide::Selection& s) {
  return std::to_string(s.startLine) + ":" + std::to_string(s.startColumn) + "-" + std::to_string(s.endLine) +
         ":" + std::to_string(s.endColumn);
}

TEST(Pane, KeepsASelectionStartFirstAndRecordsItAsPassed) {
  struct Row {
    ide::Selection passed;
    std::string reported;
  };
  const std::vector<Row> rows = {
      {{1, 1, 2, 7}, "1:1-2:7"},
      {{2, 7, 1, 1}, "1:1-2:7"},
      {{1, 5, 1, 2}, "1:2-1:5"},
      {{2, 1, 1, 9}, "1:9-2:1"},
      {{2, 3, 2, 3}, "2:3-2:3"},
      // Selections no real pane holds (columns below 1 and past the end, lines outside the module) are kept
      // for tests of how the add-in copes with them; only their ends are put in order.
      {{9, 0, 0, -3}, "0:-3-9:0"},
      {{1, 2147483647, 1, -2147483647 - 1}, "1:-2147483648-1:2147483647"},
  };
  for (const auto& row : rows) {
    Ide ide;
    auto pane = ide.AddModule(u"If a Then\nEnd If");
    pane->SetSelection(row.passed.startLine, row.passed.startColumn, row.passed.endLine,
                       row.passed.endColumn);
    const std::string afterSet = Shown(pane->GetSelection());
    pane->Select({1, 1, 1, 1});
    pane->Select(row.passed);
    EXPECT_EQ(afterSet + " " + Shown(pane->Selection()) + " " + testing::Brief(ide.Actions().back()),
              row.reported + " " + row.reported + " SetSelection " + Shown(row.passed))
        << "SetSelection " << Shown(row.passed);
  }
}

}  // namespace
}  // namespace tandrel::sim
