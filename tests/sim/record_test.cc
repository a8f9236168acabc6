#include <gtest/gtest.h>

#include <functional>

#include "ide/error.h"
#include "sim/ide.h"
#include "sim/runtime.h"
#include "tests/support/actions.h"
#include "tests/support/match_run.h"

namespace tandrel::sim {
namespace {

using testing::Briefs;
using testing::U8;

TEST(Record, HoldsTheIdesAndTheRunTimesActionsInTheOrderTheyHappened) {
  Ide ide;
  Runtime runtime({u"Tandrel", 2, 0, 12, u"Co"}, ide.Record());
  auto pane = ide.AddModule(u"Do\nLoop");
  runtime.SetMousePointer(ide::kPointerHourglass);
  runtime.DoEvents();
  auto control = ide.FindBar(u"Edit")->Add(ide::kControlButton);
  control->AsCommandBarButton()->SetFaceId(556);
  control->SetBeginGroup(true);
  pane->SetSelection(2, 5, 1, 1);
  runtime.MsgBox(u"Done", ide::kMsgBoxExclamation, std::nullopt);
  control->Delete();
  runtime.SetMousePointer(ide::kPointerDefault);

  EXPECT_EQ(Briefs(ide.Actions()),
            (std::vector<std::string>{"Pointer 11", "DoEvents", "Add Edit 12", "FaceId Edit 12 = 556",
                                      "BeginGroup Edit 12 = True", "SetSelection 2:5-1:1", "MsgBox 48",
                                      "Delete Edit 12", "Pointer 0"}));
  EXPECT_EQ(ide.Actions()[6], Action(MessageBox{u"Done", ide::kMsgBoxExclamation, u"Tandrel"}));
  // The per-kind lists hold the same entries.
  EXPECT_EQ(runtime.Actions(), ide.Actions());
  EXPECT_EQ(runtime.Pointers(), (std::vector<std::int32_t>{11, 0}));
  EXPECT_EQ(runtime.Yields(), 1);
  EXPECT_EQ(pane->SelectionsSet(), (std::vector<ide::Selection>{{2, 5, 1, 1}}));

  runtime.Clear();
  EXPECT_TRUE(ide.Actions().empty());
}

// What a control shows, to see that a refused write changed nothing.
std::string State(const Control& control) {
  return U8(control.Caption()) + "|" + U8(control.TooltipText()) + "|" +
         std::to_string(control.BeginGroup()) + std::to_string(control.Visible()) + "|" +
         std::to_string(control.Style()) + "|" + std::to_string(control.FaceId().value_or(-1));
}

TEST(Record, ACallThatRaisesDoesNothingAndRecordsNothing) {
  struct Row {
    std::string failing;  // the operation armed to fail, if any
    bool deletedFirst;
    std::function<void(Pane&, Bar&, Control&)> act;
    std::string raised;
  };
  const std::string failed = "Automation error";
  const std::vector<Row> rows = {
      {"SetSelection", false, [](Pane& pane, Bar&, Control&) { pane.SetSelection(1, 1, 1, 2); }, failed},
      {"Caption", false, [](Pane&, Bar&, Control& control) { control.SetCaption(u"x"); }, failed},
      {"Add", false, [](Pane&, Bar& bar, Control&) { bar.Add(ide::kControlButton); }, failed},
      {"", false, [](Pane&, Bar& bar, Control&) { bar.Add(ide::kControlButton + 1); },
       "Invalid procedure call or argument"},
      {"", true, [](Pane&, Bar&, Control& control) { control.Delete(); },
       "Method 'Delete' of object 'CommandBarControl' failed"},
      // A deleted control refuses every write (the descriptions are the in-memory IDE's).
      {"", true, [](Pane&, Bar&, Control& control) { control.SetCaption(u"x"); },
       "Method 'Caption' of object 'CommandBarControl' failed"},
      {"", true, [](Pane&, Bar&, Control& control) { control.SetTooltipText(u"x"); },
       "Method 'TooltipText' of object 'CommandBarControl' failed"},
      {"", true, [](Pane&, Bar&, Control& control) { control.SetBeginGroup(true); },
       "Method 'BeginGroup' of object 'CommandBarControl' failed"},
      {"", true, [](Pane&, Bar&, Control& control) { control.SetVisible(false); },
       "Method 'Visible' of object 'CommandBarControl' failed"},
      {"", true, [](Pane&, Bar&, Control& control) { control.SetStyle(3); },
       "Method 'Style' of object 'CommandBarButton' failed"},
      {"", true, [](Pane&, Bar&, Control& control) { control.SetFaceId(556); },
       "Method 'FaceId' of object 'CommandBarButton' failed"},
  };
  for (const auto& row : rows) {
    Ide ide;
    auto pane = ide.AddModule(u"x");
    auto bar = ide.FindBar(u"Edit");
    bar->Add(ide::kControlButton);
    Control& control = *bar->Added().back();
    if (row.deletedFirst) control.Delete();
    if (!row.failing.empty()) ide.FailCall(row.failing, u"Automation error");
    ide.Record()->Clear();
    const std::string before = State(control) + " " + testing::Brief(SelectionSet{pane->Selection()});

    std::string raised = "nothing raised";
    try {
      row.act(*pane, *bar, control);
    } catch (const ide::Error& error) {
      raised = U8(error.Description());
    }
    const std::string after = State(control) + " " + testing::Brief(SelectionSet{pane->Selection()});
    EXPECT_EQ(raised + (after == before ? "" : ", changed") + ", recorded " +
                  std::to_string(ide.Actions().size()) + ", controls " + std::to_string(bar->Added().size()),
              row.raised + ", recorded 0, controls 1")
        << (row.failing.empty() ? "" : row.failing + " failing, ")
        << (row.deletedFirst ? "deleted first, " : "") << "expected " << row.raised;
  }
}

TEST(Record, ARunTimeOfItsOwnKeepsItsOwnRecord) {
  Ide ide;
  Runtime runtime({u"Tandrel", 2, 0, 12, u"Co"});
  runtime.DoEvents();
  ide.AddModule(u"x")->SetSelection(1, 1, 1, 2);
  EXPECT_EQ(Briefs(runtime.Actions()), std::vector<std::string>{"DoEvents"});
  EXPECT_EQ(Briefs(ide.Actions()), std::vector<std::string>{"SetSelection 1:1-1:2"});
}

}  // namespace
}  // namespace tandrel::sim
