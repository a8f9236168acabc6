#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "addin/connect.h"
#include "deliverables/deliverables.h"
#include "ide/error.h"
#include "sim/ide.h"
#include "sim/runtime.h"
#include "tests/support/actions.h"
#include "tests/support/match_run.h"

namespace tandrel::addin {
namespace {

using tandrel::testing::U8;

constexpr char kNotSet[] = "Object variable or With block variable not set";
constexpr char kInvalidCall[] = "Invalid procedure call or argument";
constexpr char kUsageBody[] =
    "Select or right-click on:\n- language keyword such as IF, DO, FOR etc,\n- parenthesis or opening "
    "quotation mark.\n Then select Tandrel from right-click menu.\n\nComments and bugs to ";

// One deliverable as the IDE meets it: its row of the table of deliverables, and what it shows.
struct Deliverable {
  std::string name;
  const deliverables::Deliverable* row;
  ide::VersionInfo version;
  std::string menuCaption;
  std::string aboutText;
  int faceIdCalls;   // the VB5 toolbar button gets its face in AddToToolbars as well
  int visibleCalls;  // and is made visible there
  // A click with the caret just past ‹If·a·Then› (followed by ‹End·If›): the builds take different words.
  std::string caretPastThen;

  std::string ContactAddress() const { return U8(std::u16string(row->contactAddress)); }
  // The VBA editor's build lets go of its handlers at disconnection.
  bool DetachesAtDisconnection() const { return row->host == Host::kOfficeEditor; }
};

Deliverable Made(std::string name, deliverables::Build build, std::string menuCaption, std::string aboutText,
                 int faceIdCalls, int visibleCalls, std::string caretPastThen) {
  const deliverables::Deliverable& row = deliverables::Of(build);
  return {std::move(name),      &row,        row.version(), std::move(menuCaption),
          std::move(aboutText), faceIdCalls, visibleCalls,  std::move(caretPastThen)};
}

const std::string kUsageReply = "none || 64|$ABOUT|" + std::string(kUsageBody) + "$CONTACT";

const Deliverable& Vb6() {
  static const Deliverable build = Made("Vb6", deliverables::Build::kVb6, "Ta&ndrel",
                                        "Tandrel V. 2.0.12 by Tandrel Software", 1, 0, kUsageReply);
  return build;
}

const Deliverable& Vb5() {
  static const Deliverable build = Made("Vb5", deliverables::Build::kVb5, "Ta&ndrel VB5",
                                        "TandrelVB5 V. 1.0.2 by Tandrel Software", 2, 1, "1:6-2:7");
  return build;
}

const Deliverable& Vba() {
  static const Deliverable build = Made("Vba", deliverables::Build::kVba, "Ta&ndrel",
                                        "TandrelVBA V. 2.0.12 by Tandrel Software", 1, 0, kUsageReply);
  return build;
}

std::string Describe(const sim::Control& control) {
  std::string text = "'" + U8(control.Caption()) + "'";
  if (!control.TooltipText().empty()) text += " tip='" + U8(control.TooltipText()) + "'";
  if (control.Style() != 0) text += " style=" + std::to_string(control.Style());
  if (control.FaceId()) text += " face=" + std::to_string(*control.FaceId());
  if (control.BeginGroup()) text += " group";
  if (!control.Visible()) text += " hidden";
  if (control.Deleted()) text += " deleted";
  return text;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
}

// An add-in object in a fresh in-memory IDE, with the IDE's view of what it did told as compact text.
struct Host {
  explicit Host(const Deliverable& deliverable)
      : build(deliverable),
        runtime(deliverable.version, ide.Record()),
        connect(deliverable.row->make(runtime)) {}

  void Connect(std::int32_t mode = 0) { ConnectTo(ide.Vbe(), mode); }
  void ConnectTo(const std::shared_ptr<ide::Object>& application, std::int32_t mode = 0) {
    build.row->onConnection(*connect, application, mode);
  }
  void Disconnect(std::int32_t mode = 0) { build.row->onDisconnection(*connect, mode); }

  // The module a click works on: ‹If·a·Then›, ‹End·If›, with the caret at `line`:`col`.
  void AddBlockIf(std::int32_t line, std::int32_t col) {
    pane = ide.AddModule(std::vector<std::u16string>{u"If a Then", u"End If"});
    pane->Select({line, col, line, col});
  }
  std::shared_ptr<sim::Control> Entry(const std::u16string& bar) const {
    return ide.FindBar(bar)->Added().back();
  }
  int Runs() const { return ide.CallCount("GetSelection"); }

