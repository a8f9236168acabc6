#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/ide.h"

namespace tandrel::sim {
namespace {

TEST(Click, HandsHandledAndCancelDefaultToEachHandlerInTurnAndBack) {
  struct Row {
    bool handled, cancelDefault;
    std::string told;  // what each handler saw, then what the IDE read back
  };
  const std::vector<Row> rows = {
      {false, false, "00 10 | 11"},
      {true, false, "10 00 | 01"},
      {false, true, "01 11 | 10"},
      {true, true, "11 01 | 00"},
  };
  for (const auto& row : rows) {
    Ide ide;
    const auto control = ide.FindBar(u"Edit")->Add(ide::kControlButton);
    std::string told;
    auto seen = [&told](bool handled, bool cancelDefault) {
      told += std::string(told.empty() ? "" : " ") + (handled ? "1" : "0") + (cancelDefault ? "1" : "0");
    };
    // Two sources of one control, each with a handler that flips one of the flags after looking at both. That
    // the older source's handler runs first is the in-memory IDE's choice.
    const auto first = ide.Vbe()->Events()->CommandBarEvents(control);
    const auto second = ide.Vbe()->Events()->CommandBarEvents(control);
    first->Advise([&](const auto&, bool& handled, bool& cancelDefault) {
      seen(handled, cancelDefault);
      handled = !handled;
    });
    second->Advise([&](const auto&, bool& handled, bool& cancelDefault) {
      seen(handled, cancelDefault);
      cancelDefault = !cancelDefault;
    });
    bool handled = row.handled;
    bool cancelDefault = row.cancelDefault;
    EXPECT_EQ(ide.Click(control, handled, cancelDefault), 2);
    seen(handled, cancelDefault);
    told.insert(told.rfind(' '), " |");
    EXPECT_EQ(told, row.told) << "handled=" << row.handled << " CancelDefault=" << row.cancelDefault;
  }
}

TEST(Click, ADeletedControlRaisesNoClick) {
  Ide ide;
  const auto control = ide.FindBar(u"Add-Ins")->Add(ide::kControlButton);
  const auto source = ide.Vbe()->Events()->CommandBarEvents(control);
  int clicks = 0;
  source->Advise([&clicks](const auto&, bool&, bool&) { ++clicks; });
  EXPECT_EQ(ide.Click(control), 1);
  control->Delete();
  EXPECT_EQ(ide.Click(control), 0);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace tandrel::sim
