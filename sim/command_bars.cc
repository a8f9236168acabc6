#include "sim/command_bars.h"

#include <algorithm>

#include "ide/error.h"

namespace tandrel::sim {

void Control::SetCaption(const std::u16string& caption) {
  calls_->Enter("Caption");
  caption_ = caption;
}

void Control::SetTooltipText(const std::u16string& text) {
  calls_->Enter("TooltipText");
  tooltipText_ = text;
}

void Control::SetBeginGroup(bool beginGroup) {
  calls_->Enter("BeginGroup");
  beginGroup_ = beginGroup;
}

void Control::SetVisible(bool visible) {
  calls_->Enter("Visible");
  visible_ = visible;
}

void Control::Delete() {
  calls_->Enter("Delete");
  // The IDE refuses to delete a control twice, as it does for one the user has already removed.
  if (deleted_) throw ide::Error(u"Method 'Delete' of object 'CommandBarControl' failed");
  deleted_ = true;
}

std::shared_ptr<ide::CommandBarButton> Control::AsCommandBarButton() { return shared_from_this(); }

std::shared_ptr<ide::CommandBar> Control::CommandBar() {
  calls_->Enter("CommandBar");
  if (!popup_) throw ide::Error(u"Object doesn't support this property or method");
  return popup_;
}

void Control::SetStyle(std::int32_t style) {
  calls_->Enter("Style");
  style_ = style;
}

void Control::SetFaceId(std::int32_t faceId) {
  calls_->Enter("FaceId");
  faceId_ = faceId;
}

Bar::Bar(std::shared_ptr<CallLog> calls, std::u16string name, int builtInControls)
    : calls_(std::move(calls)), name_(std::move(name)) {
  for (int i = 0; i < builtInControls; ++i) builtIn_.push_back(std::make_shared<Control>(calls_));
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

std::shared_ptr<ide::CommandBarControl> Bar::Add(std::int32_t type) {
  calls_->Enter("Add");
  if (type != ide::kControlButton) throw ide::Error(u"Invalid procedure call or argument");
  added_.push_back(std::make_shared<Control>(calls_));
  return added_.back();
}

std::vector<std::shared_ptr<Control>> Bar::Items() const {
  std::vector<std::shared_ptr<Control>> items = builtIn_;
  std::copy_if(added_.begin(), added_.end(), std::back_inserter(items),
               [](const auto& control) { return !control->Deleted(); });
  return items;
}

Bars::Bars(std::shared_ptr<CallLog> calls) : calls_(std::move(calls)) {
  // The IDE's own entries come first on each bar, so an appended entry is seen to land at the end.
  for (auto [name, builtIn] : {std::pair{u"Code Window", 14}, {u"Add-Ins", 2}, {u"Edit", 11}}) {
    bars_.emplace(name, std::make_shared<Bar>(calls_, name, builtIn));
  }
  menuBar_ = std::make_shared<Bar>(calls_, u"Menu Bar", 0);
  for (std::int32_t id : {30002, 30003, 30004}) menuBar_->AddBuiltIn(std::make_shared<Control>(calls_, id));
  menuBar_->AddBuiltIn(std::make_shared<Control>(calls_, ide::kAddInsMenuId, bars_.at(u"Add-Ins")));
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

void ControlEvents::RaiseClick() {
  // A handler may detach others while it runs; work from a snapshot as a connection point does.
  const auto handlers = handlers_;
  for (const auto& [cookie, handler] : handlers) {
    bool handled = false;
    bool cancelDefault = false;
    handler(control_, handled, cancelDefault);
  }
}

std::shared_ptr<ide::CommandBarEvents> EventsHub::CommandBarEvents(
    const std::shared_ptr<ide::CommandBarControl>& control) {
  calls_->Enter("CommandBarEvents");
  if (!control) throw ide::Error(u"Invalid procedure call or argument");
  auto source = std::make_shared<ControlEvents>(calls_, control);
  sources_.push_back(source);
  return source;
}

int EventsHub::Click(const std::shared_ptr<ide::CommandBarControl>& control) {
  std::erase_if(sources_, [](const auto& source) { return source.expired(); });
  std::vector<std::shared_ptr<ControlEvents>> live;
  for (const auto& weak : sources_) {
    if (auto source = weak.lock(); source && source->Control() == control) live.push_back(source);
  }
  for (const auto& source : live) source->RaiseClick();
  return static_cast<int>(live.size());
}

}  // namespace tandrel::sim
