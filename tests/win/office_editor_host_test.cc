// The served IDE in its Office VBA editor mode: the editor's interfaces, its menu bar and the popup that
// opens the Add-Ins menu, and the bars it lacks.
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

constexpr IID OleIid(unsigned long first) {
  return {first, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}

// An editor host with its menu bar, the Add-Ins popup and a control added to "Code Window".
struct Editor {
  explicit Editor(const host::HostProfile& profile = host::kOfficeEditorProfile) : host(profile) {
    vbe = host.Vbe();
    bars = Get(vbe.Get(), L"CommandBars").Object();
    menuBar = Get(bars.Get(), L"ActiveMenuBar").Object();
    popup =
        Call(menuBar.Get(), L"FindControl", DISPATCH_METHOD, Args(Arg::Missing(), Arg::Long(30038))).Object();
    control =
        Call(Get(Bar(vbe.Get(), L"Code Window").Get(), L"Controls").Object().Get(), L"Add", DISPATCH_METHOD)
            .Object();
  }

  IDispatch* Named(const std::string& name) const {
    if (name == "VBE") return vbe.Get();
    if (name == "CommandBars") return bars.Get();
    if (name == "MenuBar") return menuBar.Get();
    if (name == "Popup") return popup.Get();
    if (name == "Button") return control.Get();
    return nullptr;
  }

  ComHost host;
  ComPtr<IDispatch> vbe, bars, menuBar, popup, control;
};

TEST(OfficeEditorHost, MenuBarMembersAreCheckedAsATypeLibraryChecksThem) {
  struct Row {
    std::string what;
    std::string object;
    const wchar_t* member;
    WORD flags;
    std::vector<Arg> (*arguments)();
    HRESULT result;
    bool returnsObject;
  };
  constexpr WORD kGet = DISPATCH_PROPERTYGET;
  constexpr WORD kMethod = DISPATCH_METHOD;
  const auto none = [] { return std::vector<Arg>{}; };
  const auto idOnly = [] {
    return Args(Arg::Missing(), Arg::Long(30038), Arg::Missing(), Arg::Missing(), Arg::Missing());
  };
  const Row rows[] = {
      {"the menu bar read", "CommandBars", L"ActiveMenuBar", kGet, none, S_OK, true},
      {"the menu bar read as a method call", "CommandBars", L"ActiveMenuBar", kMethod, none,
       DISP_E_MEMBERNOTFOUND, false},
      {"FindControl by Id, the rest omitted", "MenuBar", L"FindControl", kMethod, idOnly, S_OK, true},
      {"FindControl by Id, the rest left out", "MenuBar", L"FindControl", kMethod,
       [] { return Args(Arg::Missing(), Arg::Long(30038)); }, S_OK, true},
      {"FindControl with an Id in text", "MenuBar", L"FindControl", kMethod,
       [] { return Args(Arg::Missing(), Arg::Text(L"30038")); }, S_OK, true},
      {"FindControl of an Id not on the bar", "MenuBar", L"FindControl", kMethod,
       [] { return Args(Arg::Missing(), Arg::Long(1)); }, S_OK, false},
      {"FindControl read as a property", "MenuBar", L"FindControl", kGet, idOnly, DISP_E_MEMBERNOTFOUND,
       false},
      {"FindControl without an Id", "MenuBar", L"FindControl", kMethod, none, DISP_E_PARAMNOTFOUND, false},
      {"FindControl by Type", "MenuBar", L"FindControl", kMethod,
       [] { return Args(Arg::Long(10), Arg::Long(30038)); }, DISP_E_TYPEMISMATCH, false},
      {"FindControl recursive", "MenuBar", L"FindControl", kMethod,
       [] { return Args(Arg::Missing(), Arg::Long(30038), Arg::Missing(), Arg::Missing(), Arg::Long(-1)); },
       DISP_E_TYPEMISMATCH, false},
      {"FindControl with six arguments", "MenuBar", L"FindControl", kMethod,
       [] {
         return Args(Arg::Missing(), Arg::Long(30038), Arg::Missing(), Arg::Missing(), Arg::Missing(),
                     Arg::Missing());
       },
       DISP_E_BADPARAMCOUNT, false},
      {"a popup's menu", "Popup", L"CommandBar", kGet, none, S_OK, true},
      {"a popup's menu as a method call", "Popup", L"CommandBar", kMethod, none, DISP_E_MEMBERNOTFOUND,
       false},
      {"a button's menu", "Button", L"CommandBar", kGet, none, DISP_E_EXCEPTION, false},
      {"the bar named Add-Ins", "CommandBars", L"Item", kGet, [] { return Args(Arg::Text(L"Add-Ins")); },
       S_OK, false},
      {"the bar named Edit", "CommandBars", L"Item", kGet, [] { return Args(Arg::Text(L"Edit")); }, S_OK,
       true},
      {"the bar named Menu Bar", "CommandBars", L"Item", kGet, [] { return Args(Arg::Text(L"Menu Bar")); },
       S_OK, true},
  };
  for (const auto& row : rows) {
    Editor editor;
    const Answer answer = Call(editor.Named(row.object), row.member, row.flags, row.arguments());
    EXPECT_EQ(Hex(answer.result) + (answer.Object() ? " object" : " nothing"),
              Hex(row.result) + (row.returnsObject ? " object" : " nothing"))
        << row.what;
  }
}

TEST(OfficeEditorHost, ThePopupOpensTheAddInsMenu) {
  Editor editor;
  ComPtr<IDispatch> menu = Get(editor.popup.Get(), L"CommandBar").Object();
  ASSERT_TRUE(menu);
  ComPtr<IDispatch> controls = Get(menu.Get(), L"Controls").Object();
  ComPtr<IDispatch> added = Call(controls.Get(), L"Add", DISPATCH_METHOD, Args(Arg::Long(1))).Object();
  EXPECT_EQ(ComHost::ControlOf(added.Get()), editor.host.AddInsMenu()->Added().back());
  EXPECT_EQ(editor.host.Ide().FindBar(u"Add-Ins"), nullptr);
}

TEST(OfficeEditorHost, ObjectsAnswerTheEditorsInterfacesOnly) {
  struct Row {
    std::string object;
    IID iid;
    HRESULT result;
  };
  const Row rows[] = {
      {"VBE", OleIid(0x0002E166), S_OK},
      {"VBE", OleIid(0x0002E100), E_NOINTERFACE},
      {"Popup", OleIid(0x000C030A), S_OK},
      {"Popup", OleIid(0x000C0308), S_OK},
      {"Popup", OleIid(0x000C030E), E_NOINTERFACE},
      {"Button", OleIid(0x000C030E), S_OK},
      {"Button", OleIid(0x000C030A), E_NOINTERFACE},
      {"MenuBar", OleIid(0x000C0304), S_OK},
  };
  Editor editor;
  for (const auto& row : rows) {
    void* answer = nullptr;
    const HRESULT result = editor.Named(row.object)->QueryInterface(row.iid, &answer);
    if (answer) static_cast<IUnknown*>(answer)->Release();
    EXPECT_EQ(Hex(result), Hex(row.result)) << row.object << " " << std::hex << row.iid.Data1;
  }
}

TEST(OfficeEditorHost, ClicksComeThroughTheEditorsEventInterfaceAndAdvisesAreCounted) {
  struct Row {
    IID point;
    IID sinkAnswers;
    HRESULT found;
    HRESULT advised;
  };
  const Row rows[] = {
      {OleIid(0x0002E131), OleIid(0x0002E131), S_OK, S_OK},
      {OleIid(0x0002E198), OleIid(0x0002E198), CONNECT_E_NOCONNECTION, S_OK},
      {OleIid(0x0002E131), OleIid(0x0002E198), S_OK, CONNECT_E_CANNOTCONNECT},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.point.Data1) + " with a sink of " +
                 std::to_string(row.sinkAnswers.Data1));
    Editor editor;
    ComPtr<IDispatch> events = Get(editor.vbe.Get(), L"Events").Object();
    ComPtr<IDispatch> source =
        Get(events.Get(), L"CommandBarEvents", Args(Arg::Object(editor.control.Get()))).Object();
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(source.As(&container), S_OK);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(Hex(container->FindConnectionPoint(row.point, &point)), Hex(row.found));
    if (!point) continue;
    ClickSink sink(row.sinkAnswers, S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(Hex(point->Advise(&sink, &cookie)), Hex(row.advised));
    if (FAILED(row.advised)) {
      EXPECT_EQ(editor.host.AdvisedSinks(), 0u);
      continue;
    }
    EXPECT_EQ(editor.host.AdvisedSinks(), 1u);
    EXPECT_EQ(editor.host.Click(editor.host.Ide().FindBar(u"Code Window")->Added().back()).size(), 1u);
    EXPECT_EQ(sink.clicks.size(), 1u);
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(editor.host.AdvisedSinks(), 0u);
  }
}

TEST(OfficeEditorHost, ALocalizedEditorHasNoEditBarByThatName) {
  Editor editor(host::kLocalizedOfficeEditorProfile);
  const Answer edit = Get(editor.bars.Get(), L"Item", Args(Arg::Text(L"Edit")));
  EXPECT_EQ(Hex(edit.result), Hex(DISP_E_EXCEPTION));
  const Answer addIns = Get(editor.bars.Get(), L"Item", Args(Arg::Text(L"Add-Ins")));
  EXPECT_EQ(Hex(addIns.result), Hex(S_OK));
  EXPECT_EQ(addIns.Object(), nullptr);
  EXPECT_TRUE(editor.popup);
}

}  // namespace
}  // namespace tandrel::win::testing
