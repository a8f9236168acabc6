// Each deliverable DLL as an IDE meets it: registered by regsvr32, created by its ProgID, connected to the
// served IDE, clicked, disconnected, released and unregistered.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/win/deliverables.h"
#include "tests/win/dispatch_client.h"
#include "tests/win/host/com_host.h"
#include "tests/win/host/message_boxes.h"
#include "tests/win/registry.h"
#include "tests/win/server_steps.h"
#include "tests/win/test_arguments.h"

namespace tandrel::win::testing {
namespace {

using host::ComHost;

std::string U8(const std::u16string& text) {
  std::string narrow;
  for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

std::string U8(const std::wstring& text) { return U8(std::u16string(text.begin(), text.end())); }

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Hex(HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
  return text;
}

// Each box as "style|title|text", line breaks shown as "\n".
std::vector<std::string> Told(const std::vector<host::ShownBox>& boxes) {
  std::vector<std::string> told;
  for (const auto& box : boxes) {
    std::string text;
    const std::string raw = U8(box.text);
    for (std::size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
      text += raw[i];
    }
    told.push_back(std::to_string(box.iconStyle) + "|" + U8(box.title) + "|" + text);
  }
  return told;
}

// The bar an entry of `name` lands on: the Add-Ins menu is the one the menu bar's popup opens, whether or
// not a bar goes by that name.
std::shared_ptr<sim::Bar> BarOf(ComHost& host, const char16_t* name) {
  return std::u16string_view(name) == u"Add-Ins" ? host.AddInsMenu() : host.Ide().FindBar(name);
}

// The controls the add-in appended to the three bars, as text; a bar the host does not have shows as "-".
std::string Bars(ComHost& host) {
  std::string text;
  for (const char16_t* name : {u"Code Window", u"Add-Ins", u"Edit"}) {
    if (!text.empty()) text += ' ';
    text.append(U8(std::u16string(name)));
    const auto bar = BarOf(host, name);
    if (!bar) {
      text += "-";
      continue;
    }
    text += "[";
    bool first = true;
    for (const auto& control : bar->Added()) {
      text.append(first ? "'" : ", '").append(U8(control->Caption())).append("'");
      first = false;
      if (!control->TooltipText().empty()) text += " tip='" + U8(control->TooltipText()) + "'";
      if (control->Style() != 0) text += " style=" + std::to_string(control->Style());
      if (control->FaceId()) text += " face=" + std::to_string(*control->FaceId());
      if (control->BeginGroup()) text += " group";
      if (!control->ShortcutText().empty()) text += " key='" + U8(control->ShortcutText()) + "'";
      if (control->Deleted()) text += " deleted";
    }
    text += "]";
  }
  return text;
}

class EndToEnd : public ::testing::TestWithParam<const Deliverable*> {
 protected:
  const Deliverable& D() const { return *GetParam(); }

  void SetUp() override {
    dll_ = DllPath(D().name);
    ASSERT_FALSE(dll_.empty()) << "no path given for " << D().name;
    if (Installed()) return;
    ASSERT_EQ(Regsvr32(dll_, false), 0u) << "regsvr32 " << U8(dll_);
    registered_ = true;
  }
  void TearDown() override {
    if (registered_) Regsvr32(dll_, true, registeredForUser_);
  }

  // Creates and connects the add-in to `host`; the boxes of the connection are dropped.
  ComPtr<IUnknown> Connected(ComHost& host) {
    ComPtr<IUnknown> connect;
    EXPECT_EQ(Hex(CreateConnect(D(), connect)), Hex(S_OK));
    if (!connect) return nullptr;
    EXPECT_EQ(Hex(ConnectAddin(D(), connect.Get(), host.Vbe().Get())), Hex(S_OK));
    EXPECT_TRUE(boxes_.Take().empty());
    return connect;
  }

  std::wstring Clsid() const { return std::wstring(L"CLSID\\") + D().clsid; }
  std::wstring AddinKey() const { return std::wstring(D().addinList) + L"\\" + D().progId; }
  const host::HostProfile& Profile() const {
    return D().officeEditor ? host::kOfficeEditorProfile : host::kVisualBasicProfile;
  }
  std::string About() const { return U8(std::u16string(D().aboutText)); }
  std::string Caption() const { return U8(std::u16string(D().menuCaption)); }

  std::wstring dll_;
  bool registered_ = false;
  bool registeredForUser_ = false;
  host::MessageBoxWatcher boxes_;
};

// regsvr32 for the machine (as SetUp registers), then regsvr32 /n /i:user for the current user alone: each
// writes its own scope's classes, and nothing of the other's.
TEST_P(EndToEnd, RegistrationWritesEveryEntryOfItsScopeAndUnregistrationLeavesNone) {
  struct Entry {
    std::wstring key;
    const wchar_t* value;
    std::string expected;  // "" for absent; paths compared without case
  };
  struct Scope {
    const char* name;
    HKEY classes;  // its Software\Classes
    HKEY otherClasses;
  };
  const std::string typeLibPlatform = sizeof(void*) == 8 ? "win64" : "win32";
  const std::wstring typeLib = std::wstring(L"TypeLib\\") + D().libid + L"\\1.0";
  const std::vector<Entry> classEntries = {
      {Clsid() + L"\\InprocServer32", nullptr, Upper(U8(dll_))},
      {Clsid() + L"\\InprocServer32", L"ThreadingModel", "Apartment"},
      {Clsid() + L"\\ProgID", nullptr, U8(std::wstring(D().progId))},
      {std::wstring(D().progId) + L"\\CLSID", nullptr, U8(std::wstring(D().clsid))},
      {typeLib + L"\\0\\" + std::wstring(typeLibPlatform.begin(), typeLibPlatform.end()), nullptr,
       Upper(U8(dll_))},
  };
  const std::vector<std::wstring> classKeys = {Clsid(), D().progId, std::wstring(L"TypeLib\\") + D().libid,
                                               std::wstring(L"Interface\\") + D().connectIid};
  const bool addinList = D().friendlyName != nullptr;
  for (const Scope scope : {Scope{"machine", HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER},
                            Scope{"user", HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}}) {
    const bool forUser = scope.classes == HKEY_CURRENT_USER;
    if (forUser) {
      ASSERT_EQ(Regsvr32(dll_, false, true), 0u) << "regsvr32 /n /i:user " << U8(dll_);
      registered_ = registeredForUser_ = true;
    }
    for (const auto& entry : classEntries) {
      const std::wstring key = L"Software\\Classes\\" + entry.key;
      std::string actual = U8(StringValue(scope.classes, key, entry.value).value_or(L""));
      if (entry.expected == Upper(entry.expected)) actual = Upper(actual);
      EXPECT_EQ(actual, entry.expected)
          << scope.name << ": " << U8(key) << " " << (entry.value ? U8(std::wstring(entry.value)) : "@");
    }
    for (const auto& key : classKeys) {
      EXPECT_FALSE(KeyExists(scope.otherClasses, L"Software\\Classes\\" + key))
          << scope.name << ": " << U8(key);
    }
    EXPECT_TRUE(KeyExists(scope.classes, std::wstring(L"Software\\Classes\\Interface\\") + D().connectIid))
        << scope.name;
    EXPECT_EQ(U8(StringValue(HKEY_CURRENT_USER, AddinKey(), L"FriendlyName").value_or(L"")),
              addinList ? U8(std::u16string(D().friendlyName)) : "")
        << scope.name;
    EXPECT_EQ(DwordValue(HKEY_CURRENT_USER, AddinKey(), L"LoadBehavior"),
              addinList ? std::optional<DWORD>(D().loadBehavior) : std::nullopt)
        << scope.name;
    EXPECT_EQ(DwordValue(HKEY_CURRENT_USER, AddinKey(), L"CommandLineSafe"),
              D().commandLineSafe ? std::optional<DWORD>(1) : std::nullopt)
        << scope.name;
    EXPECT_EQ(!StringValue(HKEY_CURRENT_USER, AddinKey(), L"Description").value_or(L"").empty(), addinList)
        << scope.name;

    ASSERT_EQ(Regsvr32(dll_, true, forUser), 0u) << scope.name;
    registered_ = false;
    std::vector<std::pair<HKEY, std::wstring>> gone = {
        {HKEY_CURRENT_USER, AddinKey()},
        // The IDEs' own interfaces are theirs: never registered, so never removed either.
        {HKEY_CLASSES_ROOT, L"Interface\\{B65AD801-ABAF-11D0-BB8B-00A0C90F2744}"},
        {HKEY_CLASSES_ROOT, L"Interface\\{0002E151-0000-0000-C000-000000000046}"},
    };
    for (const auto& key : classKeys) gone.emplace_back(scope.classes, L"Software\\Classes\\" + key);
    for (const auto& [root, key] : gone) EXPECT_FALSE(KeyExists(root, key)) << scope.name << ": " << U8(key);
  }
}

struct ClickRow {
  const char16_t* bar;
  std::u16string module;
  ide::Selection caret;
  std::string selection;           // as set, "L:C-L:C", or "none"
  std::vector<std::string> boxes;  // with $ABOUT, $TITLE and $CONTACT for the deliverable's texts
};

std::string Expand(std::string text, const Deliverable& d) {
  for (auto [from, to] : {std::pair<std::string, std::string>{"$ABOUT", U8(std::u16string(d.aboutText))},
                          {"$TITLE", d.name},
                          {"$CONTACT", U8(std::u16string(kContactAddress))}}) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
      text.replace(at, from.size(), to);
    }
  }
  return text;
}

std::string Shown(const std::vector<ide::Selection>& set) {
  if (set.empty()) return "none";
  const auto& s = set.back();
  return std::to_string(s.startLine) + ":" + std::to_string(s.startColumn) + "-" + std::to_string(s.endLine) +
         ":" + std::to_string(s.endColumn);
}

TEST_P(EndToEnd, EveryEntryRunsTheCommandAndDisconnectionRemovesThem) {
  const std::string usage =
      "Select or right-click on:\n- language keyword such as IF, DO, FOR etc,\n- parenthesis or opening "
      "quotation mark.\n Then select Tandrel from right-click menu.\n\nComments and bugs to $CONTACT";
  const std::vector<ClickRow> rows = {
      {u"Code Window", u"If a Then\r\n    x = 1\r\nEnd If", {1, 1, 1, 1}, "1:1-3:7", {}},
      {u"Add-Ins", u"Do\r\n    x = (a + b)\r\nLoop", {3, 1, 3, 1}, "3:5-1:1", {}},
      {u"Edit", u"s = \"abcde\"", {1, 5, 1, 5}, "1:5-1:12", {"0|$TITLE|String length: 5"}},
      {u"Code Window",
       u"Do\r\nx = 1",
       {1, 1, 1, 1},
       "none",
       {"48|$ABOUT|Match 'Loop' for 'Do' not found searching forward.\n\nComments and bugs to $CONTACT"}},
      {u"Edit", u"x = 1", {1, 1, 1, 1}, "none", {"64|$ABOUT|Can't match 'x'!\n\n" + usage}},
      {u"Add-Ins", u"", {1, 1, 1, 1}, "none", {"64|$ABOUT|" + usage}},
  };
  ComHost host(Profile());
  ComPtr<IUnknown> connect = Connected(host);
  ASSERT_TRUE(connect);
  const std::string entries = "Code Window['" + Caption() + "' key='Ctrl+]'] Add-Ins['" + Caption() +
                              "' key='Ctrl+]'] Edit['Tdl' tip='" + Caption() +
                              "' style=3 face=556 group key='Ctrl+]']";
  EXPECT_EQ(Bars(host), entries);
  EXPECT_EQ(host.AdvisedSinks(), 3u);

  for (const auto& row : rows) {
    SCOPED_TRACE(U8(row.module) + " clicked on " + U8(std::u16string(row.bar)));
    auto pane = host.Ide().AddModule(row.module);
    pane->Select(row.caret);
    const auto outcomes = host.Click(BarOf(host, row.bar)->Added().back());
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(Hex(outcomes[0].result), Hex(S_OK)) << U8(outcomes[0].description);
    EXPECT_EQ(Shown(pane->SelectionsSet()), row.selection);
    const auto shown = boxes_.Take();
    std::vector<std::string> expected;
    for (const auto& box : row.boxes) expected.push_back(Expand(box, D()));
    EXPECT_EQ(Told(shown), expected);
    for (const auto& box : shown) EXPECT_EQ(box.owner, host.MainWindow()) << "the box's owner";
  }

  EXPECT_EQ(Hex(DisconnectAddin(D(), connect.Get())), Hex(S_OK));
  EXPECT_EQ(Bars(host), "Code Window['" + Caption() + "' key='Ctrl+]' deleted] Add-Ins['" + Caption() +
                            "' key='Ctrl+]' deleted] Edit['Tdl' tip='" + Caption() +
                            "' style=3 face=556 group key='Ctrl+]' deleted]");
  // The VBA editor calls a handler still advised at its exit into a DLL about to go: none may stay.
  if (D().officeEditor) {
    EXPECT_EQ(host.AdvisedSinks(), 0u);
  }
  connect.Reset();
  EXPECT_EQ(host.LiveObjects(), 0u) << "the add-in still holds objects of the IDE";
  EXPECT_EQ(Hex(CanUnloadNow(dll_)), Hex(S_OK));
  EXPECT_TRUE(boxes_.Take().empty());
}

TEST_P(EndToEnd, AClickWithoutAnActivePaneFailsAndTheHostGoesOn) {
  ComHost host(Profile());
  ComPtr<IUnknown> connect = Connected(host);
  ASSERT_TRUE(connect);
  const auto entry = host.Ide().FindBar(u"Code Window")->Added().back();
  host.Ide().LeaveNoActivePane();
  auto outcomes = host.Click(entry);
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_TRUE(FAILED(outcomes[0].result)) << Hex(outcomes[0].result);

  auto pane = host.Ide().AddModule(u"f(a)");
  pane->Select({1, 2, 1, 2});
  outcomes = host.Click(entry);
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_EQ(Hex(outcomes[0].result), Hex(S_OK));
  EXPECT_EQ(Shown(pane->SelectionsSet()), "1:2-1:5");
  EXPECT_EQ(Hex(DisconnectAddin(D(), connect.Get())), Hex(S_OK));
}

// An IDE whose Unadvise failed still holds the Click sinks: the DLL that serves them must stay loaded.
TEST_P(EndToEnd, ASinkTheIdeStillHoldsKeepsTheDllLoaded) {
  {
    ComHost host(Profile());
    ComPtr<IUnknown> connect = Connected(host);
    ASSERT_TRUE(connect);
    host.Ide().FailCall("Unadvise", u"Object is no longer valid");
    DisconnectAddin(D(), connect.Get());
    connect.Reset();
    boxes_.Take();
    ASSERT_GT(host.AdvisedSinks(), 0u);
    EXPECT_EQ(Hex(CanUnloadNow(dll_)), Hex(S_FALSE));
  }
  EXPECT_EQ(Hex(CanUnloadNow(dll_)), Hex(S_OK));
}

// What the IDE closes from a message that a click's yield dispatches: the add-in's object, disconnected and
// let go while its handler runs.
struct Closing {
  const Deliverable* deliverable = nullptr;
  ComPtr<IUnknown> connect;
} closing;

void CALLBACK CloseTheAddin(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EXPECT_EQ(Hex(DisconnectAddin(*closing.deliverable, closing.connect.Get())), Hex(S_OK));
  closing.connect.Reset();
}

TEST_P(EndToEnd, AClickOutlivesAClosingItsYieldDispatches) {
  ComHost host(Profile());
  closing = {&D(), Connected(host)};
  ASSERT_TRUE(closing.connect);
  const auto entry = host.Ide().FindBar(u"Code Window")->Added().back();
  auto pane = host.Ide().AddModule(u"If a Then\r\n    x = 1\r\nEnd If");
  pane->Select({1, 1, 1, 1});
  SetTimer(nullptr, 0, USER_TIMER_MINIMUM, CloseTheAddin);
  Sleep(50);
  const auto outcomes = host.Click(entry);
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_EQ(Hex(outcomes[0].result), Hex(S_OK));
  EXPECT_FALSE(closing.connect) << "the yield did not dispatch the closing";
  EXPECT_EQ(Shown(pane->SelectionsSet()), "1:1-3:7");
  pane.reset();
  EXPECT_EQ(host.LiveObjects(), 0u) << "the add-in still holds objects of the IDE";
  EXPECT_TRUE(boxes_.Take().empty());
}

// Keys as the user types them, into `focus` inside the host's main window: each virtual key down (a
// positive number) or up (negative), then the messages that follow pumped for a moment.
void Type(ComHost& host, HWND focus, const std::vector<int>& keys) {
  ShowWindow(host.MainWindow(), SW_SHOW);
  SetForegroundWindow(host.MainWindow());
  SetFocus(focus);
  std::vector<INPUT> inputs;
  for (int key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key < 0 ? -key : key);
    input.ki.dwFlags = key < 0 ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  for (int round = 0; round < 20; ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

// The key messages a window got, as the host records them: "pane down 0xDD".
std::vector<std::string> Keys(const char* window, const std::vector<int>& keys) {
  std::vector<std::string> seen;
  for (int key : keys) {
    char text[40];
    std::snprintf(text, sizeof text, "%s %s 0x%02X", window, key < 0 ? "up" : "down", key < 0 ? -key : key);
    seen.emplace_back(text);
  }
  return seen;
}

// The shortcut key, hooked on the IDE's own thread: in the code pane it does what a click does, once per
// press, and the pane never sees it; every other key, and the same key in another window, arrives as typed.
TEST_P(EndToEnd, TheShortcutKeyRunsTheCommandInTheCodePaneAloneWhileConnected) {
  constexpr int kCtrl = VK_CONTROL, kShift = VK_SHIFT, kBracket = 0xDD, kOpenBracket = 0xDB, kM = 'M';
  const std::vector<int> ctrlBracket = {kCtrl, kBracket, -kBracket, -kCtrl};
  const std::vector<int> ctrlShiftM = {kCtrl, kShift, kM, -kM, -kShift, -kCtrl};
  const std::vector<int> modifiers = {kCtrl, -kCtrl};
  struct Row {
    const char* what;
    const wchar_t* setting;  // null for none
    bool paneHandleHidden;
    bool inPane;
    std::vector<int> keys;
    bool runs;
    std::vector<std::string> seen;  // what the focused window got
  };
  const std::vector<Row> rows = {
      {"Ctrl+] in the pane", nullptr, false, true, ctrlBracket, true, Keys("pane", modifiers)},
      {"held down",
       nullptr,
       false,
       true,
       {kCtrl, kBracket, kBracket, kBracket, -kBracket, -kCtrl},
       true,
       Keys("pane", modifiers)},
      {"Ctrl+] in another window", nullptr, false, false, ctrlBracket, false, Keys("other", ctrlBracket)},
      {"Ctrl+[",
       nullptr,
       false,
       true,
       {kCtrl, kOpenBracket, -kOpenBracket, -kCtrl},
       false,
       Keys("pane", {kCtrl, kOpenBracket, -kOpenBracket, -kCtrl})},
      {"] alone", nullptr, false, true, {kBracket, -kBracket}, false, Keys("pane", {kBracket, -kBracket})},
      {"Ctrl+Shift+]",
       nullptr,
       false,
       true,
       {kCtrl, kShift, kBracket, -kBracket, -kShift, -kCtrl},
       false,
       Keys("pane", {kCtrl, kShift, kBracket, -kBracket, -kShift, -kCtrl})},
      {"a pane told by its class", nullptr, true, true, ctrlBracket, true, Keys("pane", modifiers)},
      {"another window, panes told by class", nullptr, true, false, ctrlBracket, false,
       Keys("other", ctrlBracket)},
      {"Ctrl+Shift+M set", L"Ctrl+Shift+M", false, true, ctrlShiftM, true,
       Keys("pane", {kCtrl, kShift, -kShift, -kCtrl})},
      {"Ctrl+] with Ctrl+Shift+M set", L"Ctrl+Shift+M", false, true, ctrlBracket, false,
       Keys("pane", ctrlBracket)},
      {"turned off", L"", false, true, ctrlBracket, false, Keys("pane", ctrlBracket)},
  };
  const std::wstring settings =
      std::wstring(L"Software\\Tandrel\\") + std::wstring(D().name, D().name + std::strlen(D().name));
  // One host for every row: Wine takes seconds to destroy a window that was shown.
  ComHost host(Profile());
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tandrel");
    if (row.setting) {
      ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, settings.c_str(), L"Shortcut", REG_SZ, row.setting,
                                static_cast<DWORD>((wcslen(row.setting) + 1) * sizeof(wchar_t))),
                ERROR_SUCCESS);
    }
    host.GiveCodePaneWindowHandle(!row.paneHandleHidden);
    ComPtr<IUnknown> connect = Connected(host);
    ASSERT_TRUE(connect);
    auto pane = host.Ide().AddModule(u"If a Then\r\n    x = 1\r\nEnd If");
    pane->Select({1, 1, 1, 1});
    const HWND focus = row.inPane ? host.CodePaneWindow() : host.OtherWindow();
    Type(host, focus, row.keys);
    EXPECT_EQ(pane->SelectionsSet().size(), row.runs ? 1u : 0u);
    if (row.runs) {
      EXPECT_EQ(Shown(pane->SelectionsSet()), "1:1-3:7");
    }
    EXPECT_EQ(host.TakeKeys(), row.seen);
    EXPECT_TRUE(boxes_.Take().empty());

    EXPECT_EQ(Hex(DisconnectAddin(D(), connect.Get())), Hex(S_OK));
    Type(host, focus, row.keys);
    EXPECT_EQ(pane->SelectionsSet().size(), row.runs ? 1u : 0u) << "after disconnection";
    EXPECT_EQ(host.TakeKeys(), Keys(row.inPane ? "pane" : "other", row.keys)) << "after disconnection";
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tandrel");

  // A press shows the boxes a click shows. An add-in released without a disconnection takes its key off too.
  host.GiveCodePaneWindowHandle(true);
  ComPtr<IUnknown> connect = Connected(host);
  ASSERT_TRUE(connect);
  host.Ide().AddModule(u"Do\r\nx = 1")->Select({1, 1, 1, 1});
  Type(host, host.CodePaneWindow(), ctrlBracket);
  const auto shown = boxes_.Take();
  EXPECT_EQ(Told(shown),
            std::vector<std::string>{
                Expand("48|$ABOUT|Match 'Loop' for 'Do' not found searching forward.\n\nComments and bugs to "
                       "$CONTACT",
                       D())});
  for (const auto& box : shown) EXPECT_EQ(box.owner, host.MainWindow()) << "the box's owner";
  EXPECT_EQ(host.TakeKeys(), Keys("pane", modifiers));
  connect.Reset();
  Type(host, host.CodePaneWindow(), ctrlBracket);
  EXPECT_EQ(host.TakeKeys(), Keys("pane", ctrlBracket)) << "after release";
  EXPECT_EQ(host.LiveObjects(), 0u);
}

TEST_P(EndToEnd, ABasicClientDrivesConnectLateBound) {
  struct Row {
    const wchar_t* name;
    DISPID id;
  };
  const Row rows[] = {
      {L"VBInstance", 0x40030000},         {L"MenuHandler", 0x40030001}, {L"MenuHandlerAddIns", 0x40030002},
      {L"MenuHandlerEditBar", 0x40030003}, {L"AddToMenus", 0x60030000},  {L"AddToToolbars", 0x60030001},
  };
  ComHost host(Profile());
  ComPtr<IUnknown> created;
  ASSERT_EQ(Hex(CreateConnect(D(), created)), Hex(S_OK));
  ComPtr<IDispatch> connect;
  ASSERT_EQ(created.As(&connect), S_OK);
  for (const auto& row : rows) EXPECT_EQ(IdOf(connect.Get(), row.name), row.id) << U8(std::wstring(row.name));

  // Set VBInstance = vbe, as Basic passes an object to an [in, out] argument: by reference.
  ComPtr<IDispatch> vbe = host.Vbe();
  IDispatch* vbeArgument = vbe.Get();
  EXPECT_EQ(Hex(Put(connect.Get(), L"VBInstance", Arg::Ref(&vbeArgument), DISPATCH_PROPERTYPUTREF).result),
            Hex(S_OK));
  EXPECT_EQ(Get(connect.Get(), L"VBInstance").Object(), vbe);

  BSTR bar = SysAllocString(L"Add-Ins");
  BSTR caption = SysAllocString(L"Late");
  const Answer added =
      Call(connect.Get(), L"AddToMenus", DISPATCH_METHOD, Args(Arg::Ref(&bar), Arg::Ref(&caption)));
  SysFreeString(bar);
  SysFreeString(caption);
  ASSERT_EQ(Hex(added.result), Hex(S_OK));
  const auto control = ComHost::ControlOf(added.Object().Get());
  ASSERT_TRUE(control);
  EXPECT_EQ(control, host.AddInsMenu()->Added().back());
  EXPECT_EQ(control->Caption(), u"Late");

  ComPtr<IDispatch> events = Get(vbe.Get(), L"Events").Object();
  ComPtr<IDispatch> source =
      Get(events.Get(), L"CommandBarEvents", Args(Arg::Object(added.Object().Get()))).Object();
  IDispatch* sourceArgument = source.Get();
  EXPECT_EQ(Hex(Put(connect.Get(), L"MenuHandlerAddIns", Arg::Ref(&sourceArgument), DISPATCH_PROPERTYPUTREF)
                    .result),
            Hex(S_OK));
  EXPECT_EQ(Get(connect.Get(), L"MenuHandlerAddIns").Object(), source);

  // Never connected: the command runs on an empty pair table and says it cannot match.
  auto pane = host.Ide().AddModule(u"If a Then\r\nEnd If");
  const auto outcomes = host.Click(control);
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_EQ(Hex(outcomes[0].result), Hex(S_OK));
  const auto told = Told(boxes_.Take());
  ASSERT_EQ(told.size(), 1u);
  EXPECT_TRUE(told[0].starts_with("64||Can't match 'If'!")) << told[0];

  // Set MenuHandlerAddIns = Nothing detaches the handler.
  IDispatch* nothing = nullptr;
  EXPECT_EQ(Hex(Put(connect.Get(), L"MenuHandlerAddIns", Arg::Ref(&nothing), DISPATCH_PROPERTYPUTREF).result),
            Hex(S_OK));
  EXPECT_TRUE(host.Click(control).empty());

  BSTR toolbar = SysAllocString(L"Edit");
  BSTR button = SysAllocString(L"B");
  BSTR tip = SysAllocString(L"Tip");
  const Answer toolbarButton = Call(connect.Get(), L"AddToToolbars", DISPATCH_METHOD,
                                    Args(Arg::Ref(&toolbar), Arg::Ref(&button), Arg::Ref(&tip)));
  SysFreeString(toolbar);
  SysFreeString(button);
  SysFreeString(tip);
  ASSERT_EQ(Hex(toolbarButton.result), Hex(S_OK));
  const auto shownButton = ComHost::ControlOf(toolbarButton.Object().Get());
  ASSERT_TRUE(shownButton);
  EXPECT_EQ(shownButton->Caption(), u"B");
  EXPECT_EQ(shownButton->TooltipText(), u"Tip");
  EXPECT_EQ(shownButton->Style(), 3);
  EXPECT_TRUE(shownButton->BeginGroup());
}

// A VBA editor whose "Edit" bar goes by a localized name: the entry there is left out without a word, the
// two others work, and disconnection leaves nothing behind.
TEST(OfficeEditor, ALocalizedEditBarIsSkippedSilently) {
  const std::wstring dll = DllPath(kVba.name);
  ASSERT_FALSE(dll.empty()) << "no path given for " << kVba.name;
  ASSERT_EQ(Regsvr32(dll, false), 0u);
  host::MessageBoxWatcher boxes;
  {
    ComHost host(host::kLocalizedOfficeEditorProfile);
    ComPtr<IUnknown> connect;
    ASSERT_EQ(Hex(CreateConnect(kVba, connect)), Hex(S_OK));
    EXPECT_EQ(Hex(ConnectAddin(kVba, connect.Get(), host.Vbe().Get())), Hex(S_OK));
    EXPECT_EQ(Told(boxes.Take()), std::vector<std::string>{});
    EXPECT_EQ(Bars(host), "Code Window['Ta&ndrel' key='Ctrl+]'] Add-Ins['Ta&ndrel' key='Ctrl+]'] Edit-");
    EXPECT_EQ(host.AdvisedSinks(), 2u);

    auto pane = host.Ide().AddModule(u"For i = 1 To 2\r\nNext");
    pane->Select({1, 1, 1, 1});
    const auto outcomes = host.Click(host.AddInsMenu()->Added().back());
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(Hex(outcomes[0].result), Hex(S_OK));
    EXPECT_EQ(Shown(pane->SelectionsSet()), "1:1-2:5");

    EXPECT_EQ(Hex(DisconnectAddin(kVba, connect.Get())), Hex(S_OK));
    EXPECT_EQ(Bars(host),
              "Code Window['Ta&ndrel' key='Ctrl+]' deleted] Add-Ins['Ta&ndrel' key='Ctrl+]' deleted] Edit-");
    EXPECT_EQ(host.AdvisedSinks(), 0u);
    connect.Reset();
    EXPECT_EQ(host.LiveObjects(), 0u) << "the add-in still holds objects of the IDE";
    EXPECT_EQ(Hex(CanUnloadNow(dll)), Hex(S_OK));
    EXPECT_EQ(Told(boxes.Take()), std::vector<std::string>{});
  }
  EXPECT_EQ(Regsvr32(dll, true), 0u);
}

INSTANTIATE_TEST_SUITE_P(Deliverables, EndToEnd, ::testing::Values(&kVb6, &kVb5, &kVba),
                         [](const auto& parameter) { return std::string(parameter.param->name); });

}  // namespace
}  // namespace tandrel::win::testing
