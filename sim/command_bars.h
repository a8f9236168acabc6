#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ide/command_bars.h"
#include "ide/events.h"
#include "sim/call_log.h"
#include "sim/record.h"

namespace tandrel::sim {

class Bar;

// A control on a bar, with every property the add-in can set. All controls are buttons, except a built-in
// popup, which opens a menu of its own; taking one as a button counts as the call "AsCommandBarButton", so
// that it can be made to fail. Once deleted, a control refuses every property write and is clicked no more.
class Control : public ide::CommandBarButton, public std::enable_shared_from_this<Control> {
 public:
  Control(std::shared_ptr<CallLog> calls, std::shared_ptr<sim::Record> record, ControlName name,
          std::int32_t id = 1, std::shared_ptr<Bar> popup = nullptr)
      : calls_(std::move(calls)),
        record_(std::move(record)),
        name_(std::move(name)),
        id_(id),
        popup_(std::move(popup)) {}

  void SetCaption(const std::u16string& caption) override;
  void SetTooltipText(const std::u16string& text) override;
  void SetBeginGroup(bool beginGroup) override;
  void SetVisible(bool visible) override;
  void SetShortcutText(const std::u16string& text) override;
  void Delete() override;
  std::shared_ptr<ide::CommandBarButton> AsCommandBarButton() override;
  std::shared_ptr<ide::CommandBar> CommandBar() override;
  void SetStyle(std::int32_t style) override;
  void SetFaceId(std::int32_t faceId) override;

  const std::u16string& Caption() const { return caption_; }
  const std::u16string& TooltipText() const { return tooltipText_; }
  const std::u16string& ShortcutText() const { return shortcutText_; }
  bool BeginGroup() const { return beginGroup_; }
  bool Visible() const { return visible_; }
  std::int32_t Style() const { return style_; }
  std::optional<std::int32_t> FaceId() const { return faceId_; }
  bool Deleted() const { return deleted_; }
  const ControlName& Name() const { return name_; }
  std::int32_t Id() const { return id_; }
  bool IsPopup() const { return popup_ != nullptr; }

 private:
  // Counts a write of `property` and raises when it cannot be made.
  void EnterWrite(Operation property, std::u16string_view object);
  void Written(std::string property, std::u16string value);

  std::shared_ptr<CallLog> calls_;
  std::shared_ptr<sim::Record> record_;
  ControlName name_;
  std::int32_t id_;
  std::shared_ptr<Bar> popup_;
  std::u16string caption_;
  std::u16string tooltipText_;
  std::u16string shortcutText_;
  bool beginGroup_ = false;
  bool visible_ = true;
  std::int32_t style_ = 0;
  std::optional<std::int32_t> faceId_;
  bool deleted_ = false;
};

// A bar and its controls, in order; deleted controls leave the list.
class Bar : public ide::CommandBar, public ide::CommandBarControls, public std::enable_shared_from_this<Bar> {
 public:
  Bar(std::shared_ptr<CallLog> calls, std::shared_ptr<sim::Record> record, std::u16string name,
      int builtInControls);

  std::shared_ptr<ide::CommandBarControls> Controls() override;
  std::shared_ptr<ide::CommandBarControl> FindControl(std::int32_t id) override;
  std::shared_ptr<ide::CommandBarControl> Add(std::int32_t type) override;

  const std::u16string& Name() const { return name_; }
  // The controls now on the bar, the IDE's own first.
  std::vector<std::shared_ptr<Control>> Items() const;
  // The controls added through Add, in order, including any deleted since.
  const std::vector<std::shared_ptr<Control>>& Added() const { return added_; }
  // Adds one of the IDE's own controls, with the built-in `id`, that opens `popup` when it is a popup.
  void AddBuiltIn(std::int32_t id, std::shared_ptr<Bar> popup = nullptr);

 private:
  std::shared_ptr<CallLog> calls_;
  std::shared_ptr<sim::Record> record_;
  std::u16string name_;
  std::vector<std::shared_ptr<Control>> builtIn_;
  std::vector<std::shared_ptr<Control>> added_;
};

// The IDE's bars by name, with switches to remove a bar or make its lookup raise an error. The menu bar
// ("Menu Bar") holds the Add-Ins popup (Id 30038), which opens the "Add-Ins" bar: removing that name leaves
// the popup's way to it, as in the Office VBA editor.
class Bars : public ide::CommandBars {
 public:
  Bars(std::shared_ptr<CallLog> calls, std::shared_ptr<sim::Record> record);

  std::shared_ptr<ide::CommandBar> Item(const std::u16string& name) override;
  std::shared_ptr<ide::CommandBar> ActiveMenuBar() override;

  std::shared_ptr<Bar> Find(const std::u16string& name) const;
  void Remove(const std::u16string& name);
  void RaiseOnLookup(const std::u16string& name, std::u16string description);

 private:
  std::shared_ptr<CallLog> calls_;
  std::shared_ptr<sim::Record> record_;
  std::shared_ptr<Bar> menuBar_;
  std::map<std::u16string, std::shared_ptr<Bar>> bars_;
  std::map<std::u16string, std::u16string> raising_;
};

// One event source per CommandBarEvents call; it raises Click for its control while it is alive.
class ControlEvents : public ide::CommandBarEvents {
 public:
  ControlEvents(std::shared_ptr<CallLog> calls, std::shared_ptr<ide::CommandBarControl> control);

  std::uint32_t Advise(ClickHandler handler) override;
  void Unadvise(std::uint32_t cookie) override;

  const std::shared_ptr<ide::CommandBarControl>& Control() const { return control_; }
  // Calls every attached handler once, as the IDE does when the control is clicked: each handler gets the
  // same `handled` and `cancelDefault`, by reference, so each sees what those before it left there.
  void RaiseClick(bool& handled, bool& cancelDefault);
  void RaiseClick();

 private:
  std::shared_ptr<CallLog> calls_;
  std::shared_ptr<ide::CommandBarControl> control_;
  std::map<std::uint32_t, ClickHandler> handlers_;
  std::uint32_t nextCookie_ = 1;
};

// The events object: remembers the sources it gave out so that a click reaches those still held.
class EventsHub : public ide::Events {
 public:
  explicit EventsHub(std::shared_ptr<CallLog> calls) : calls_(std::move(calls)) {}

  // Raises an error for Nothing: the IDE has no events for a control that does not exist.
  std::shared_ptr<ide::CommandBarEvents> CommandBarEvents(
      const std::shared_ptr<ide::CommandBarControl>& control) override;

  // Raises Click on every live source of `control`, passing `handled` and `cancelDefault` on by reference;
  // returns how many sources there were. A deleted control is no longer clicked: none.
  int Click(const std::shared_ptr<ide::CommandBarControl>& control, bool& handled, bool& cancelDefault);

 private:
  std::shared_ptr<CallLog> calls_;
  std::vector<std::weak_ptr<ControlEvents>> sources_;
};

}  // namespace tandrel::sim
