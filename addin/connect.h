#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "addin/click_binding.h"
#include "command/match_rules.h"
#include "engine/pair_table.h"
#include "ide/command_bars.h"
#include "ide/events.h"
#include "ide/key_chord.h"
#include "ide/runtime.h"
#include "ide/vbe.h"

namespace tandrel::addin {

// The IDE a build is made for, where the hosts differ in how they keep their bars.
enum class Host {
  kVisualBasic,
  // The Office VBA editor: its Add-Ins menu is reached through the menu bar, a bar it cannot find (bar names
  // can be localized there) is left out without a word, and an add-in must detach its handlers when it is
  // disconnected, or the host can crash when it closes.
  kOfficeEditor,
};

// What sets one deliverable's add-in object apart from the others.
struct Traits {
  std::u16string menuCaption;
  // The VB5 build's AddToToolbars also gives the button its face and shows it.
  bool toolbarButtonSetsFaceAndVisible = false;
  const command::MatchRules& rules;
  std::u16string contactAddress;
  Host host = Host::kVisualBasic;
};

inline constexpr std::int32_t kEditButtonFaceId = 556;

// The user setting that names the shortcut key in plain words; an empty one turns the key off.
inline constexpr char16_t kShortcutSetting[] = u"Shortcut";
// The key without a setting, or with one that names no key: Ctrl+], as Visual Studio jumps between braces.
inline constexpr ide::KeyChord kDefaultShortcut{.ctrl = true, .key = 0xDD};

// The add-in object of both deliverables: it keeps the IDE root, puts the one command on the "Code Window"
// and "Add-Ins" menus and the "Edit" toolbar, and runs the match command on every click of them. The
// deliverables differ only in how they are connected (their own classes wrap this one) and in their Traits.
class Connect {
 public:
  Connect(ide::Runtime& runtime, Traits traits);
  Connect(const Connect&) = delete;
  Connect& operator=(const Connect&) = delete;
  virtual ~Connect() = default;

  // The members of the class's default interface.
  const std::shared_ptr<ide::VBE>& VBInstance() const { return vbInstance_; }
  void SetVBInstance(std::shared_ptr<ide::VBE> vbe) { vbInstance_ = std::move(vbe); }
  const std::shared_ptr<ide::CommandBarEvents>& MenuHandler() const { return menuHandler_.Source(); }
  void SetMenuHandler(std::shared_ptr<ide::CommandBarEvents> source) { menuHandler_.Set(std::move(source)); }
  const std::shared_ptr<ide::CommandBarEvents>& MenuHandlerAddIns() const {
    return menuHandlerAddIns_.Source();
  }
  void SetMenuHandlerAddIns(std::shared_ptr<ide::CommandBarEvents> source) {
    menuHandlerAddIns_.Set(std::move(source));
  }
  const std::shared_ptr<ide::CommandBarEvents>& MenuHandlerEditBar() const {
    return menuHandlerEditBar_.Source();
  }
  void SetMenuHandlerEditBar(std::shared_ptr<ide::CommandBarEvents> source) {
    menuHandlerEditBar_.Set(std::move(source));
  }
  // Appends an entry captioned `sCaption` to the bar `sMenu`; null when the bar is missing or a step failed
  // (after a message box).
  std::shared_ptr<ide::CommandBarControl> AddToMenus(const std::u16string& sMenu,
                                                     const std::u16string& sCaption);
  // Appends a button with an icon, a caption and a separator before it; null as for AddToMenus.
  std::shared_ptr<ide::CommandBarButton> AddToToolbars(const std::u16string& sToolbar,
                                                       const std::u16string& sCaption,
                                                       const std::u16string& sToolTipText);

  // The Click handlers of the three entries (control, handled, CancelDefault); each runs the match command
  // once. IDE errors propagate.
  using Control = std::shared_ptr<ide::CommandBarControl>;
  void MenuHandler_Click(const Control&, bool&, bool&) { MatchSelection(); }
  void MenuHandlerAddIns_Click(const Control&, bool&, bool&) { MatchSelection(); }
  void MenuHandlerEditBar_Click(const Control&, bool&, bool&) { MatchSelection(); }

  // The object's private state, for the host's and the tests' eyes only.
  const std::u16string& AboutText() const { return aboutText_; }
  const std::u16string& ContactAddress() const { return contactAddress_; }
  const std::u16string& MenuCaption() const { return menuCaption_; }
  const std::u16string& QuoteMark() const { return quoteMark_; }
  const std::u16string& CommentMark() const { return commentMark_; }
  const engine::PairTable& PairTable() const { return pairTable_; }
  const std::shared_ptr<ide::CommandBarControl>& CodeWindowMenuItem() const { return codeWindowMenuItem_; }
  const std::shared_ptr<ide::CommandBarControl>& AddInsMenuItem() const { return addInsMenuItem_; }
  const std::shared_ptr<ide::CommandBarButton>& EditBarButton() const { return editBarButton_; }
  // The shortcut key as connection read it; empty when it is turned off.
  const std::optional<ide::KeyChord>& Shortcut() const { return shortcut_; }

 protected:
  // Connects to the IDE step by step; the first failing step shows its error and the rest are not done.
  void Connection(const std::shared_ptr<ide::Object>& application);
  // Takes the shortcut key off and removes the three entries, ignoring every failure.
  void Disconnection();

 private:
  void ConnectionSteps(const std::shared_ptr<ide::Object>& application);
  std::shared_ptr<ide::CommandBar> FindBar(const std::u16string& barName);
  std::shared_ptr<ide::CommandBarControl> AddControl(const std::u16string& barName);
  std::shared_ptr<ide::CommandBarEvents> EventsOf(const std::shared_ptr<ide::CommandBarControl>& control);
  void MatchSelection();
  void HookShortcut();
  void ShowShortcut(ide::CommandBarControl& entry);
  void ShortcutPressed();
  ide::CommandBarEvents::ClickHandler Handler(
      void (Connect::*click)(const std::shared_ptr<ide::CommandBarControl>&, bool&, bool&));

  ide::Runtime& runtime_;
  Traits traits_;
  std::shared_ptr<ide::VBE> vbInstance_;
  std::u16string aboutText_;
  engine::PairTable pairTable_;
  std::u16string quoteMark_;
  std::u16string commentMark_;
  std::u16string contactAddress_;
  std::u16string menuCaption_;
  std::shared_ptr<ide::CommandBarControl> codeWindowMenuItem_;
  std::shared_ptr<ide::CommandBarControl> addInsMenuItem_;
  std::shared_ptr<ide::CommandBarButton> editBarButton_;
  ClickBinding menuHandler_;
  ClickBinding menuHandlerAddIns_;
  ClickBinding menuHandlerEditBar_;
  std::optional<ide::KeyChord> shortcut_;
  std::unique_ptr<ide::KeyHook> shortcutHook_;
};

}  // namespace tandrel::addin
