#include "sim/command_bars.h"

#include <algorithm>

#include "ide/decimal_text.h"
#include "ide/error.h"

namespace tandrel::sim {
namespace {

std::u16string Text(std::int32_t number) { return ide::DecimalText(number); }

std::u16string Text(bool value) { return value ? u"True" : u"False"; }

}  // namespace

void Control::EnterWrite(Operation property, std::u16string_view object) {
  calls_->Enter(property);
  // A deleted control is a dead object to the IDE: writing to it fails as any failed automation call does.
  if (deleted_) {
    throw ide::Error(u"Method '" + std::u16string(property.Name().begin(), property.Name().end()) +
                     u"' of object '" + std::u16string(object) + u"' failed");
  }
}

void Control::Written(std::string property, std::u16string value) {
  record_->Add(PropertySet{name_, std::move(property), std::move(value)});
}

void Control::SetCaption(const std::u16string& caption) {
  EnterWrite("Caption", u"CommandBarControl");
  caption_ = caption;
  Written("Caption", caption);
}

void Control::SetTooltipText(const std::u16string& text) {
  EnterWrite("TooltipText", u"CommandBarControl");
  tooltipText_ = text;
  Written("TooltipText", text);
}

void Control::SetBeginGroup(bool beginGroup) {
  EnterWrite("BeginGroup", u"CommandBarControl");
  beginGroup_ = beginGroup;
  Written("BeginGroup", Text(beginGroup));
}

void Control::SetVisible(bool visible) {
  EnterWrite("Visible", u"CommandBarControl");
  visible_ = visible;
  Written("Visible", Text(visible));
}

void Control::SetShortcutText(const std::u16string& text) {
  EnterWrite("ShortcutText", u"CommandBarButton");
  shortcutText_ = text;
  Written("ShortcutText", text);
}

void Control::Delete() {
  calls_->Enter("Delete");
  // The IDE refuses to delete a control twice, as it does for one the user has already removed.
  if (deleted_) throw ide::Error(u"Method 'Delete' of object 'CommandBarControl' failed");
  deleted_ = true;
  record_->Add(ControlDeleted{name_});
}

std::shared_ptr<ide::CommandBarButton> Control::AsCommandBarButton() {
  calls_->Enter("AsCommandBarButton");
  return shared_from_this();
}

std::shared_ptr<ide::CommandBar> Control::CommandBar() {
  calls_->Enter("CommandBar");
  if (!popup_) throw ide::Error(u"Object doesn't support this property or method");
  return popup_;
}

void Control::SetStyle(std::int32_t style) {
  EnterWrite("Style", u"CommandBarButton");
  style_ = style;
  Written("Style", Text(style));
}

void Control::SetFaceId(std::int32_t faceId) {
  EnterWrite("FaceId", u"CommandBarButton");
  faceId_ = faceId;
  Written("FaceId", Text(faceId));
}

Bar::Bar(std::shared_ptr<CallLog> calls, std::shared_ptr<sim::Record> record, std::u16string name,
         int builtInControls)
    : calls_(std::move(calls)), record_(std::move(record)), name_(std::move(name)) {
  for (std::int32_t place = 1; place <= builtInControls; ++place) {
    builtIn_.push_back(std::make_shared<Control>(calls_, record_, ControlName{name_, place}));
  }
}

std::shared_ptr<ide::CommandBarControls> Bar::Controls() {
  calls_->Enter("Controls");
  return shared_from_this();
}

std::shared_ptr<ide::CommandBarControl> Bar::FindControl(std::int32_t id) {
  calls_->Enter("FindControl");
  for (const auto& control : Items()) {
    if (control->Id() == id) return control;
  }
  return nullptr;
}

void Bar::AddBuiltIn(std::int32_t id, std::shared_ptr<Bar> popup) {
  const ControlName name{name_, static_cast<std::int32_t>(builtIn_.size() + 1)};
  builtIn_.push_back(std::make_shared<Control>(calls_, record_, name, id, std::move(popup)));
}

std::shared_ptr<ide::CommandBarControl> Bar::Add(std::int32_t type) {
  calls_->Enter("Add");
  if (type != ide::kControlButton) throw ide::Error(u"Invalid procedure call or argument");
  const ControlName name{name_, static_cast<std::int32_t>(builtIn_.size() + added_.size() + 1)};
  added_.push_back(std::make_shared<Control>(calls_, record_, name));
  record_->Add(ControlAdded{name});
  return added_.back();
}

std::vector<std::shared_ptr<Control>> Bar::Items() const {
  std::vector<std::shared_ptr<Control>> items = builtIn_;
  std::copy_if(added_.begin(), added_.end(), std::back_inserter(items),
               [](const auto& control) { return !control->Deleted(); });
  return items;
}

Bars::Bars(std::shared_ptr<CallLog> calls, std::shared_ptr<sim::Record> record)
    : calls_(std::move(calls)), record_(std::move(record)) {
  // The IDE's own entries come first on each bar, so an appended entry is seen to land at the end.
  for (auto [name, builtIn] : {std::pair{u"Code Window", 14}, {u"Add-Ins", 2}, {u"Edit", 11}}) {
    bars_.emplace(name, std::make_shared<Bar>(calls_, record_, name, builtIn));
  }
  menuBar_ = std::make_shared<Bar>(calls_, record_, u"Menu Bar", 0);
  for (std::int32_t id : {30002, 30003, 30004}) menuBar_->AddBuiltIn(id);
  menuBar_->AddBuiltIn(ide::kAddInsMenuId, bars_.at(u"Add-Ins"));
  bars_.emplace(u"Menu Bar", menuBar_);
}

std::shared_ptr<ide::CommandBar> Bars::ActiveMenuBar() {
  calls_->Enter("ActiveMenuBar");
  return menuBar_;
}

std::shared_ptr<ide::CommandBar> Bars::Item(const std::u16string& name) {
  calls_->Enter("Item");
  if (auto raising = raising_.find(name); raising != raising_.end()) throw ide::Error(raising->second);
  return Find(name);
}

std::shared_ptr<Bar> Bars::Find(const std::u16string& name) const {
  auto bar = bars_.find(name);
  return bar == bars_.end() ? nullptr : bar->second;
}

void Bars::Remove(const std::u16string& name) { bars_.erase(name); }

void Bars::RaiseOnLookup(const std::u16string& name, std::u16string description) {
  raising_.insert_or_assign(name, std::move(description));
}

ControlEvents::ControlEvents(std::shared_ptr<CallLog> calls, std::shared_ptr<ide::CommandBarControl> control)
    : calls_(std::move(calls)), control_(std::move(control)) {}

std::uint32_t ControlEvents::Advise(ClickHandler handler) {
  calls_->Enter("Advise");
  handlers_.emplace(nextCookie_, std::move(handler));
  return nextCookie_++;
}

void ControlEvents::Unadvise(std::uint32_t cookie) {
  calls_->Enter("Unadvise");
  if (handlers_.erase(cookie) == 0) throw ide::Error(u"Invalid procedure call or argument");
}

void ControlEvents::RaiseClick(bool& handled, bool& cancelDefault) {
  // A handler may detach others while it runs; work from a snapshot as a connection point does.
  const auto handlers = handlers_;
  for (const auto& [cookie, handler] : handlers) handler(control_, handled, cancelDefault);
}

void ControlEvents::RaiseClick() {
  bool handled = false;
  bool cancelDefault = false;
  RaiseClick(handled, cancelDefault);
}

std::shared_ptr<ide::CommandBarEvents> EventsHub::CommandBarEvents(
    const std::shared_ptr<ide::CommandBarControl>& control) {
  calls_->Enter("CommandBarEvents");
  if (!control) throw ide::Error(u"Invalid procedure call or argument");
  auto source = std::make_shared<ControlEvents>(calls_, control);
  sources_.push_back(source);
  return source;
}

int EventsHub::Click(const std::shared_ptr<ide::CommandBarControl>& control, bool& handled,
                     bool& cancelDefault) {
  // A deleted control is gone from its bar: nothing is left to click.
  if (const auto* shown = dynamic_cast<const sim::Control*>(control.get()); shown && shown->Deleted()) {
    return 0;
  }
  std::erase_if(sources_, [](const auto& source) { return source.expired(); });
  std::vector<std::shared_ptr<ControlEvents>> live;
  for (const auto& weak : sources_) {
    if (auto source = weak.lock(); source && source->Control() == control) live.push_back(source);
  }
  for (const auto& source : live) source->RaiseClick(handled, cancelDefault);
  return static_cast<int>(live.size());
}

}  // namespace tandrel::sim
