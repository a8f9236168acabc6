// Office's command bars as the IDEs serve them: the collection, a bar, its controls and a control.
#include <array>

#include "ide/error.h"
#include "tests/win/host/served_objects.h"

namespace tandrel::win::host {

using enum MemberKind;

CommandBarsObject::CommandBarsObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::CommandBars> bars)
    : Served(std::move(state), L"CommandBars"), bars_(std::move(bars)) {}

bool CommandBarsObject::Answers(REFIID iid) const { return iid == kIidCommandBars; }

std::span<const Member<CommandBarsObject>> CommandBarsObject::Members() {
  static const std::array<Member<CommandBarsObject>, 2> members{{
      // The default member: Item(Index), a bar looked up by its name.
      {{L"Item", DISPID_VALUE, kPropertyGet, 1, 0},
       [](CommandBarsObject& self, Invocation& call) {
         call.ReturnObject(Serve<CommandBarObject>(self.State(), self.bars_->Item(call.String(0))));
       }},
      {{L"ActiveMenuBar", 0x60030001, kPropertyGet, 0, 0},
       [](CommandBarsObject& self, Invocation& call) {
         call.ReturnObject(Serve<CommandBarObject>(self.State(), self.bars_->ActiveMenuBar()));
       }},
  }};
  return members;
}

CommandBarObject::CommandBarObject(std::shared_ptr<HostState> state, std::shared_ptr<ide::CommandBar> bar)
    : Served(std::move(state), L"CommandBar"), bar_(std::move(bar)) {}

bool CommandBarObject::Answers(REFIID iid) const { return iid == kIidCommandBar; }

std::span<const Member<CommandBarObject>> CommandBarObject::Members() {
  static const std::array<Member<CommandBarObject>, 2> members{{
      {{L"Controls", 0x60040003, kPropertyGet, 0, 0},
       [](CommandBarObject& self, Invocation& call) {
         call.ReturnObject(Serve<CommandBarControlsObject>(self.State(), self.bar_->Controls()));
       }},
      // FindControl([Type], [Id], [Tag], [Visible], [Recursive]): the in-memory bars find a control by its
      // built-in Id alone, so the Id must be given and any other argument is refused rather than ignored.
      {{L"FindControl", 0x60040006, kMethod, 0, 5},
       [](CommandBarObject& self, Invocation& call) {
         if (call.Omitted(1)) throw ArgumentError{DISP_E_PARAMNOTFOUND, 1};
         for (UINT position : {0u, 2u, 3u, 4u}) {
           if (!call.Omitted(position)) throw ArgumentError{DISP_E_TYPEMISMATCH, position};
         }
         call.ReturnObject(Serve<ControlObject>(self.State(), self.bar_->FindControl(call.Long(1))));
       }},
  }};
  return members;
}

CommandBarControlsObject::CommandBarControlsObject(std::shared_ptr<HostState> state,
                                                   std::shared_ptr<ide::CommandBarControls> controls)
    : Served(std::move(state), L"CommandBarControls"), controls_(std::move(controls)) {}

bool CommandBarControlsObject::Answers(REFIID iid) const { return iid == kIidCommandBarControls; }

std::span<const Member<CommandBarControlsObject>> CommandBarControlsObject::Members() {
  static const std::array<Member<CommandBarControlsObject>, 1> members{{
      // Add([Type], [Id], [Parameter], [Before], [Temporary]); the in-memory bars only append permanent
      // controls, so any of the last four given is refused rather than ignored.
      {{L"Add", 0x60030000, kMethod, 0, 5},
       [](CommandBarControlsObject& self, Invocation& call) {
         for (UINT position = 1; position < 5; ++position) {
           if (!call.Omitted(position)) throw ArgumentError{DISP_E_TYPEMISMATCH, position};
         }
         const std::int32_t type = call.Omitted(0) ? ide::kControlButton : call.Long(0);
         call.ReturnObject(Serve<ControlObject>(self.State(), self.controls_->Add(type)));
       }},
  }};
  return members;
}

