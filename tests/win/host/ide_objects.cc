// The IDE's root, its main window, its events object and the code objects, as the extensibility library
// declares them.
#include <array>

#include "ide/error.h"
#include "tests/win/host/served_objects.h"

namespace tandrel::win::host {

using enum MemberKind;

VbeObject::VbeObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::VBE> vbe)
    : Served(std::move(state), L"VBE"), vbe_(std::move(vbe)) {}

std::span<const Member<VbeObject>> VbeObject::Members() {
  static const std::array<Member<VbeObject>, 4> members{{
      {{L"CommandBars", 0x6C, kPropertyGet, 0, 0},
       [](VbeObject& self, Invocation& call) {
         call.ReturnObject(Serve<CommandBarsObject>(self.State(), self.vbe_->CommandBars()));
       }},
      {{L"Events", 0x6F, kPropertyGet, 0, 0},
       [](VbeObject& self, Invocation& call) {
         call.ReturnObject(Serve<EventsObject>(self.State(), self.vbe_->Events()));
       }},
      {{L"MainWindow", 0xCC, kPropertyGet, 0, 0},
       [](VbeObject& self, Invocation& call) {
         call.ReturnObject(Serve<WindowObject>(self.State(), &self.State()->mainWindow));
       }},
      {{L"ActiveCodePane", 0xCE, kPropertyGet, 0, 0},
       [](VbeObject& self, Invocation& call) {
         call.ReturnObject(Serve<CodePaneObject>(self.State(), self.vbe_->ActiveCodePane()));
       }},
  }};
  return members;
}

WindowObject::WindowObject(std::shared_ptr<HostState> state, const HWND* handle)
    : Served(std::move(state), L"Window"), handle_(handle) {}

std::span<const Member<WindowObject>> WindowObject::Members() {
  static const std::array<Member<WindowObject>, 1> members{{
      // A Long, as in the 32-bit IDE; window handles keep their meaning in 32 bits on 64-bit Windows too.
      {{L"HWnd", 0x78, kPropertyGet, 0, 0},
       [](WindowObject& self, Invocation& call) {
         if (self.handle_ == &self.State()->codePaneWindow && !self.State()->codePaneWindowKnown) {
           throw ide::Error(u"Object doesn't support this property or method");
         }
         call.ReturnLong(static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(*self.handle_)));
       }},
  }};
  return members;
}

EventsObject::EventsObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::Events> events)
    : Served(std::move(state), L"Events"), events_(std::move(events)) {}

std::span<const Member<EventsObject>> EventsObject::Members() {
  static const std::array<Member<EventsObject>, 1> members{{
      {{L"CommandBarEvents", 0xCD, kPropertyGet, 1, 0},
       [](EventsObject& self, Invocation& call) {
         // Only a control this host handed out stands for one of its controls; anything else is no control.
         std::shared_ptr<ide::CommandBarControl> control;
         if (auto* served = dynamic_cast<ControlObject*>(ServedObject::Of(call.Object(0)))) {
           control = served->Control();
         }
         call.ReturnObject(Serve<EventSourceObject>(self.State(), self.events_->CommandBarEvents(control)));
       }},
  }};
  return members;
}

CodePaneObject::CodePaneObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::CodePane> pane)
    : Served(std::move(state), L"CodePane"), pane_(std::move(pane)) {}

std::span<const Member<CodePaneObject>> CodePaneObject::Members() {
  static const std::array<Member<CodePaneObject>, 4> members{{
      {{L"Window", 0x60020002, kPropertyGet, 0, 0},
       [](CodePaneObject& self, Invocation& call) {
         call.ReturnObject(Serve<WindowObject>(self.State(), &self.State()->codePaneWindow));
       }},
      {{L"GetSelection", 0x60020003, kMethod, 4, 0},
       [](CodePaneObject& self, Invocation& call) {
         // Every out argument is checked before the IDE is asked, as the type library's Invoke does.
         LONG* out[] = {&call.LongOut(0), &call.LongOut(1), &call.LongOut(2), &call.LongOut(3)};
         const ide::Selection selection = self.pane_->GetSelection();
         *out[0] = selection.startLine;
         *out[1] = selection.startColumn;
         *out[2] = selection.endLine;
         *out[3] = selection.endColumn;
       }},
      {{L"SetSelection", 0x60020004, kMethod, 4, 0},
       [](CodePaneObject& self, Invocation& call) {
         self.pane_->SetSelection(call.Long(0), call.Long(1), call.Long(2), call.Long(3));
       }},
      {{L"CodeModule", 0x60020008, kPropertyGet, 0, 0},
       [](CodePaneObject& self, Invocation& call) {
         call.ReturnObject(Serve<CodeModuleObject>(self.State(), self.pane_->CodeModule()));
       }},
  }};
  return members;
}

CodeModuleObject::CodeModuleObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::CodeModule> module)
    : Served(std::move(state), L"CodeModule"), module_(std::move(module)) {}

std::span<const Member<CodeModuleObject>> CodeModuleObject::Members() {
  static const std::array<Member<CodeModuleObject>, 3> members{{
      {{L"Lines", 0x60020006, kPropertyGet, 2, 0},
       [](CodeModuleObject& self, Invocation& call) {
         call.ReturnString(self.module_->Lines(call.Long(0), call.Long(1)));
       }},
      {{L"CountOfLines", 0x60020007, kPropertyGet, 0, 0},
       [](CodeModuleObject& self, Invocation& call) { call.ReturnLong(self.module_->CountOfLines()); }},
      {{L"CodePane", 0x60020012, kPropertyGet, 0, 0},
       [](CodeModuleObject& self, Invocation& call) {
         call.ReturnObject(Serve<CodePaneObject>(self.State(), self.module_->CodePane()));
       }},
  }};
  return members;
}

}  // namespace tandrel::win::host
