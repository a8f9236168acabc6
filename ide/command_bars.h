#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tandrel::ide {

class CommandBar;
class CommandBarButton;
class CommandBarControl;
class CommandBarControls;

// Values of the Office command-bar enumerations that the add-in passes.
inline constexpr std::int32_t kControlButton = 1;         // msoControlButton
inline constexpr std::int32_t kButtonIconAndCaption = 3;  // msoButtonIconAndCaption

// The built-in Id of the menu bar's Add-Ins popup in the Office VBA editor.
inline constexpr std::int32_t kAddInsMenuId = 30038;

// The IDE's collection of menus and toolbars, looked up by name.
class CommandBars {
 public:
  virtual ~CommandBars() = default;

  // The bar called `name`; null when the IDE has none (an IDE may raise an error instead).
  virtual std::shared_ptr<CommandBar> Item(const std::u16string& name) = 0;
  // The host's main menu bar.
  virtual std::shared_ptr<CommandBar> ActiveMenuBar() = 0;
};

// One menu or toolbar.
class CommandBar {
 public:
  virtual ~CommandBar() = default;

  virtual std::shared_ptr<CommandBarControls> Controls() = 0;
  // The first control on the bar with the built-in `id`; null when there is none.
  virtual std::shared_ptr<CommandBarControl> FindControl(std::int32_t id) = 0;
};

// The controls of one bar.
class CommandBarControls {
 public:
  virtual ~CommandBarControls() = default;

  // Appends a permanent control of the given type at the end of the bar (Id, Parameter, Before and Temporary
  // omitted).
  virtual std::shared_ptr<CommandBarControl> Add(std::int32_t type) = 0;
};

// A menu entry or toolbar button.
class CommandBarControl {
 public:
  virtual ~CommandBarControl() = default;

  virtual void SetCaption(const std::u16string& caption) = 0;
  virtual void SetTooltipText(const std::u16string& text) = 0;
  virtual void SetBeginGroup(bool beginGroup) = 0;
  virtual void SetVisible(bool visible) = 0;
  // The key shown beside the caption; a text only: the entry does not bind it.
  virtual void SetShortcutText(const std::u16string& text) = 0;
  // Removes the control from its bar (Temporary omitted).
  virtual void Delete() = 0;
  // The same control seen as a button; raises an error when it is not one.
  virtual std::shared_ptr<CommandBarButton> AsCommandBarButton() = 0;
  // The menu that a popup control opens; raises an error for a control that opens none.
  virtual std::shared_ptr<ide::CommandBar> CommandBar() = 0;
};

// A control that shows an icon.
class CommandBarButton : public CommandBarControl {
 public:
  virtual void SetStyle(std::int32_t style) = 0;
  virtual void SetFaceId(std::int32_t faceId) = 0;
};

}  // namespace tandrel::ide
