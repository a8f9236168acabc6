// The served IDE, called through IDispatch exactly as an add-in calls it: names, flags, arguments, identity,
// errors and the Click event.
#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>

#include "tests/win/click_sink.h"
#include "tests/win/dispatch_client.h"
#include "tests/win/host/com_host.h"

namespace tandrel::win::testing {
namespace {

using host::ComHost;

std::string Hex(HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
  return text;
}

// A host with a two-line module in the active pane and one control added to "Edit".
struct Served {
  Served() {
    pane = host.Ide().AddModule(u"If a Then\r\nEnd If");
    pane->Select({1, 2, 1, 3});
    vbe = host.Vbe();
    bar = Bar(vbe.Get(), L"Edit");
    controls = Get(bar.Get(), L"Controls").Object();
    control = Call(controls.Get(), L"Add", DISPATCH_METHOD, Args(Arg::Long(1))).Object();
    codePane = Get(vbe.Get(), L"ActiveCodePane").Object();
    codeModule = Get(codePane.Get(), L"CodeModule").Object();
  }

  // The object a row names.
  IDispatch* Named(const std::string& name) const {
    if (name == "VBE") return vbe.Get();
    if (name == "CommandBar") return bar.Get();
    if (name == "CommandBarControls") return controls.Get();
    if (name == "CommandBarControl") return control.Get();
    if (name == "CodePane") return codePane.Get();
    if (name == "CodeModule") return codeModule.Get();
    return nullptr;
  }

