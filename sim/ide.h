#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ide/vbe.h"
#include "sim/call_log.h"
#include "sim/code.h"
#include "sim/command_bars.h"
#include "sim/record.h"

namespace tandrel::sim {

// The in-memory IDE: code modules made from text, the three command bars the add-in uses, and switches for
// the failures a real IDE can show. `Vbe()` is the root object an add-in is connected to.
class Ide {
 public:
  Ide();
  Ide(const Ide&) = delete;
  Ide& operator=(const Ide&) = delete;

  std::shared_ptr<ide::VBE> Vbe() const { return vbe_; }

  // A new module from source text (see SplitLines); its pane becomes the active one.
  std::shared_ptr<Pane> AddModule(std::u16string_view text);
  std::shared_ptr<Pane> AddModule(std::vector<std::u16string> lines);
  std::shared_ptr<Pane> ActivePane() const { return active_; }
  void Activate(std::shared_ptr<Pane> pane) { active_ = std::move(pane); }
  void LeaveNoActivePane() { active_.reset(); }

  std::shared_ptr<Bar> FindBar(const std::u16string& name) const { return bars_->Find(name); }
  void RemoveBar(const std::u16string& name) { bars_->Remove(name); }
  void RaiseOnBarLookup(const std::u16string& name, std::u16string description);

  // Clicks a control as the user would; returns how many event sources raised Click (none for a deleted
  // control). The IDE passes `handled` and `cancelDefault` by reference to every handler in turn, and reads
  // them back afterwards; the first form passes both as False. An error raised by a handler propagates, as
  // the failure of the click event.
  int Click(const std::shared_ptr<ide::CommandBarControl>& control);
  int Click(const std::shared_ptr<ide::CommandBarControl>& control, bool& handled, bool& cancelDefault) {
    return events_->Click(control, handled, cancelDefault);
  }

  // Everything the add-in did to the IDE, in order; a Runtime made with this record adds its boxes, pointer
  // changes and yields in their places.
  const std::shared_ptr<sim::Record>& Record() const { return record_; }
  const std::vector<Action>& Actions() const { return record_->Actions(); }

  // Every later call of `operation` ("Lines", "GetSelection", "Item", "AsCommandBarButton", ...) raises
  // `description`.
  void FailCall(std::string_view operation, std::u16string description);
  void HealCall(std::string_view operation) { calls_->Heal(operation); }
  int CallCount(std::string_view operation) const { return calls_->Count(operation); }

 private:
  class Root;

  std::shared_ptr<CallLog> calls_;
  std::shared_ptr<sim::Record> record_;
  std::shared_ptr<Bars> bars_;
  std::shared_ptr<EventsHub> events_;
  std::vector<std::shared_ptr<Pane>> panes_;
  std::shared_ptr<Pane> active_;
  std::shared_ptr<ide::VBE> vbe_;
};

}  // namespace tandrel::sim