ControlObject::ControlObject(std::shared_ptr<HostState> state,
                             std::shared_ptr<ide::CommandBarControl> control)
    : Served(std::move(state), L"CommandBarControl"),
      control_(std::dynamic_pointer_cast<sim::Control>(std::move(control))) {}

bool ControlObject::Answers(REFIID iid) const {
  if (iid == kIidCommandBarControl) return true;
  return iid == (control_->IsPopup() ? kIidCommandBarPopup : kIidCommandBarButton);
}

std::span<const Member<ControlObject>> ControlObject::Members() {
  static const std::array<Member<ControlObject>, 15> members{{
      // A popup's menu; any other control raises the IDE's error.
      {{L"CommandBar", 0x60050000, kPropertyGet, 0, 0},
       [](ControlObject& self, Invocation& call) {
         call.ReturnObject(Serve<CommandBarObject>(self.State(), self.control_->CommandBar()));
       }},
      {{L"BeginGroup", 0x60040000, kPropertyGet, 0, 0},
       [](ControlObject& self, Invocation& call) { call.ReturnBoolean(self.control_->BeginGroup()); }},
      {{L"BeginGroup", 0x60040000, kPropertyPut, 0, 0},
       [](ControlObject& self, Invocation& call) {
         self.control_->SetBeginGroup(BooleanOf(call.PutValue(), 0));
       }},
      {{L"Caption", 0x60040003, kPropertyGet, 0, 0},
       [](ControlObject& self, Invocation& call) { call.ReturnString(self.control_->Caption()); }},
      {{L"Caption", 0x60040003, kPropertyPut, 0, 0},
       [](ControlObject& self, Invocation& call) {
         self.control_->SetCaption(StringOf(call.PutValue(), 0));
       }},
      {{L"Delete", 0x60040007, kMethod, 0, 1},
       [](ControlObject& self, Invocation&) { self.control_->Delete(); }},
      {{L"TooltipText", 0x60040025, kPropertyGet, 0, 0},
       [](ControlObject& self, Invocation& call) { call.ReturnString(self.control_->TooltipText()); }},
      {{L"TooltipText", 0x60040025, kPropertyPut, 0, 0},
       [](ControlObject& self, Invocation& call) {
         self.control_->SetTooltipText(StringOf(call.PutValue(), 0));
       }},
      // Office's button member; this host's id is its own, as the add-in asks for ids by name.
      {{L"ShortcutText", 0x6005000C, kPropertyPut, 0, 0},
       [](ControlObject& self, Invocation& call) {
         self.control_->SetShortcutText(StringOf(call.PutValue(), 0));
       }},
      {{L"Visible", 0x60040029, kPropertyGet, 0, 0},
       [](ControlObject& self, Invocation& call) { call.ReturnBoolean(self.control_->Visible()); }},
      {{L"Visible", 0x60040029, kPropertyPut, 0, 0},
       [](ControlObject& self, Invocation& call) {
         self.control_->SetVisible(BooleanOf(call.PutValue(), 0));
       }},
      {{L"FaceId", 0x60050003, kPropertyGet, 0, 0},
       [](ControlObject& self, Invocation& call) { call.ReturnLong(self.control_->FaceId().value_or(0)); }},
      {{L"FaceId", 0x60050003, kPropertyPut, 0, 0},
       [](ControlObject& self, Invocation& call) { self.control_->SetFaceId(LongOf(call.PutValue(), 0)); }},
      {{L"Style", 0x6005000A, kPropertyGet, 0, 0},
       [](ControlObject& self, Invocation& call) { call.ReturnLong(self.control_->Style()); }},
      {{L"Style", 0x6005000A, kPropertyPut, 0, 0},
       [](ControlObject& self, Invocation& call) { self.control_->SetStyle(LongOf(call.PutValue(), 0)); }},
  }};
  return members;
}

}  // namespace tandrel::win::host