  // "Code Window['Ta&ndrel'] Add-Ins[...] Edit[...]": the controls the add-in appended to each bar.
  std::string Bars() const {
    std::string text;
    for (const char16_t* name : {u"Code Window", u"Add-Ins", u"Edit"}) {
      text += (text.empty() ? "" : " ") + U8(name) + "[";
      const auto bar = ide.FindBar(name);
      if (!bar) text += "missing";
      for (const auto& control : bar ? bar->Added() : std::vector<std::shared_ptr<sim::Control>>{}) {
        text += (text.back() == '[' ? "" : ", ") + Describe(*control);
      }
      text += "]";
    }
    return text;
  }
  // Each box as "style|title|prompt", CR LF shown as "\n".
  std::vector<std::string> Messages() const {
    std::vector<std::string> boxes;
    for (const auto& box : runtime.Messages()) {
      std::string prompt = U8(box.prompt);
      ReplaceAll(prompt, "\r\n", "\n");
      boxes.push_back(std::to_string(box.style) + "|" + U8(box.title) + "|" + prompt);
    }
    return boxes;
  }
  std::string Selection() const {
    if (!pane || pane->SelectionsSet().empty()) return "none";
    const auto& set = pane->SelectionsSet().back();
    return std::to_string(set.startLine) + ":" + std::to_string(set.startColumn) + "-" +
           std::to_string(set.endLine) + ":" + std::to_string(set.endColumn);
  }
  int Handlers() const {
    return (connect->MenuHandler() ? 1 : 0) + (connect->MenuHandlerAddIns() ? 1 : 0) +
           (connect->MenuHandlerEditBar() ? 1 : 0);
  }
  // Fills in the build's own texts: $CAPTION, $TITLE (the product title), $ABOUT and $CONTACT.
  std::string Expand(std::string pattern) const {
    ReplaceAll(pattern, "$CAPTION", build.menuCaption);
    ReplaceAll(pattern, "$TITLE", U8(build.version.title));
    ReplaceAll(pattern, "$ABOUT", build.aboutText);
    ReplaceAll(pattern, "$CONTACT", build.ContactAddress());
    return pattern;
  }
  std::vector<std::string> Expand(const std::vector<std::string>& patterns) const {
    std::vector<std::string> texts;
    for (const auto& pattern : patterns) texts.push_back(Expand(pattern));
    return texts;
  }

  const Deliverable& build;
  sim::Ide ide;
  sim::Runtime runtime;
  std::shared_ptr<sim::Pane> pane;
  std::unique_ptr<addin::Connect> connect;
};

// The description of an IDE error raised by `action`, or "nothing raised".
std::string RaisedBy(const std::function<void()>& action) {
  try {
    action();
  } catch (const ide::Error& error) {
    return U8(error.Description());
  }
  return "nothing raised";
}

// An application object of some other host: taking it as the IDE's root fails as a typed Set does.
class OtherApplication : public ide::Object {
 public:
  std::shared_ptr<ide::VBE> AsVBE() override { throw ide::Error(u"Type mismatch"); }
};

constexpr char kEditEntry[] = "Edit['Tdl' tip='$CAPTION' style=3 face=556 group]";
constexpr char kAllEntries[] =
    "Code Window['$CAPTION'] Add-Ins['$CAPTION'] Edit['Tdl' tip='$CAPTION' style=3 face=556 group]";
constexpr char kAllRemoved[] =
    "Code Window['$CAPTION' deleted] Add-Ins['$CAPTION' deleted] "
    "Edit['Tdl' tip='$CAPTION' style=3 face=556 group deleted]";

// Test names show the build, not the address of its description.
void PrintTo(const Deliverable* build, std::ostream* os) { *os << build->name; }

class ConnectTest : public ::testing::TestWithParam<const Deliverable*> {
 protected:
  const Deliverable& Build() const { return *GetParam(); }
  // Whether a row whose `only` names the builds it holds for ("Vb6 Vb5"; empty for all) holds for this one.
  bool For(const std::string& only) const {
    return only.empty() || only.find(Build().name) != std::string::npos;
  }
};

TEST_P(ConnectTest, ConnectionAppendsOneEntryAtTheEndOfEachBar) {
  Host host(Build());
  const std::vector<const char16_t*> bars = {u"Code Window", u"Add-Ins", u"Edit"};
  std::vector<std::size_t> builtIn;
  for (const char16_t* bar : bars) builtIn.push_back(host.ide.FindBar(bar)->Items().size());
  host.Connect();

  EXPECT_EQ(host.Bars(), host.Expand(kAllEntries));
  EXPECT_TRUE(host.Messages().empty());
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const auto items = host.ide.FindBar(bars[i])->Items();
    EXPECT_EQ(items.size(), builtIn[i] + 1) << U8(bars[i]);
    EXPECT_EQ(items.back(), host.Entry(bars[i])) << U8(bars[i]);
    EXPECT_TRUE(items.back()->Visible()) << U8(bars[i]);
  }
  EXPECT_EQ(host.ide.CallCount("FaceId"), Build().faceIdCalls);
  EXPECT_EQ(host.ide.CallCount("Visible"), Build().visibleCalls);

