// The port's odd conditions, over scripted objects: what a result holding Nothing reads as, the description a
// failing call raises, a refused interface, the shape of every call, the cost of a walk over lines, the Click
// sink's arguments and the main window's handle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "ide/error.h"
#include "tests/win/port/scripted_dispatch.h"
#include "win/com/com_error.h"
#include "win/port/click_sink.h"
#include "win/port/command_bars.h"
#include "win/port/vbe.h"
#include "win/port/win32_runtime.h"

// Allocations fail while this is set, as they do in an IDE's process that has run out of memory.
bool allocationsFail = false;

void* operator new(std::size_t size) {
  void* block = allocationsFail ? nullptr : std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  return block;
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace tandrel::win {
namespace {

using testing::Fails;
using testing::Raises;
using testing::RaisesLate;
using testing::Returns;
using testing::ReturnsValue;
using testing::ScriptedObject;
using testing::Succeeds;

std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

VARIANT LongValue(LONG value) {
  VARIANT variant{};
  V_VT(&variant) = VT_I4;
  V_I4(&variant) = value;
  return variant;
}

VARIANT LongLongValue(LONGLONG value) {
  VARIANT variant{};
  V_VT(&variant) = VT_I8;
  V_I8(&variant) = value;
  return variant;
}

VARIANT TypedValue(VARTYPE type) {
  VARIANT variant{};
  V_VT(&variant) = type;
  return variant;
}

// The description `action` raises, or "" when it raises none.
template <typename Action>
std::u16string Raised(Action&& action) {
  try {
    action();
    return u"";
  } catch (const ide::Error& error) {
    return error.Description();
  }
}

// An IDE of scripted objects, each member answering as the tests set it; the application object is the root.
class ScriptedIde {
 public:
  ScriptedIde() {
    vbe->Implements(kVisualBasicHost.vbe);
    vbe->On(u"CommandBars", Returns(bars.Get()));
    vbe->On(u"ActiveCodePane", Returns(pane.Get()));
    vbe->On(u"Events", Returns(events.Get()));
    vbe->On(u"MainWindow", Returns(window.Get()));
    bars->On(u"Item", Returns(bar.Get()));
    bars->On(u"ActiveMenuBar", Returns(bar.Get()));
    bar->On(u"Controls", Returns(controls.Get()));
    bar->On(u"FindControl", Returns(control.Get()));
    controls->On(u"Add", Returns(control.Get()));
    for (const char16_t* name :
         {u"Caption", u"TooltipText", u"BeginGroup", u"Visible", u"Style", u"FaceId"}) {
      control->On(name, Succeeds());
    }
    control->On(u"Delete", Succeeds());
    control->On(u"CommandBar", Returns(bar.Get()));
    pane->On(u"GetSelection", Succeeds());
    pane->On(u"SetSelection", Succeeds());
    pane->On(u"CodeModule", Returns(module.Get()));
    module->On(u"Lines", ReturnsValue(TypedValue(VT_EMPTY)));
    module->On(u"CountOfLines", ReturnsValue(LongValue(3)));
    module->On(u"CodePane", Returns(pane.Get()));
    events->On(u"CommandBarEvents", Returns(nullptr));
  }

  std::shared_ptr<ide::VBE> Root() const { return WrapApplication(vbe.Get(), kVisualBasicHost)->AsVBE(); }

  ComPtr<ScriptedObject> vbe = ScriptedObject::Make();
  ComPtr<ScriptedObject> bars = ScriptedObject::Make();
  ComPtr<ScriptedObject> bar = ScriptedObject::Make();
  ComPtr<ScriptedObject> controls = ScriptedObject::Make();
  ComPtr<ScriptedObject> control = ScriptedObject::Make();
  ComPtr<ScriptedObject> events = ScriptedObject::Make();
  ComPtr<ScriptedObject> pane = ScriptedObject::Make();
  ComPtr<ScriptedObject> module = ScriptedObject::Make();
  ComPtr<ScriptedObject> window = ScriptedObject::Make();
};

TEST(DispatchPortTest, ABarLookupReadsNothingAsNullAndAnyOtherValueAsATypeMismatch) {
  ScriptedIde ide;
  struct Row {
    const char* name;
    VARIANT result;
    bool found;
    std::u16string raised;
  } rows[] = {
      {"null object", TypedValue(VT_DISPATCH), false, u""},
      {"empty", TypedValue(VT_EMPTY), false, u""},
      {"Null", TypedValue(VT_NULL), false, u""},
      {"a number", LongValue(5), false, u"Type mismatch"},
  };
  for (const Row& row : rows) {
    ide.bars->On(u"Item", ReturnsValue(row.result));
    std::shared_ptr<ide::CommandBar> bar;
    const std::u16string raised = Raised([&] { bar = ide.Root()->CommandBars()->Item(u"Edit"); });
    EXPECT_TRUE(raised == row.raised && (bar != nullptr) == row.found) << row.name << ": " << Narrow(raised);
  }
}

TEST(DispatchPortTest, AFailingCallRaisesTheCalleesDescriptionElseTheCodesText) {
  ScriptedIde ide;
  struct Row {
    const char* name;
    ScriptedObject::Answer answer;
    std::u16string expected;
  } rows[] = {
      {"described", Raises(u"Invalid procedure call or argument"), u"Invalid procedure call or argument"},
      {"described late", RaisesLate(), testing::kLateDescription},
      {"a bare code", Fails(E_INVALIDARG), DescribeHresult(E_INVALIDARG)},
      {"an exception without text", Raises(u""), DescribeHresult(E_FAIL)},
  };
  for (const Row& row : rows) {
    ide.bars->On(u"Item", row.answer);
    const std::u16string raised = Raised([&] { ide.Root()->CommandBars()->Item(u"Edit"); });
    EXPECT_EQ(Narrow(raised), Narrow(row.expected)) << row.name;
  }
}

TEST(DispatchPortTest, AnObjectThatRefusesTheInterfaceAskedForIsATypeMismatch) {
  ScriptedIde ide;
  const ComPtr<ScriptedObject> stranger = ScriptedObject::Make();
  const ComPtr<ScriptedObject> button = ScriptedObject::Make();
  button->Implements(kCommandBarButtonIid);
  struct Row {
    const char* name;
    std::function<void()> action;
    std::u16string raised;
  } rows[] = {
      {"an IDE root", [&] { ide.Root(); }, u""},
      {"no IDE root", [&] { WrapApplication(stranger.Get(), kVisualBasicHost)->AsVBE(); }, u"Type mismatch"},
      {"a button",
       [&] {
         WrapCommandBarControl(button, std::make_shared<DispatchSession>(kVisualBasicHost))
             ->AsCommandBarButton();
       },
       u""},
      {"no button",
       [&] {
         WrapCommandBarControl(ide.control, std::make_shared<DispatchSession>(kVisualBasicHost))
             ->AsCommandBarButton();
       },
       u"Type mismatch"},
  };
  for (const Row& row : rows) EXPECT_EQ(Narrow(Raised(row.action)), Narrow(row.raised)) << row.name;
}

TEST(DispatchPortTest, EachMemberIsCalledAsItIsDeclared) {
  using Call = ScriptedObject::Call;
  constexpr WORD kGet = DISPATCH_PROPERTYGET;
  constexpr WORD kPut = DISPATCH_PROPERTYPUT;
  constexpr WORD kMethod = DISPATCH_METHOD;
  constexpr VARTYPE kOut = VT_I4 | VT_BYREF;
  ScriptedIde ide;
  const auto root = ide.Root();
  const auto control =
      WrapCommandBarControl(ide.control, std::make_shared<DispatchSession>(kVisualBasicHost));
  struct Row {
    std::function<void()> action;
    ComPtr<ScriptedObject> object;
    Call expected;
  } rows[] = {
      {[&] { root->CommandBars()->Item(u"Edit"); }, ide.bars, {u"Item", kGet, {VT_BSTR}}},
      {[&] { root->CommandBars()->ActiveMenuBar(); }, ide.bars, {u"ActiveMenuBar", kGet, {}}},
      {[&] { control->CommandBar()->Controls(); }, ide.bar, {u"Controls", kGet, {}}},
      {[&] { control->CommandBar()->FindControl(30038); },
       ide.bar,
       {u"FindControl", kMethod, {VT_ERROR, VT_I4, VT_ERROR, VT_ERROR, VT_ERROR}}},
      {[&] { control->CommandBar()->Controls()->Add(ide::kControlButton); },
       ide.controls,
       {u"Add", kMethod, {VT_I4, VT_ERROR, VT_ERROR, VT_ERROR, VT_ERROR}}},
      {[&] { control->SetCaption(u"&Match"); }, ide.control, {u"Caption", kPut, {VT_BSTR}, true}},
      {[&] { control->SetTooltipText(u"Match"); }, ide.control, {u"TooltipText", kPut, {VT_BSTR}, true}},
      {[&] { control->SetBeginGroup(true); }, ide.control, {u"BeginGroup", kPut, {VT_BOOL}, true}},
      {[&] { control->SetVisible(true); }, ide.control, {u"Visible", kPut, {VT_BOOL}, true}},
      {[&] { control->Delete(); }, ide.control, {u"Delete", kMethod, {VT_ERROR}}},
      {[&] { root->Events()->CommandBarEvents(control); },
       ide.events,
       {u"CommandBarEvents", kGet, {VT_DISPATCH}}},
      {[&] { root->ActiveCodePane()->GetSelection(); },
       ide.pane,
       {u"GetSelection", kMethod, {kOut, kOut, kOut, kOut}}},
      {[&] { root->ActiveCodePane()->SetSelection(1, 2, 3, 4); },
       ide.pane,
       {u"SetSelection", kMethod, {VT_I4, VT_I4, VT_I4, VT_I4}}},
      {[&] { root->ActiveCodePane()->CodeModule(); }, ide.pane, {u"CodeModule", kGet, {}}},
      {[&] { root->ActiveCodePane()->CodeModule()->Lines(1, 2); },
       ide.module,
       {u"Lines", kGet, {VT_I4, VT_I4}}},
      {[&] { root->ActiveCodePane()->CodeModule()->CountOfLines(); },
       ide.module,
       {u"CountOfLines", kGet, {}}},
      {[&] { root->ActiveCodePane()->CodeModule()->CodePane(); }, ide.module, {u"CodePane", kGet, {}}},
  };
  for (const Row& row : rows) {
    row.action();
    ASSERT_FALSE(row.object->Calls().empty()) << Narrow(row.expected.member);
    EXPECT_TRUE(row.object->Calls().back() == row.expected) << Narrow(row.expected.member);
  }
}

TEST(DispatchPortTest, AWalkOverLinesLooksEachNameUpOnlyOnce) {
  ScriptedIde ide;
  const auto root = ide.Root();
  for (std::int32_t line = 1; line <= 100; ++line) root->ActiveCodePane()->CodeModule()->Lines(line, 1);
  EXPECT_EQ(ide.vbe->NameLookups() + ide.pane->NameLookups() + ide.module->NameLookups(), 3);
  EXPECT_EQ(ide.module->Calls().size(), 100u);
}

TEST(DispatchPortTest, TheMainWindowsHandleIsReadAsAnyWidthAndNullWhenTheIdeCannotSay) {
  ScriptedIde ide;
  struct Row {
    const char* name;
    ScriptedObject::Answer answer;
    INT_PTR expected;
  } rows[] = {
      {"32 bits", ReturnsValue(LongValue(0x1234)), 0x1234},
      {"32 bits, sign extended", ReturnsValue(LongValue(-2)), -2},
      {"64 bits", ReturnsValue(LongLongValue(0x1'0000'5678)), static_cast<INT_PTR>(0x1'0000'5678LL)},
      {"no number", ReturnsValue(TypedValue(VT_DISPATCH)), 0},
      {"a failure", Raises(u"Automation error"), 0},
  };
  for (const Row& row : rows) {
    ide.window->On(u"HWnd", row.answer);
    EXPECT_EQ(MainWindowOf(ide.Root()), reinterpret_cast<HWND>(row.expected)) << row.name;
  }
  ide.vbe->On(u"MainWindow", Returns(nullptr));
  EXPECT_EQ(MainWindowOf(ide.Root()), nullptr) << "no main window";
  EXPECT_EQ(MainWindowOf(nullptr), nullptr) << "no IDE";
}

// One Click as the IDE raises it, through the sink's Invoke.
struct ClickRow {
  const char* name;
  VARTYPE handledType;
  VARTYPE cancelType;
  bool setHandled;
  bool setCancel;
  bool raise;
  HRESULT expected;
  VARIANT_BOOL handledAfter;  // the handled flag the IDE reads back when passed by reference
  VARIANT_BOOL cancelAfter;
};

TEST(ClickSinkTest, ClickTakesItsFlagsByReferenceOrByValueAndWritesBackOnlyOnSuccess) {
  constexpr VARTYPE kByRef = VT_BOOL | VT_BYREF;
  const ClickRow rows[] = {
      {"by reference", kByRef, kByRef, true, true, false, S_OK, VARIANT_TRUE, VARIANT_TRUE},
      {"by reference, unchanged", kByRef, kByRef, false, false, false, S_OK, VARIANT_FALSE, VARIANT_FALSE},
      {"by value", VT_BOOL, VT_BOOL, true, true, false, S_OK, VARIANT_FALSE, VARIANT_FALSE},
      {"mixed", VT_BOOL, kByRef, true, true, false, S_OK, VARIANT_FALSE, VARIANT_TRUE},
      {"not a flag", VT_I4, kByRef, true, true, false, DISP_E_TYPEMISMATCH, VARIANT_FALSE, VARIANT_FALSE},
      {"a failing handler", kByRef, kByRef, true, true, true, DISP_E_EXCEPTION, VARIANT_FALSE, VARIANT_FALSE},
  };
  const ComPtr<ScriptedObject> control = ScriptedObject::Make();
  for (const ClickRow& row : rows) {
    IDispatch* seen = nullptr;
    const ComPtr<ClickSink> sink = Adopt(new ClickSink(
        [&](const std::shared_ptr<ide::CommandBarControl>& clicked, bool& handled, bool& cancel) {
          seen = DispatchOf(clicked).Get();
          handled = row.setHandled;
          cancel = row.setCancel;
          if (row.raise) throw ide::Error(u"Object variable or With block variable not set");
        },
        std::make_shared<DispatchSession>(kVisualBasicHost)));
    VARIANT_BOOL handled = VARIANT_FALSE;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANTARG arguments[3]{};
    V_VT(&arguments[2]) = VT_DISPATCH;
    V_DISPATCH(&arguments[2]) = control.Get();
    for (auto [argument, type, flag] : {std::tuple{&arguments[1], row.handledType, &handled},
                                        std::tuple{&arguments[0], row.cancelType, &cancel}}) {
      V_VT(argument) = type;
      if (type == kByRef) V_BOOLREF(argument) = flag;
    }
    DISPPARAMS params{arguments, nullptr, 3, 0};
    EXCEPINFO exception{};
    const HRESULT result =
        sink->Invoke(ClickSink::kClick, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &exception, nullptr);
    const std::u16string description =
        exception.bstrDescription
            ? std::u16string(reinterpret_cast<const char16_t*>(exception.bstrDescription))
            : u"";
    SysFreeString(exception.bstrDescription);
    EXPECT_TRUE(
        result == row.expected && handled == row.handledAfter && cancel == row.cancelAfter &&
        (result != S_OK || seen == control.Get()) &&
        (result != DISP_E_EXCEPTION || description == u"Object variable or With block variable not set"))
        << row.name << ": " << std::hex << result << " handled " << handled << " cancel " << cancel;
  }
}

TEST(ClickSinkTest, TheSinkAnswersOnlyClickAndOnlyItsEventInterface) {
  const ComPtr<ClickSink> sink = Adopt(
      new ClickSink([](const auto&, bool&, bool&) {}, std::make_shared<DispatchSession>(kVisualBasicHost)));
  DISPPARAMS none{};
  EXPECT_EQ(sink->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(sink->Invoke(ClickSink::kClick, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);
  struct Row {
    const char* name;
    IID iid;
    HRESULT expected;
  } rows[] = {
      {"the event interface", kVisualBasicHost.commandBarEvents, S_OK},
      {"IDispatch", IID_IDispatch, S_OK},
      {"IUnknown", IID_IUnknown, S_OK},
      {"another host's event interface", kOfficeEditorHost.commandBarEvents, E_NOINTERFACE},
  };
  for (const Row& row : rows) {
    ComPtr<IUnknown> face;
    EXPECT_EQ(sink->QueryInterface(row.iid, reinterpret_cast<void**>(face.GetAddressOf())), row.expected)
        << row.name;
  }
}

TEST(Win32RuntimeTest, TheYieldKeepsTheHourglassAndLeavesKeysToTheIdesOwnLoop) {
  // A window whose class has the arrow as its pointer: its WM_SETCURSOR puts the arrow back.
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"TandrelPointerTest";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                      nullptr, nullptr, windowClass.hInstance, nullptr);
  ASSERT_TRUE(window);
  const auto runtime = MakeWin32Runtime(GetModuleHandleW(nullptr), u"Tandrel", [] { return HWND{}; });

  // A key the user types, as input in the thread's queue.
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  for (int pass = 0; pass < 10; ++pass) {
    MSG activation;
    while (PeekMessageW(&activation, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&activation);
    Sleep(20);
  }
  SetFocus(window);
  INPUT key[2]{};
  key[0].type = key[1].type = INPUT_KEYBOARD;
  key[0].ki.wVk = key[1].ki.wVk = VK_F5;
  key[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(2, key, sizeof(INPUT)), 2u);
  MSG message;
  for (int wait = 0; wait < 40 && !PeekMessageW(&message, window, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE);
       ++wait) {
    Sleep(25);
  }
  ASSERT_EQ(message.message, static_cast<UINT>(WM_KEYDOWN)) << "the key did not arrive";

  runtime->SetMousePointer(ide::kPointerHourglass);
  PostMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  runtime->DoEvents();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  EXPECT_FALSE(PeekMessageW(&message, window, WM_SETCURSOR, WM_SETCURSOR, PM_REMOVE));
  EXPECT_TRUE(PeekMessageW(&message, window, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) << "the key was taken";

  runtime->SetMousePointer(ide::kPointerDefault);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
  DestroyWindow(window);
}

// Out of memory while a failure is being reported: the IDE still gets an HRESULT, never an exception.
TEST(BoundaryTest, AFailureReportedWithoutMemoryIsEOutOfMemory) {
  const auto failing = [](auto raise) {
    return [raise]() -> HRESULT {
      allocationsFail = true;
      raise();
      return S_OK;
    };
  };
  // Moved, so that throwing needs no memory; reporting it does.
  const auto ideError = [] {
    ide::Error error(u"Method 'Lines' of object '_CodeModule' failed");
    allocationsFail = true;
    throw std::move(error);
  };
  const auto otherError = [] { throw 1; };
  struct Row {
    const char* name;
    std::function<HRESULT()> call;
  } rows[] = {
      {"ComBoundary, an IDE error", [&] { return ComBoundary(IID_IDispatch, failing(ideError)); }},
      {"ComBoundary, another error", [&] { return ComBoundary(IID_IDispatch, failing(otherError)); }},
      {"DispatchBoundary, an IDE error", [&] { return DispatchBoundary(nullptr, failing(ideError)); }},
      {"DispatchBoundary, another error", [&] { return DispatchBoundary(nullptr, failing(otherError)); }},
  };
  for (const Row& row : rows) {
    const HRESULT result = row.call();
    allocationsFail = false;
    EXPECT_EQ(result, E_OUTOFMEMORY) << row.name;
  }
}

}  // namespace
}  // namespace tandrel::win
