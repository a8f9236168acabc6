// Each IDE call that a connection, a click and a disconnection make is made to raise in turn, in every build
// and through each entry: the session must end, show what the failing step's handler shows, keep what was
// done before it, put the mouse pointer back and leave nothing behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/addin_session.h"
#include "tests/support/match_run.h"

namespace tandrel::testing {
namespace {

// A block If over three lines, the caret on its "If": the click reads all three lines and selects them.
const std::vector<std::u16string> kModule = {u"If a Then", u"    x = 1", u"End If"};
constexpr ide::Selection kCaretOnIf{1, 1, 1, 1};
constexpr char kWholeBlock[] = "1:1-3:7";

enum class Phase { kConnection, kClick, kDisconnection, kRelease };

// One call of a clean session, in order, and what the session shows when that call raises. During connection:
// the boxes shown, the entries left on the bars (C, A, E for Code Window, Add-Ins, Edit; upper case when the
// entry's click reaches the add-in) and how many controls stay after disconnection (one added but never
// handed back stays). During the click: the pointer values set.
struct CallRow {
  const char* only;  // the builds the row is for, such as "vb6 vb5", where they differ
  const char* call;
  Phase phase;
  std::vector<std::string> boxes;
  std::string entries;
  int left = 0;
  std::vector<int> pointers;
  bool completes = false;  // connection went on past the failure, as the VBA editor's build does
};

// Boxes as "style|title|first line of the prompt"; $TITLE is the build's product title.
const std::string kMenus = "48| Error in AddToMenus()|Automation error";
const std::string kToolbars = "48| Error in AddToToolbars()|Automation error";
const std::string kFailed = "0|$TITLE|Automation error";
const std::string kNoEvents = "0|$TITLE|Invalid procedure call or argument";  // the events of Nothing
const std::string kNoButton = "0|$TITLE|Object variable or With block variable not set";  // FaceId on Nothing

CallRow Connecting(const char* only, const char* call, std::vector<std::string> boxes, std::string entries,
                   int left = 0) {
  return {only, call, Phase::kConnection, std::move(boxes), std::move(entries), left, {}};
}
// The VBA editor's build leaves out an entry whose bar it cannot reach, without a word, and goes on.
CallRow GoingOn(const char* call, std::vector<std::string> boxes, std::string entries, int left = 0) {
  return {"vba", call, Phase::kConnection, std::move(boxes), std::move(entries), left, {}, true};
}
// A failure passed over: a bar that shows no key beside its entries.
CallRow Ignored(const char* call) { return {"", call, Phase::kConnection, {}, "CAE", 0, {}, true}; }
CallRow Clicking(const char* call, std::vector<int> pointers) {
  return {"", call, Phase::kClick, {}, "", 0, std::move(pointers)};
}
CallRow Ending(const char* only, const char* call, Phase phase, int left) {
  return {only, call, phase, {}, "", left, {}};
}

std::vector<CallRow> Rows() {
  const std::vector<std::string> menus = {kMenus, kNoEvents};
  const std::vector<std::string> toolbars = {kToolbars, kNoButton};
  // clang-format off
  return {
      // AddToMenus("Code Window"), then its event source.
      Connecting("vb6 vb5", "CommandBars", menus, ""),
      Connecting("vb6 vb5", "Item", menus, ""),
      Connecting("vb6 vb5", "Controls", menus, ""),
      Connecting("vb6 vb5", "Add", menus, ""),
      Connecting("vb6 vb5", "Caption", menus, "c", 1),
      GoingOn("CommandBars", {kMenus}, "AE"),
      GoingOn("Item", {}, "AE"),
      GoingOn("Controls", {kMenus}, "AE"),
      GoingOn("Add", {kMenus}, "AE"),
      GoingOn("Caption", {kMenus}, "cAE", 1),
      Ignored("ShortcutText"),
      Connecting("", "Events", {kFailed}, "c"),
      Connecting("", "CommandBarEvents", {kFailed}, "c"),
      Connecting("", "Advise", {kFailed}, "c"),
      // AddToMenus("Add-Ins"), found through the menu bar in the VBA editor, then its event source.
      Connecting("vb6 vb5", "CommandBars", menus, "C"),
      Connecting("vb6 vb5", "Item", menus, "C"),
      Connecting("vb6 vb5", "Controls", menus, "C"),
      Connecting("vb6 vb5", "Add", menus, "C"),
      Connecting("vb6 vb5", "Caption", menus, "Ca", 1),
      GoingOn("CommandBars", {kMenus}, "CE"),
      GoingOn("ActiveMenuBar", {}, "CE"),
      GoingOn("FindControl", {}, "CE"),
      GoingOn("CommandBar", {}, "CE"),
      GoingOn("Controls", {kMenus}, "CE"),
      GoingOn("Add", {kMenus}, "CE"),
      GoingOn("Caption", {kMenus}, "CaE", 1),
      Ignored("ShortcutText"),
      Connecting("", "Events", {kFailed}, "Ca"),
      Connecting("", "CommandBarEvents", {kFailed}, "Ca"),
      Connecting("", "Advise", {kFailed}, "Ca"),
      // AddToToolbars("Edit"); the VB5 build gives the button its face and shows it there too.
      Connecting("vb6 vb5", "CommandBars", toolbars, "CA"),
      Connecting("vb6 vb5", "Item", toolbars, "CA"),
      Connecting("vb6 vb5", "Controls", toolbars, "CA"),
      Connecting("vb6 vb5", "Add", toolbars, "CA"),
      Connecting("vb6 vb5", "AsCommandBarButton", toolbars, "CAe", 1),
      Connecting("vb6 vb5", "Caption", toolbars, "CAe", 1),
      Connecting("vb6 vb5", "Style", toolbars, "CAe", 1),
      Connecting("vb6 vb5", "TooltipText", toolbars, "CAe", 1),
      Connecting("vb6 vb5", "BeginGroup", toolbars, "CAe", 1),
      Connecting("vb5", "FaceId", toolbars, "CAe", 1),
      Connecting("vb5", "Visible", toolbars, "CAe", 1),
      GoingOn("CommandBars", {kToolbars}, "CA"),
      GoingOn("Item", {}, "CA"),
      GoingOn("Controls", {kToolbars}, "CA"),
      GoingOn("Add", {kToolbars}, "CA"),
      GoingOn("AsCommandBarButton", {kToolbars}, "CAe", 1),
      GoingOn("Caption", {kToolbars}, "CAe", 1),
      GoingOn("Style", {kToolbars}, "CAe", 1),
      GoingOn("TooltipText", {kToolbars}, "CAe", 1),
      GoingOn("BeginGroup", {kToolbars}, "CAe", 1),
      Ignored("ShortcutText"),
      // The button's face, then its event source.
      Connecting("", "FaceId", {kFailed}, "CAe"),
      Connecting("", "Events", {kFailed}, "CAe"),
      Connecting("", "CommandBarEvents", {kFailed}, "CAe"),
      Connecting("", "Advise", {kFailed}, "CAe"),
      // The click: the selection and the word at the caret, then the search behind the hourglass (the line
      // count read once), then the selection in the module's own pane.
      Clicking("ActiveCodePane", {}),
      Clicking("GetSelection", {}),
      Clicking("CodeModule", {}),
      Clicking("Lines", {}),
      Clicking("Lines", {}),
      Clicking("Lines", {11, 0}),
      Clicking("CountOfLines", {11, 0}),
      Clicking("Lines", {11, 0}),
      Clicking("Lines", {11, 0}),
      Clicking("CodePane", {11, 0}),
      Clicking("SetSelection", {11, 0}),
      // Disconnection removes the three entries, passing over a failure; releasing the object lets go of its
      // event sources. The VBA editor's build lets go of them first, at disconnection.
      Ending("vba", "Unadvise", Phase::kDisconnection, 0),
      Ending("vba", "Unadvise", Phase::kDisconnection, 0),
      Ending("vba", "Unadvise", Phase::kDisconnection, 0),
      Ending("", "Delete", Phase::kDisconnection, 1),
      Ending("", "Delete", Phase::kDisconnection, 1),
      Ending("", "Delete", Phase::kDisconnection, 1),
      Ending("vb6 vb5", "Unadvise", Phase::kRelease, 0),
      Ending("vb6 vb5", "Unadvise", Phase::kRelease, 0),
      Ending("vb6 vb5", "Unadvise", Phase::kRelease, 0),
  };
  // clang-format on
}

std::vector<CallRow> RowsOf(Build build) {
  std::vector<CallRow> rows;
  for (auto& row : Rows()) {
    if (*row.only == '\0' || std::string(row.only).find(NameOf(build)) != std::string::npos) {
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

std::string ProductTitle(Build build) { return U8(deliverables::Of(build).version().title); }

char LetterOf(Entry entry) {
  switch (entry) {
    case Entry::kCodeWindow:
      return 'C';
    case Entry::kAddIns:
      return 'A';
    case Entry::kEdit:
      return 'E';
  }
  return '?';
}

std::string Boxes(const std::vector<sim::MessageBox>& boxes) {
  std::string text = "[";
  for (const auto& box : boxes) {
    const std::string prompt = U8(box.prompt);
    text += (text.size() > 1 ? ", " : "") + std::to_string(box.style) + "|" + U8(box.title) + "|" +
            prompt.substr(0, prompt.find('\r'));
  }
  return text + "]";
}

std::string Told(const SessionOutcome& outcome) {
  std::string text = "connection" + Boxes(outcome.connectionMessages) + " click:";
  if (!outcome.entryOnBar) {
    text += "no entry";
  } else if (!outcome.clickError && outcome.clickHandlers == 0) {
    text += "not handled";
  } else {
    text += "ran";
  }
  if (outcome.clickError) text += " raising '" + U8(*outcome.clickError) + "'";
  text += Boxes(outcome.clickMessages) + " pointer[";
  for (std::int32_t pointer : outcome.pointers) text += " " + std::to_string(pointer);
  text += " ] selection:";
  if (outcome.selectionsSet.empty()) {
    text += "none";
  } else {
    const auto& set = outcome.selectionsSet.back();
    text += std::to_string(set.startLine) + ":" + std::to_string(set.startColumn) + "-" +
            std::to_string(set.endLine) + ":" + std::to_string(set.endColumn);
  }
  return text + " disconnection" + Boxes(outcome.disconnectionMessages) +
         " left:" + std::to_string(outcome.controlsLeft);
}

// What the session must show when `row`'s call raises and `entry` is clicked, told as Told tells it.
std::string Expected(const CallRow& row, Build build, Entry entry) {
  std::vector<sim::MessageBox> connection;
  for (const auto& box : row.boxes) {
    const auto first = box.find('|');
    const auto second = box.find('|', first + 1);
    std::string title = box.substr(first + 1, second - first - 1);
    if (title == "$TITLE") title = ProductTitle(build);
    connection.push_back({U16(box.substr(second + 1)), std::stoi(box.substr(0, first)), U16(title)});
  }
  std::string click = "ran[] pointer[ 11 0 ] selection:" + std::string(kWholeBlock);
  if (row.phase == Phase::kConnection) {
    // The pair table is filled last, so a click through an entry left by a failed connection finds no pair:
    // the usage box, without a title or a contact address, which were not set either.
    const char letter = LetterOf(entry);
    if (row.entries.find(letter) != std::string::npos) {
      if (!row.completes) click = "ran[64||Can't match 'If'!] pointer[ ] selection:none";
    } else if (row.entries.find(static_cast<char>(letter - 'A' + 'a')) != std::string::npos) {
      click = "not handled[] pointer[ ] selection:none";
    } else {
      click = "no entry[] pointer[ ] selection:none";
    }
  }
  if (row.phase == Phase::kClick) {
    click = "ran raising 'Automation error'[] pointer[";
    for (int pointer : row.pointers) click += " " + std::to_string(pointer);
    click += " ] selection:none";
  }
  return "connection" + Boxes(connection) + " click:" + click +
         " disconnection[] left:" + std::to_string(row.left);
}

class FailingCallTest : public ::testing::TestWithParam<Build> {};

TEST_P(FailingCallTest, ASessionMakesTheCallsOfTheTableInOrder) {
  std::vector<std::string> expected;
  for (const auto& row : RowsOf(GetParam())) expected.emplace_back(row.call);
  CallRecorder calls(CallLimit(kModule));
  const SessionOutcome outcome = RunSession(kModule, kCaretOnIf, GetParam(), Entry::kCodeWindow, calls);
  EXPECT_EQ(std::vector<std::string>(calls.Calls().begin(), calls.Calls().end()), expected);
  EXPECT_EQ(Told(outcome),
            "connection[] click:ran[] pointer[ 11 0 ] selection:1:1-3:7 disconnection[] left:0");
}

TEST_P(FailingCallTest, EachCallRaisingInTurnEndsAsItsHandlerSays) {
  const std::vector<CallRow> rows = RowsOf(GetParam());
  for (Entry entry : {Entry::kCodeWindow, Entry::kAddIns, Entry::kEdit}) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      CallRecorder calls(CallLimit(kModule), static_cast<std::int64_t>(i) + 1);
      const SessionOutcome outcome = RunSession(kModule, kCaretOnIf, GetParam(), entry, calls);
      EXPECT_EQ(Told(outcome), Expected(rows[i], GetParam(), entry))
          << "call " << i + 1 << " (" << rows[i].call << ") raising, entry " << NameOf(entry);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Builds, FailingCallTest, ::testing::Values(Build::kVb6, Build::kVb5, Build::kVba),
                         [](const auto& param) { return std::string(NameOf(param.param)); });

}  // namespace
}  // namespace tandrel::testing