  const Connect& connect = *host.connect;
  EXPECT_EQ(connect.VBInstance(), host.ide.Vbe());
  EXPECT_EQ(connect.CodeWindowMenuItem(), host.Entry(u"Code Window"));
  EXPECT_EQ(connect.AddInsMenuItem(), host.Entry(u"Add-Ins"));
  EXPECT_EQ(connect.EditBarButton(), host.Entry(u"Edit"));
  EXPECT_EQ(host.Handlers(), 3);
  EXPECT_EQ(U8(connect.MenuCaption()), Build().menuCaption);
  EXPECT_EQ(U8(connect.AboutText()), Build().aboutText);
  EXPECT_EQ(U8(connect.ContactAddress()), Build().ContactAddress());
  EXPECT_EQ(connect.QuoteMark(), u"\"");
  EXPECT_EQ(connect.CommentMark(), u"'");
  EXPECT_EQ(connect.PairTable()[2][0], u"If");
}

TEST_P(ConnectTest, AboutTextJoinsTitleVersionAndCompanyWithoutPadding) {
  struct Row {
    ide::VersionInfo version;
    std::string about;
  };
  const std::vector<Row> rows = {
      {Build().version, Build().aboutText},
      {{u"X", 10, 0, 7, u"Co"}, "X V. 10.0.7 by Co"},
      {{u"", 0, 0, 0, u""}, " V. 0.0.0 by "},
  };
  for (const auto& row : rows) {
    Deliverable build = Build();
    build.version = row.version;
    Host host(build);
    host.Connect();
    EXPECT_EQ(U8(host.connect->AboutText()), row.about) << U8(row.version.title);
  }
}

TEST_P(ConnectTest, CommandMessagesCarryTheAboutTextAndTheContactAddress) {
  Host host(Build());
  host.Connect();
  host.pane = host.ide.AddModule(std::vector<std::u16string>{u"x = 1"});
  host.pane->Select({1, 1, 1, 1});
  host.ide.Click(host.Entry(u"Code Window"));
  EXPECT_EQ(host.Messages(), host.Expand(std::vector<std::string>{"64|$ABOUT|Can't match 'x'!\n\n" +
                                                                  std::string(kUsageBody) + "$CONTACT"}));
}

TEST_P(ConnectTest, ClickRunsTheBuildsOwnMatchRules) {
  Host host(Build());
  host.Connect();
  host.AddBlockIf(1, 10);
  host.ide.Click(host.Entry(u"Edit"));
  std::string told = host.Selection();
  for (const auto& box : host.Messages()) told += " || " + box;
  EXPECT_EQ(told, host.Expand(Build().caretPastThen));
}

// Arranges one failure of the IDE: "remove <bar>", "raise <bar>" (its lookup raises) or "fail <operation>".
void Arrange(sim::Ide& ide, const std::string& failure) {
  const std::string what = failure.substr(failure.find(' ') + 1);
  if (failure.starts_with("remove ")) ide.RemoveBar(tandrel::testing::U16(what));
  if (failure.starts_with("raise ")) ide.RaiseOnBarLookup(tandrel::testing::U16(what), u"Automation error");
  if (failure.starts_with("fail ")) ide.FailCall(what, u"Automation error");
}

struct FailureRow {
  std::string only;  // the builds the row holds for, such as "Vb6 Vb5", where they differ
  std::string failure;
  std::vector<std::string> messages;
  std::string bars;
  int handlers;
  bool complete;  // whether the strings and the table were set
};

TEST_P(ConnectTest, AFailingStepEndsConnectionWithItsMessageAndKeepsWhatWasDone) {
  const std::string failed = "0|$TITLE|Automation error";
  const std::string noButton = std::string("0|$TITLE|") + kNotSet;       // FaceId on Nothing
  const std::string noEvents = std::string("0|$TITLE|") + kInvalidCall;  // events of Nothing
  const std::string menus = "48| Error in AddToMenus()|Automation error";
  const std::string toolbars = "48| Error in AddToToolbars()|Automation error";
  const std::string both = "Code Window['$CAPTION'] Add-Ins['$CAPTION'] ";
  // clang-format off
  const std::vector<FailureRow> rows = {
      // A missing bar gives Nothing, which the events object refuses or on which FaceId fails. That the lookup
      // gives Nothing rather than raising, and that the events object raises for Nothing, are the in-memory
      // IDE's choices where an IDE may do either.
      {"Vb6 Vb5", "remove Edit", {noButton}, both + "Edit[missing]", 2, false},
      {"Vb6 Vb5", "remove Add-Ins", {noEvents}, "Code Window['$CAPTION'] Add-Ins[missing] Edit[]", 1, false},
      {"Vb6 Vb5", "remove Code Window", {noEvents}, "Code Window[missing] Add-Ins[] Edit[]", 0, false},
      // A lookup that raises shows the method's own box first.
      {"Vb6 Vb5", "raise Edit", {toolbars, noButton}, both + "Edit[]", 2, false},
      {"Vb6 Vb5", "raise Add-Ins", {menus, noEvents}, "Code Window['$CAPTION'] Add-Ins[] Edit[]", 1, false},
      {"Vb6 Vb5", "raise Code Window", {menus, noEvents}, "Code Window[] Add-Ins[] Edit[]", 0, false},
      {"Vb6 Vb5", "fail CommandBars", {menus, noEvents}, "Code Window[] Add-Ins[] Edit[]", 0, false},
      // A control added before a later step failed stays as it is; the order of the steps shows.
      {"Vb6 Vb5", "fail Caption", {menus, noEvents}, "Code Window[''] Add-Ins[] Edit[]", 0, false},
      {"Vb6 Vb5", "fail Style", {toolbars, noButton}, both + "Edit['Tdl']", 2, false},
      {"Vb6 Vb5", "fail TooltipText", {toolbars, noButton}, both + "Edit['Tdl' style=3]", 2, false},
      {"Vb6 Vb5", "fail BeginGroup", {toolbars, noButton}, both + "Edit['Tdl' tip='$CAPTION' style=3]", 2, false},
      {"Vb6 Vb5", "fail AsCommandBarButton", {toolbars, noButton}, both + "Edit['']", 2, false},
      // The VBA editor's build leaves out, without a word, an entry whose bar it cannot find (bar names can be
      // localized there), and reaches the Add-Ins menu through the menu bar, never by its name.
      {"Vba", "", {}, kAllEntries, 3, true},
      {"Vba", "remove Edit", {}, both + "Edit[missing]", 2, true},
      {"Vba", "remove Add-Ins", {}, "Code Window['$CAPTION'] Add-Ins[missing] " + std::string(kEditEntry), 3, true},
      {"Vba", "remove Code Window", {}, "Code Window[missing] Add-Ins['$CAPTION'] " + std::string(kEditEntry), 2, true},
      {"Vba", "raise Edit", {}, both + "Edit[]", 2, true},
      {"Vba", "raise Add-Ins", {}, kAllEntries, 3, true},
      {"Vba", "raise Code Window", {}, "Code Window[] Add-Ins['$CAPTION'] " + std::string(kEditEntry), 2, true},
      {"Vba", "fail ActiveMenuBar", {}, "Code Window['$CAPTION'] Add-Ins[] " + std::string(kEditEntry), 2, true},
      {"Vba", "fail FindControl", {}, "Code Window['$CAPTION'] Add-Ins[] " + std::string(kEditEntry), 2, true},
      {"Vba", "fail CommandBar", {}, "Code Window['$CAPTION'] Add-Ins[] " + std::string(kEditEntry), 2, true},
      // Any other failure shows the method's own box, and the entries it could not hand back are left out.
      {"Vba", "fail CommandBars", {menus, menus, toolbars}, "Code Window[] Add-Ins[] Edit[]", 0, true},
      {"Vba", "fail Add", {menus, menus, toolbars}, "Code Window[] Add-Ins[] Edit[]", 0, true},
      {"Vba", "fail Caption", {menus, menus, toolbars}, "Code Window[''] Add-Ins[''] Edit['']", 0, true},
      {"Vba", "fail Style", {toolbars}, both + "Edit['Tdl']", 2, true},
      {"Vba", "fail TooltipText", {toolbars}, both + "Edit['Tdl' style=3]", 2, true},
      {"Vba", "fail BeginGroup", {toolbars}, both + "Edit['Tdl' tip='$CAPTION' style=3]", 2, true},
      {"Vba", "fail AsCommandBarButton", {toolbars}, both + "Edit['']", 2, true},
      // The events source is asked for right after each entry is added.
      {"", "fail CommandBarEvents", {failed}, "Code Window['$CAPTION'] Add-Ins[] Edit[]", 0, false},
      {"", "fail Advise", {failed}, "Code Window['$CAPTION'] Add-Ins[] Edit[]", 0, false},
      // The VB6 build sets the face only after AddToToolbars; the VB5 build also inside it, and shows the button.
      {"Vb6 Vba", "fail FaceId", {failed}, both + "Edit['Tdl' tip='$CAPTION' style=3 group]", 2, false},
      {"Vb5", "fail FaceId", {toolbars, noButton}, both + "Edit['Tdl' tip='$CAPTION' style=3 group]", 2, false},
      {"Vb6 Vba", "fail Visible", {}, kAllEntries, 3, true},
      {"Vb5", "fail Visible", {toolbars, noButton}, both + "Edit['Tdl' tip='$CAPTION' style=3 face=556 group]", 2,
       false},
  };
  // clang-format on
  for (const auto& row : rows) {
    if (!For(row.only)) continue;
    SCOPED_TRACE(row.failure);
    Host host(Build());
    Arrange(host.ide, row.failure);
    host.Connect();
    EXPECT_EQ(host.Messages(), host.Expand(row.messages));
    EXPECT_EQ(host.Bars(), host.Expand(row.bars));
    EXPECT_EQ(host.Handlers(), row.handlers);
    const Connect& connect = *host.connect;
    EXPECT_EQ(U8(connect.MenuCaption()), Build().menuCaption);
    EXPECT_EQ(connect.AboutText().empty(), !row.complete);
    EXPECT_EQ(connect.ContactAddress().empty(), !row.complete);
    EXPECT_EQ(connect.QuoteMark().empty(), !row.complete);
    EXPECT_EQ(connect.CommentMark().empty(), !row.complete);
    EXPECT_EQ(connect.PairTable()[0][0].empty(), !row.complete);
  }
}

TEST_P(ConnectTest, MenuEntriesLeftByAFailedConnectionRunTheCommandOnAnEmptyTable) {
  for (const char16_t* bar : {u"Code Window", u"Add-Ins"}) {
    SCOPED_TRACE(U8(bar));
    Host host(Build());
    Arrange(host.ide, "fail FaceId");
    host.Connect();
    host.AddBlockIf(1, 1);
    host.runtime.Clear();

    EXPECT_EQ(host.ide.Click(host.Entry(bar)), 1);
    EXPECT_EQ(host.Runs(), 1);
    EXPECT_EQ(host.Selection(), "none");
    // No about text and no contact address were set: the box has an empty title and ends on the lead-in.
    ASSERT_EQ(host.runtime.Messages().size(), 1u);
    EXPECT_EQ(host.runtime.Messages()[0].style, ide::kMsgBoxInformation);
    EXPECT_EQ(host.Messages()[0], "64||Can't match 'If'!\n\n" + std::string(kUsageBody));
  }
}

TEST_P(ConnectTest, AnApplicationThatIsNotTheIdeEndsConnectionAtOnce) {
  struct Row {
    std::string only;  // as in FailureRow
    std::string what;
    std::shared_ptr<ide::Object> application;
    std::vector<std::string> messages;
    std::string menuCaption;
  };
  const std::string menus = std::string("48| Error in AddToMenus()|") + kNotSet;
  const std::vector<Row> rows = {
      {"", "another host's object", std::make_shared<OtherApplication>(), {"0|$TITLE|Type mismatch"}, ""},
      // Nothing is kept as it is; the first call through it fails, in AddToMenus and then in connection. The
      // VBA editor's build leaves out each entry it could not add and goes on.
      {"Vb6 Vb5", "Nothing", nullptr, {menus, std::string("0|$TITLE|") + kNotSet}, "$CAPTION"},
      {"Vba",
       "Nothing",
       nullptr,
       {menus, menus, std::string("48| Error in AddToToolbars()|") + kNotSet},
       "$CAPTION"},
  };
  for (const auto& row : rows) {
    if (!For(row.only)) continue;
    SCOPED_TRACE(row.what);
    Host host(Build());
    host.ConnectTo(row.application);
    EXPECT_EQ(host.Messages(), host.Expand(row.messages));
    EXPECT_EQ(host.Bars(), "Code Window[] Add-Ins[] Edit[]");
    EXPECT_EQ(host.connect->VBInstance(), nullptr);
    EXPECT_EQ(U8(host.connect->MenuCaption()), host.Expand(row.menuCaption));
    host.runtime.Clear();
    host.Disconnect();
    EXPECT_TRUE(host.Messages().empty());
  }
}

TEST_P(ConnectTest, DisconnectionRemovesWhatExistsAndShowsNothingEvenTwice) {
  struct Row {
    std::string only;     // as in FailureRow
    std::string failure;  // as for Arrange; empty for none
    bool connected;
    std::string bars;  // after disconnection
  };
  const std::string both = "Code Window['$CAPTION' deleted] Add-Ins['$CAPTION' deleted] ";
  const std::vector<Row> rows = {
      {"", "", true, kAllRemoved},
      {"", "remove Edit", true, both + "Edit[missing]"},
      {"Vb6 Vb5", "remove Add-Ins", true, "Code Window['$CAPTION' deleted] Add-Ins[missing] Edit[]"},
      {"Vba", "remove Add-Ins", true,
       "Code Window['$CAPTION' deleted] Add-Ins[missing] Edit['Tdl' tip='$CAPTION' style=3 face=556 group "
       "deleted]"},
      // A control that AddToMenus or AddToToolbars did not hand back is not the add-in's to remove.
      {"", "fail Style", true, both + "Edit['Tdl']"},
      {"", "fail AsCommandBarButton", true, both + "Edit['']"},
      {"Vb6 Vb5", "fail Caption", true, "Code Window[''] Add-Ins[] Edit[]"},
      {"Vba", "fail Caption", true, "Code Window[''] Add-Ins[''] Edit['']"},
      {"", "", false, "Code Window[] Add-Ins[] Edit[]"},
  };
  for (const auto& row : rows) {
    if (!For(row.only)) continue;
    SCOPED_TRACE(row.failure + (row.connected ? " connected" : " never connected"));
    Host host(Build());
    Arrange(host.ide, row.failure);
    if (row.connected) host.Connect();
    host.runtime.Clear();
    const std::u16string about = host.connect->AboutText();
    const int handlers = host.Handlers();

    host.Disconnect();
    EXPECT_EQ(host.Bars(), host.Expand(row.bars));
    const int deletes = host.ide.CallCount("Delete");
    host.Disconnect();
    EXPECT_EQ(host.Bars(), host.Expand(row.bars));
    // Every Delete of the second round fails in the IDE and is passed over.
    EXPECT_EQ(host.ide.CallCount("Delete"), 2 * deletes);
    EXPECT_TRUE(host.Messages().empty());
    // Nothing is released or reset, but for the handlers the VBA editor's build lets go of.
    EXPECT_EQ(host.connect->AboutText(), about);
    EXPECT_EQ(host.Handlers(), Build().DetachesAtDisconnection() ? 0 : handlers);
  }
}

TEST_P(ConnectTest, EveryConnectAndRemoveModeDoesTheSame) {
  for (std::int32_t mode :
       {0, 1, 2, 3, -1, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()}) {
    SCOPED_TRACE(mode);
    Host host(Build());
    host.Connect(mode);
    EXPECT_EQ(host.Bars(), host.Expand(kAllEntries));
    EXPECT_EQ(U8(host.connect->AboutText()), Build().aboutText);
    host.Disconnect(mode);
    EXPECT_EQ(host.Bars(), host.Expand(kAllRemoved));
    EXPECT_TRUE(host.Messages().empty());
  }
}

TEST_P(ConnectTest, AClickOnAnyEntryRunsTheCommandOnce) {
  for (const char16_t* bar : {u"Code Window", u"Add-Ins", u"Edit"}) {
    SCOPED_TRACE(U8(bar));
    Host host(Build());
    host.Connect();
    host.AddBlockIf(1, 1);
    EXPECT_EQ(host.ide.Click(host.Entry(bar)), 1);
    EXPECT_EQ(host.Runs(), 1);
    EXPECT_EQ(host.ide.CallCount("SetSelection"), 1);
    EXPECT_EQ(host.Selection(), "1:1-2:7");
    EXPECT_EQ(host.runtime.Pointers(),
              (std::vector<std::int32_t>{ide::kPointerHourglass, ide::kPointerDefault}));
    EXPECT_EQ(host.runtime.Yields(), 1);
    EXPECT_TRUE(host.Messages().empty());
  }
}

// The setting is read at connection: the key it names is hooked and shown beside every entry, and a press of
// it does what a click does, once per press. Without a setting, or with one that names no key, it is Ctrl+];
// an empty one turns it off.
TEST_P(ConnectTest, TheShortcutKeyRunsTheCommandFromItsSettingUntilDisconnection) {
  struct Row {
    std::optional<std::u16string> setting;
    std::string key;  // "" when turned off
  };
  const std::vector<Row> rows = {
      {std::nullopt, "Ctrl+]"},
      {u"Ctrl+Shift+M", "Ctrl+Shift+M"},
      {u" control + [ ", "Ctrl+["},
      {u"alt+shift+f12", "Shift+Alt+F12"},
      {u"F5", "F5"},
      {u"Ctrl+PageDown", "Ctrl+PageDown"},
      {u"", ""},
      {u"  ", ""},
      // Names of no key, or of one that typing needs: the default, without a word.
      {u"Ctrl+]+M", "Ctrl+]"},
      {u"Shift+M", "Ctrl+]"},
      {u"M", "Ctrl+]"},
      {u"Ctrl+Ctrl+M", "Ctrl+]"},
      {u"Ctrl+F25", "Ctrl+]"},
      {u"Ctrl+F0", "Ctrl+]"},
      {u"Ctrl+", "Ctrl+]"},
      {u"Ctrl+Win+M", "Ctrl+]"},
      {u"Strg+]", "Ctrl+]"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.setting ? "'" + U8(*row.setting) + "'" : "no setting");
    Host host(Build());
    host.runtime.SetUserSetting(kShortcutSetting, row.setting);
    host.Connect();
    host.AddBlockIf(1, 1);
    std::vector<std::string> shown;
    for (const char16_t* bar : {u"Code Window", u"Add-Ins", u"Edit"})
      shown.push_back(U8(host.Entry(bar)->ShortcutText()));
    EXPECT_EQ(shown, std::vector<std::string>(3, row.key));
    const auto hooked = host.runtime.HookedKeys();
    ASSERT_EQ(hooked.size(), row.key.empty() ? 0u : 1u);
    if (row.key.empty()) continue;
    EXPECT_EQ(U8(ide::KeyChordText(hooked[0])), row.key);

    EXPECT_TRUE(host.runtime.PressKey(hooked[0]));
    EXPECT_EQ(host.Runs(), 1);
    EXPECT_EQ(host.Selection(), "1:1-2:7");
    EXPECT_TRUE(host.Messages().empty());
    host.Disconnect();
    EXPECT_FALSE(host.runtime.PressKey(hooked[0]));
  }
  // A key has no caller to hand an IDE error to: it is shown. Releasing the object takes the key off too.
  Host host(Build());
  host.Connect();
  host.AddBlockIf(1, 1);
  Arrange(host.ide, "fail GetSelection");
  EXPECT_TRUE(host.runtime.PressKey(kDefaultShortcut));
  EXPECT_EQ(host.Messages(), host.Expand(std::vector<std::string>{"0|$TITLE|Automation error"}));
  host.connect.reset();
  EXPECT_TRUE(host.runtime.HookedKeys().empty());
}

TEST_P(ConnectTest, SettingAHandlerPropertyDetachesTheSourceHeldBefore) {
  struct Row {
    const char16_t* bar;
    const char16_t* other;  // the entry whose events the property is given instead
    const std::shared_ptr<ide::CommandBarEvents>& (Connect::*get)() const;
    void (Connect::*set)(std::shared_ptr<ide::CommandBarEvents>);
  };
  const std::vector<Row> rows = {
      {u"Code Window", u"Add-Ins", &Connect::MenuHandler, &Connect::SetMenuHandler},
      {u"Add-Ins", u"Edit", &Connect::MenuHandlerAddIns, &Connect::SetMenuHandlerAddIns},
      {u"Edit", u"Code Window", &Connect::MenuHandlerEditBar, &Connect::SetMenuHandlerEditBar},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(U8(row.bar));
    Host host(Build());
    host.Connect();
    host.AddBlockIf(1, 1);
    Connect& connect = *host.connect;
    // Another holder keeps the old source alive, so its clicks still fire; none may reach the add-in.
    const auto old = (connect.*row.get)();
    (connect.*row.set)(host.ide.Vbe()->Events()->CommandBarEvents(host.Entry(row.other)));

    EXPECT_EQ(host.ide.Click(host.Entry(row.bar)), 1);
    EXPECT_EQ(host.Runs(), 0);
    EXPECT_EQ(host.ide.Click(host.Entry(row.other)), 2);
    EXPECT_EQ(host.Runs(), 2);
    (connect.*row.set)(nullptr);
    EXPECT_EQ(host.ide.Click(host.Entry(row.other)), 1);
    EXPECT_EQ(host.Runs(), 3);
  }
}

TEST_P(ConnectTest, AnIdeFailureDuringAClickRaisesOutOfTheClick) {
  struct Row {
    std::string failure;  // as for Arrange, or "no pane"
    std::string raised;
  };
  const std::vector<Row> rows = {
      {"no pane", kNotSet},
      {"fail ActiveCodePane", "Automation error"},
      {"fail GetSelection", "Automation error"},
      {"fail Lines", "Automation error"},
      {"fail SetSelection", "Automation error"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.failure);
    Host host(Build());
    host.Connect();
    host.AddBlockIf(1, 1);
    if (row.failure == "no pane") host.ide.LeaveNoActivePane();
    Arrange(host.ide, row.failure);
    EXPECT_EQ(RaisedBy([&] { host.ide.Click(host.Entry(u"Add-Ins")); }), row.raised);
    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(host.Selection(), "none");
  }
}

// Each control is named by its bar and its place there; the places (after 14, 2 and 11 controls of the IDE's
// own) are the in-memory IDE's.
TEST_P(ConnectTest, ConnectionAndDisconnectionTakeTheirStepsInOrder) {
  const std::vector<std::string> menus = {
      "Add Code Window 15", "Caption Code Window 15 = $CAPTION", "ShortcutText Code Window 15 = Ctrl+]",
      "Add Add-Ins 3",      "Caption Add-Ins 3 = $CAPTION",      "ShortcutText Add-Ins 3 = Ctrl+]"};
  std::vector<std::string> all = menus;
  all.insert(all.end(), {"Add Edit 12", "Caption Edit 12 = Tdl", "Style Edit 12 = 3",
                         "TooltipText Edit 12 = $CAPTION", "BeginGroup Edit 12 = True"});
  // The VB5 build also gives the button its face and shows it inside AddToToolbars.
  if (Build().visibleCalls == 1) all.insert(all.end(), {"FaceId Edit 12 = 556", "Visible Edit 12 = True"});
  all.insert(all.end(), {"ShortcutText Edit 12 = Ctrl+]", "FaceId Edit 12 = 556"});
  std::vector<std::string> menusThenFailure = menus;
  menusThenFailure.push_back("MsgBox 0");
  struct Row {
    std::string only;         // as in FailureRow
    std::string failure;      // as for Arrange; empty for none
    std::string userRemoved;  // the bar whose entry the user deleted before disconnection
    std::vector<std::string> connection;
    std::vector<std::string> disconnection;
  };
  const std::vector<Row> rows = {
      {"", "", "", all, {"Delete Code Window 15", "Delete Add-Ins 3", "Delete Edit 12"}},
      // A Delete that fails is passed over and the next one still runs, in the same order.
      {"", "", "Code Window", all, {"Delete Add-Ins 3", "Delete Edit 12"}},
      {"", "", "Add-Ins", all, {"Delete Code Window 15", "Delete Edit 12"}},
      {"Vb6 Vb5", "remove Edit", "", menusThenFailure, {"Delete Code Window 15", "Delete Add-Ins 3"}},
      {"Vba", "remove Edit", "", menus, {"Delete Code Window 15", "Delete Add-Ins 3"}},
  };
  for (const auto& row : rows) {
    if (!For(row.only)) continue;
    SCOPED_TRACE(row.failure + " / removed by the user: " + row.userRemoved);
    Host host(Build());
    Arrange(host.ide, row.failure);
    host.Connect();
    EXPECT_EQ(tandrel::testing::Briefs(host.ide.Actions()), host.Expand(row.connection));
    if (!row.userRemoved.empty()) host.Entry(tandrel::testing::U16(row.userRemoved))->Delete();
    host.runtime.Clear();
    host.Disconnect();
    EXPECT_EQ(tandrel::testing::Briefs(host.ide.Actions()), row.disconnection);
  }
}

TEST_P(ConnectTest, AClickLeavesHandledAndCancelDefaultAsTheIdePassedThem) {
  struct Row {
    const char16_t* bar;
    bool handled, cancelDefault;
  };
  const std::vector<Row> rows = {
      {u"Code Window", false, false}, {u"Code Window", true, true}, {u"Add-Ins", true, false},
      {u"Add-Ins", false, true},      {u"Edit", false, true},       {u"Edit", true, false},
  };
  for (const auto& row : rows) {
    Host host(Build());
    host.Connect();
    host.AddBlockIf(1, 1);
    bool handled = row.handled;
    bool cancelDefault = row.cancelDefault;
    host.ide.Click(host.Entry(row.bar), handled, cancelDefault);
    EXPECT_EQ(std::make_tuple(handled, cancelDefault, host.Runs()),
              std::make_tuple(row.handled, row.cancelDefault, 1))
        << U8(row.bar) << " handled=" << row.handled << " CancelDefault=" << row.cancelDefault;
  }
}

TEST_P(ConnectTest, ASecondClickAfterABackwardMatchStartsFromTheTopOfTheSelection) {
  struct Row {
    std::vector<std::u16string> lines;
    ide::Selection caret;
    std::string first;  // as passed to SetSelection: anchor after the closer, caret on its opener
    std::vector<std::string> second;
  };
  const std::vector<std::string> search = {"Pointer 11", "DoEvents", "Pointer 0"};
  auto found = [&search](const std::string& selection) {
    std::vector<std::string> actions = search;
    actions.push_back(selection);
    return actions;
  };
  const std::vector<Row> rows = {
      // The pane reports 1:1-2:5; its four columns from the "D" take in the whole "Do", which is matched
      // again.
      {{u"Do", u"Loop"}, {2, 1, 2, 1}, "SetSelection 2:5-1:1", found("SetSelection 1:1-2:5")},
      {{u"Do", u"  Loop"}, {2, 3, 2, 3}, "SetSelection 2:7-1:1", found("SetSelection 1:1-2:7")},
      {{u"(", u")"}, {2, 1, 2, 1}, "SetSelection 2:2-1:1", found("SetSelection 1:1-2:2")},
      // Six columns from the "I" are "If a T", which is no token.
      {{u"If a Then", u"End If"}, {2, 1, 2, 1}, "SetSelection 2:7-1:1", {"MsgBox 64"}},
      {{u"f(a)"}, {1, 4, 1, 4}, "SetSelection 1:5-1:2", {"MsgBox 64"}},
  };
  for (const auto& row : rows) {
    Host host(Build());
    host.Connect();
    host.pane = host.ide.AddModule(row.lines);
    host.pane->Select(row.caret);
    host.runtime.Clear();
    host.ide.Click(host.Entry(u"Code Window"));
    const std::string first = host.Selection();
    host.runtime.Clear();
    host.ide.Click(host.Entry(u"Code Window"));
    EXPECT_EQ("SetSelection " + first + " then " +
                  ::testing::PrintToString(tandrel::testing::Briefs(host.ide.Actions())),
              row.first + " then " + ::testing::PrintToString(row.second))
        << U8(row.lines.front()) << " at " << row.caret.startLine << ":" << row.caret.startColumn;
  }
}

TEST_P(ConnectTest, ADeletedEntryIsClickedNoMore) {
  for (const char16_t* bar : {u"Code Window", u"Add-Ins", u"Edit"}) {
    Host host(Build());
    host.Connect();
    host.AddBlockIf(1, 1);
    host.Disconnect();
    host.runtime.Clear();
    EXPECT_EQ(std::make_pair(host.ide.Click(host.Entry(bar)), host.ide.Actions().size()),
              std::make_pair(0, std::size_t{0}))
        << U8(bar);
  }
}

// What a sequence of calls leaves behind, as the IDE and the user can see it.
std::string Trace(const Deliverable& deliverable, const std::string& calls) {
  Host host(deliverable);
  Connect& connect = *host.connect;
  for (char call : calls) {
    if (call == 'C') host.Connect();
    if (call == 'D') host.Disconnect();
    if (call == 'S') deliverable.row->onStartupComplete(connect);
    if (call == 'U') deliverable.row->onAddInsUpdate(connect);
  }
  std::string trace = host.Bars() + " about='" + U8(connect.AboutText()) +
                      "' handlers=" + std::to_string(host.Handlers()) +
                      " vbe=" + (connect.VBInstance() ? "set" : "none");
  for (const char* operation :
       {"CommandBars", "Item", "Add", "Events", "CommandBarEvents", "Advise", "Delete"}) {
    trace += " " + std::string(operation) + "=" + std::to_string(host.ide.CallCount(operation));
  }
  for (const auto& box : host.Messages()) trace += " | " + box;
  return trace;
}

TEST_P(ConnectTest, StartupCompleteAndAddInsUpdateChangeNothing) {
  // C connect, D disconnect, S startup complete, U add-ins update.
  for (std::string calls : {"S", "U", "SU", "SCU", "CSU", "CUSD", "CDSU", "SCDUS"}) {
    std::string without = calls;
    std::erase_if(without, [](char call) { return call == 'S' || call == 'U'; });
    EXPECT_EQ(Trace(Build(), calls), Trace(Build(), without)) << calls;
  }
}

INSTANTIATE_TEST_SUITE_P(Builds, ConnectTest, ::testing::Values(&Vb6(), &Vb5(), &Vba()),
                         [](const auto& param) { return param.param->name; });

// The VBA editor's build lets go of its handlers at disconnection, before it removes its entries.
TEST(VbaConnect, DisconnectionDetachesEveryHandlerAndRemovesEveryEntry) {
  for (const std::string failure : {"", "remove Edit", "fail CommandBar"}) {
    SCOPED_TRACE(failure);
    Host host(Vba());
    Arrange(host.ide, failure);
    host.Connect();
    host.AddBlockIf(1, 1);
    std::vector<std::shared_ptr<ide::CommandBarControl>> entries = {
        host.connect->CodeWindowMenuItem(), host.connect->AddInsMenuItem(), host.connect->EditBarButton()};
    const int attached = host.Handlers();

    host.Disconnect();
    EXPECT_EQ(host.Handlers(), 0);
    EXPECT_EQ(host.ide.CallCount("Unadvise"), attached);
    for (const auto& entry : entries) {
      if (!entry) continue;
      EXPECT_TRUE(std::static_pointer_cast<sim::Control>(entry)->Deleted());
      EXPECT_EQ(host.ide.Click(entry), 0);
    }
    EXPECT_EQ(host.Runs(), 0);
    EXPECT_TRUE(host.Messages().empty());
  }
}

}  // namespace
}  // namespace tandrel::addin