  ComHost host;
  std::shared_ptr<sim::Pane> pane;
  ComPtr<IDispatch> vbe, bar, controls, control, codePane, codeModule;
};

TEST(HostObjects, NamesGiveTheIdesDispidsWhateverTheirCase) {
  struct Row {
    std::string object;
    const wchar_t* name;
    DISPID id;
  };
  const Row rows[] = {
      {"VBE", L"CommandBars", 0x6C},
      {"VBE", L"events", 0x6F},
      {"VBE", L"MAINWINDOW", 0xCC},
      {"VBE", L"ActiveCodePane", 0xCE},
      {"CommandBar", L"Controls", 0x60040003},
      {"CommandBarControls", L"Add", 0x60030000},
      {"CommandBarControl", L"BeginGroup", 0x60040000},
      {"CommandBarControl", L"Caption", 0x60040003},
      {"CommandBarControl", L"Delete", 0x60040007},
      {"CommandBarControl", L"TooltipText", 0x60040025},
      {"CommandBarControl", L"Visible", 0x60040029},
      {"CommandBarControl", L"FaceId", 0x60050003},
      {"CommandBarControl", L"style", 0x6005000A},
      {"CodePane", L"GetSelection", 0x60020003},
      {"CodePane", L"SetSelection", 0x60020004},
      {"CodePane", L"CodeModule", 0x60020008},
      {"CodeModule", L"Lines", 0x60020006},
      {"CodeModule", L"CountOfLines", 0x60020007},
      {"CodeModule", L"CodePane", 0x60020012},
      {"CodeModule", L"NoSuchMember", DISPID_UNKNOWN},
  };
  Served served;
  for (const auto& row : rows) {
    EXPECT_EQ(IdOf(served.Named(row.object), row.name), row.id)
        << row.object << "." << std::wstring(row.name).size() << " chars";
  }
}

TEST(HostObjects, InvokeChecksFlagsCountsAndTypesAsATypeLibraryDoes) {
  struct Row {
    std::string what;
    std::string object;
    const wchar_t* member;
    WORD flags;
    std::vector<Arg> (*arguments)();
    HRESULT result;
  };
  constexpr WORD kGet = DISPATCH_PROPERTYGET;
  constexpr WORD kMethod = DISPATCH_METHOD;
  constexpr WORD kBasic = DISPATCH_METHOD | DISPATCH_PROPERTYGET;  // what Basic passes for both
  static LONG out[4];
  const auto none = [] { return std::vector<Arg>{}; };
  const Row rows[] = {
      {"a property read", "VBE", L"CommandBars", kGet, none, S_OK},
      {"a property read as Basic makes it", "VBE", L"CommandBars", kBasic, none, S_OK},
      {"a property read as a method call", "VBE", L"CommandBars", kMethod, none, DISP_E_MEMBERNOTFOUND},
      {"a read-only property put", "VBE", L"CommandBars", DISPATCH_PROPERTYPUT,
       [] { return Args(Arg::Long(1)); }, DISP_E_MEMBERNOTFOUND},
      {"a method called as a property", "CodePane", L"GetSelection", kGet,
       [] { return Args(Arg::Ref(&out[0]), Arg::Ref(&out[1]), Arg::Ref(&out[2]), Arg::Ref(&out[3])); },
       DISP_E_MEMBERNOTFOUND},
      {"GetSelection with four long references", "CodePane", L"GetSelection", kMethod,
       [] { return Args(Arg::Ref(&out[0]), Arg::Ref(&out[1]), Arg::Ref(&out[2]), Arg::Ref(&out[3])); }, S_OK},
      {"GetSelection with a value for an out argument", "CodePane", L"GetSelection", kMethod,
       [] { return Args(Arg::Ref(&out[0]), Arg::Long(1), Arg::Ref(&out[2]), Arg::Ref(&out[3])); },
       DISP_E_TYPEMISMATCH},
      {"SetSelection with three arguments", "CodePane", L"SetSelection", kMethod,
       [] { return Args(Arg::Long(1), Arg::Long(1), Arg::Long(1)); }, DISP_E_BADPARAMCOUNT},
      {"Lines with text that is a number", "CodeModule", L"Lines", kGet,
       [] { return Args(Arg::Text(L"1"), Arg::Long(1)); }, S_OK},
      {"Lines with text that is no number", "CodeModule", L"Lines", kGet,
       [] { return Args(Arg::Text(L"one"), Arg::Long(1)); }, DISP_E_TYPEMISMATCH},
      {"Lines as a method call", "CodeModule", L"Lines", kMethod,
       [] { return Args(Arg::Long(1), Arg::Long(1)); }, DISP_E_MEMBERNOTFOUND},
      {"Add with every argument omitted", "CommandBarControls", L"Add", kMethod,
       [] { return Args(Arg::Missing(), Arg::Missing(), Arg::Missing(), Arg::Missing(), Arg::Missing()); },
       S_OK},
      {"Add with no arguments", "CommandBarControls", L"Add", kMethod, none, S_OK},
      {"Add before a given control", "CommandBarControls", L"Add", kMethod,
       [] { return Args(Arg::Long(1), Arg::Missing(), Arg::Missing(), Arg::Long(1)); }, DISP_E_TYPEMISMATCH},
      {"a caption put", "CommandBarControl", L"Caption", DISPATCH_PROPERTYPUT,
       [] { return Args(Arg::Text(L"x")); }, S_OK},
      {"a caption put by reference", "CommandBarControl", L"Caption", DISPATCH_PROPERTYPUTREF,
       [] { return Args(Arg::Text(L"x")); }, DISP_E_MEMBERNOTFOUND},
      {"Delete with Temporary omitted", "CommandBarControl", L"Delete", kMethod,
       [] { return Args(Arg::Missing()); }, S_OK},
  };
  for (const auto& row : rows) {
    Served served;
    const Answer answer = Call(served.Named(row.object), row.member, row.flags, row.arguments());
    EXPECT_EQ(Hex(answer.result), Hex(row.result)) << row.what;
  }
}

TEST(HostObjects, APutWithoutItsNamedArgumentIsRefused) {
  Served served;
  std::vector<Arg> value = Args(Arg::Text(L"x"));
  DISPPARAMS params{&value[0].value, nullptr, 1, 0};
  const DISPID caption = IdOf(served.control.Get(), L"Caption");
  EXPECT_EQ(Hex(served.control->Invoke(caption, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                                       nullptr)),
            Hex(DISP_E_PARAMNOTFOUND));
}

TEST(HostObjects, ObjectsAnswerTheIdesInterfaces) {
  struct Row {
    std::string object;
    IID iid;
    bool answers;
  };
  const auto& profile = host::kVisualBasicProfile;
  const Row rows[] = {
      {"VBE", profile.vbe, true},
      {"VBE", host::kIidCommandBars, false},
      {"CommandBar", host::kIidCommandBar, true},
      {"CommandBarControls", host::kIidCommandBarControls, true},
      {"CommandBarControl", host::kIidCommandBarControl, true},
      {"CommandBarControl", host::kIidCommandBarButton, true},
      {"CodePane", profile.codePane, true},
      {"CodeModule", profile.codeModule, true},
      {"CodeModule", profile.codePane, false},
  };
  Served served;
  for (const auto& row : rows) {
    ComPtr<IUnknown> answer;
    const HRESULT result = served.Named(row.object)->QueryInterface(row.iid, &answer);
    EXPECT_EQ(SUCCEEDED(result), row.answers) << row.object;
  }
}

TEST(HostObjects, EachIdeObjectIsOneComObject) {
  Served served;
  EXPECT_EQ(Get(served.vbe.Get(), L"CommandBars").Object(), Get(served.vbe.Get(), L"CommandBars").Object());
  EXPECT_EQ(Bar(served.vbe.Get(), L"Edit"), served.bar);
  EXPECT_EQ(Get(served.codeModule.Get(), L"CodePane").Object(), served.codePane);
  EXPECT_EQ(ComHost::ControlOf(served.control.Get()), served.host.Ide().FindBar(u"Edit")->Added().back());
  EXPECT_EQ(ComHost::ControlOf(served.vbe.Get()), nullptr);
  // A bar missing from the IDE is Nothing, not an error.
  const Answer missing =
      Get(Get(served.vbe.Get(), L"CommandBars").Object().Get(), L"Item", Args(Arg::Text(L"No bar")));
  EXPECT_EQ(missing.result, S_OK);
  EXPECT_EQ(missing.Object(), nullptr);
}

TEST(HostObjects, CallsReachTheInMemoryIde) {
  Served served;
  LONG selection[4] = {};
  EXPECT_EQ(Call(served.codePane.Get(), L"GetSelection", DISPATCH_METHOD,
                 Args(Arg::Ref(&selection[0]), Arg::Ref(&selection[1]), Arg::Ref(&selection[2]),
                      Arg::Ref(&selection[3])))
                .result,
            S_OK);
  EXPECT_EQ(std::vector<LONG>(selection, selection + 4), (std::vector<LONG>{1, 2, 1, 3}));
  EXPECT_EQ(Call(served.codePane.Get(), L"SetSelection", DISPATCH_METHOD,
                 Args(Arg::Long(1), Arg::Long(1), Arg::Long(2), Arg::Long(7)))
                .result,
            S_OK);
  EXPECT_EQ(served.pane->Selection(), (ide::Selection{1, 1, 2, 7}));
  EXPECT_EQ(Get(served.codeModule.Get(), L"Lines", Args(Arg::Long(1), Arg::Long(2))).Text(),
            u"If a Then\r\nEnd If");
  EXPECT_EQ(Get(served.codeModule.Get(), L"CountOfLines").Long(), 2);

  EXPECT_EQ(Put(served.control.Get(), L"Caption", Arg::Text(L"Tdl")).result, S_OK);
  EXPECT_EQ(Put(served.control.Get(), L"FaceId", Arg::Long(556)).result, S_OK);
  EXPECT_EQ(Put(served.control.Get(), L"BeginGroup", Arg::Long(-1)).result, S_OK);
  const auto& control = *served.host.Ide().FindBar(u"Edit")->Added().back();
  EXPECT_EQ(control.Caption(), u"Tdl");
  EXPECT_EQ(control.FaceId(), 556);
  EXPECT_TRUE(control.BeginGroup());
  EXPECT_EQ(Get(served.control.Get(), L"Caption").Text(), u"Tdl");

  const Answer window = Get(Get(served.vbe.Get(), L"MainWindow").Object().Get(), L"HWnd");
  EXPECT_EQ(reinterpret_cast<HWND>(static_cast<INT_PTR>(window.Long())), served.host.MainWindow());
  EXPECT_TRUE(IsWindow(served.host.MainWindow()));
}

TEST(HostObjects, IdeErrorsComeBackAsExceptionsWithTheirDescription) {
  Served served;
  served.host.Ide().FailCall("Lines", u"Out of memory");
  const Answer failed = Get(served.codeModule.Get(), L"Lines", Args(Arg::Long(1), Arg::Long(1)));
  EXPECT_EQ(Hex(failed.result), Hex(DISP_E_EXCEPTION));
  EXPECT_EQ(failed.description, u"Out of memory");

  served.host.Ide().LeaveNoActivePane();
  const Answer noPane = Get(served.vbe.Get(), L"ActiveCodePane");
  EXPECT_EQ(noPane.result, S_OK);
  EXPECT_EQ(noPane.value.vt, VT_DISPATCH);
  EXPECT_EQ(noPane.Object(), nullptr);
}

// Advises `sink` on the Click source of `control`; returns the cookie, or 0.
DWORD Advise(IDispatch* vbe, IDispatch* control, IUnknown* sink, ComPtr<IConnectionPoint>& point,
             HRESULT* result = nullptr) {
  ComPtr<IDispatch> events = Get(vbe, L"Events").Object();
  ComPtr<IDispatch> source = Get(events.Get(), L"CommandBarEvents", Args(Arg::Object(control))).Object();
  ComPtr<IConnectionPointContainer> container;
  if (!source || FAILED(source.As(&container))) return 0;
  if (FAILED(container->FindConnectionPoint(host::kVisualBasicProfile.clickEvents, &point))) return 0;
  DWORD cookie = 0;
  const HRESULT advised = point->Advise(sink, &cookie);
  if (result) *result = advised;
  return cookie;
}

TEST(HostObjects, ClickReachesAnAdvisedSinkWithItsArgumentsReversed) {
  Served served;
  ClickSink sink(host::kVisualBasicProfile.clickEvents, S_OK);
  ComPtr<IConnectionPoint> point;
  const DWORD cookie = Advise(served.vbe.Get(), served.control.Get(), &sink, point);
  ASSERT_NE(cookie, 0u);

  const auto simControl = served.host.Ide().FindBar(u"Edit")->Added().back();
  const auto outcomes = served.host.Click(simControl);
  ASSERT_EQ(sink.clicks.size(), 1u);
  EXPECT_EQ(sink.clicks[0].id, 1);
  EXPECT_EQ(sink.clicks[0].flags, DISPATCH_METHOD);
  EXPECT_EQ(sink.clicks[0].types,
            (std::vector<VARTYPE>{VT_BOOL | VT_BYREF, VT_BOOL | VT_BYREF, VT_DISPATCH}));
  EXPECT_EQ(sink.clicks[0].control, served.control.Get());
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_EQ(outcomes[0].result, S_OK);
  EXPECT_TRUE(outcomes[0].handled);

  EXPECT_EQ(point->Unadvise(cookie), S_OK);
  EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
  EXPECT_TRUE(served.host.Click(simControl).empty());
  EXPECT_EQ(sink.clicks.size(), 1u);
}

TEST(HostObjects, ASinkFailureIsTheClicksOutcome) {
  Served served;
  ClickSink sink(host::kVisualBasicProfile.clickEvents, DISP_E_EXCEPTION);
  ComPtr<IConnectionPoint> point;
  ASSERT_NE(Advise(served.vbe.Get(), served.control.Get(), &sink, point), 0u);
  const auto outcomes = served.host.Click(served.host.Ide().FindBar(u"Edit")->Added().back());
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_EQ(Hex(outcomes[0].result), Hex(DISP_E_EXCEPTION));
  EXPECT_EQ(outcomes[0].description, u"Object variable or With block variable not set");
}

TEST(HostObjects, ASinkWithoutTheEventInterfaceCannotConnect) {
  Served served;
  ClickSink sink(IID_IDispatch, S_OK);  // answers IDispatch only
  ComPtr<IConnectionPoint> point;
  HRESULT result = S_OK;
  EXPECT_EQ(Advise(served.vbe.Get(), served.control.Get(), &sink, point, &result), 0u);
  EXPECT_EQ(Hex(result), Hex(CONNECT_E_CANNOTCONNECT));
}

TEST(HostObjects, EventsOfAnObjectThatIsNoControlOfTheHostFail) {
  Served served;
  ComPtr<IDispatch> events = Get(served.vbe.Get(), L"Events").Object();
  for (IDispatch* notAControl : {static_cast<IDispatch*>(nullptr), served.codePane.Get()}) {
    const Answer answer = Get(events.Get(), L"CommandBarEvents", Args(Arg::Object(notAControl)));
    EXPECT_EQ(Hex(answer.result), Hex(DISP_E_EXCEPTION));
    EXPECT_EQ(answer.description, u"Invalid procedure call or argument");
  }
}

TEST(HostObjects, EveryCallAndNameLookupIsCounted) {
  Served served;
  served.host.Stats().Clear();
  const DISPID lines = IdOf(served.codeModule.Get(), L"Lines");
  for (int i = 1; i <= 3; ++i)
    CallId(served.codeModule.Get(), lines, DISPATCH_PROPERTYGET, Args(Arg::Long(i), Arg::Long(1)));
  CallId(served.codeModule.Get(), lines, DISPATCH_METHOD,
         Args(Arg::Long(1), Arg::Long(1)));  // refused, counted
  EXPECT_EQ(served.host.Stats().Invokes(L"CodeModule.Lines"), 4);
  EXPECT_EQ(served.host.Stats().Lookups(L"CodeModule.Lines"), 1);
  EXPECT_EQ(served.host.Stats().TotalInvokes(), 4);
  EXPECT_EQ(served.host.Stats().TotalLookups(), 1);
}

TEST(HostObjects, EveryObjectComesBackWhenClientsLetGo) {
  auto served = std::make_unique<Served>();
  EXPECT_GT(served->host.LiveObjects(), 0u);
  served->vbe.Reset();
  served->bar.Reset();
  served->controls.Reset();
  served->control.Reset();
  served->codePane.Reset();
  served->codeModule.Reset();
  EXPECT_EQ(served->host.LiveObjects(), 0u);
}

}  // namespace
}  // namespace tandrel::win::testing
