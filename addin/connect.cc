#include "addin/connect.h"

#include <string>

#include "command/match_selection.h"
#include "ide/decimal_text.h"
#include "ide/error.h"

namespace tandrel::addin {
namespace {

// "Tandrel V. 2.0.12 by <company>": the numbers in plain decimal, without padding.
std::u16string BuildAboutText(const ide::VersionInfo& app) {
  using ide::DecimalText;
  return app.title + u" V. " + DecimalText(app.major) + u"." + DecimalText(app.minor) + u"." +
         DecimalText(app.revision) + u" by " + app.companyName;
}

}  // namespace

Connect::Connect(ide::Runtime& runtime, Traits traits)
    : runtime_(runtime),
      traits_(std::move(traits)),
      menuHandler_(Handler(&Connect::MenuHandler_Click)),
      menuHandlerAddIns_(Handler(&Connect::MenuHandlerAddIns_Click)),
      menuHandlerEditBar_(Handler(&Connect::MenuHandlerEditBar_Click)) {}

ide::CommandBarEvents::ClickHandler Connect::Handler(
    void (Connect::*click)(const std::shared_ptr<ide::CommandBarControl>&, bool&, bool&)) {
  return [this, click](const std::shared_ptr<ide::CommandBarControl>& control, bool& handled,
                       bool& cancelDefault) { (this->*click)(control, handled, cancelDefault); };
}

void Connect::Connection(const std::shared_ptr<ide::Object>& application) {
  try {
    ConnectionSteps(application);
  } catch (const ide::Error& error) {
    // Whatever was done before the failing step stays: entries already added keep working.
    runtime_.MsgBox(error.Description(), ide::kMsgBoxPlain, std::nullopt);
  }
}

void Connect::ConnectionSteps(const std::shared_ptr<ide::Object>& application) {
  vbInstance_ = application ? application->AsVBE() : nullptr;
  // The key comes first, so that it works even where a later step fails.
  HookShortcut();
  menuCaption_ = traits_.menuCaption;

  // In the IDEs of Visual Basic a missing bar gives a null entry, passed on as it is: the IDE's events object
  // or FaceId then fails. The VBA editor leaves an entry it could not add out.
  const bool skipsMissingEntries = traits_.host == Host::kOfficeEditor;
  codeWindowMenuItem_ = AddToMenus(u"Code Window", menuCaption_);
  if (codeWindowMenuItem_ || !skipsMissingEntries) SetMenuHandler(EventsOf(codeWindowMenuItem_));
  addInsMenuItem_ = AddToMenus(u"Add-Ins", menuCaption_);
  if (addInsMenuItem_ || !skipsMissingEntries) SetMenuHandlerAddIns(EventsOf(addInsMenuItem_));
  editBarButton_ = AddToToolbars(u"Edit", u"Tdl", menuCaption_);
  if (editBarButton_ || !skipsMissingEntries) {
    ide::Require(editBarButton_)->SetFaceId(kEditButtonFaceId);
    SetMenuHandlerEditBar(EventsOf(editBarButton_));
  }

  aboutText_ = BuildAboutText(runtime_.App());
  contactAddress_ = traits_.contactAddress;
  quoteMark_ = u"\"";
  commentMark_ = u"'";
  engine::FillPairTable(pairTable_);
}

std::shared_ptr<ide::CommandBarEvents> Connect::EventsOf(
    const std::shared_ptr<ide::CommandBarControl>& control) {
  return ide::Require(ide::Require(vbInstance_)->Events())->CommandBarEvents(control);
}

void Connect::Disconnection() {
  shortcutHook_.reset();
  if (traits_.host == Host::kOfficeEditor) {
    // Handlers go before their controls: a source whose control is already gone may fail to detach.
    SetMenuHandler(nullptr);
    SetMenuHandlerAddIns(nullptr);
    SetMenuHandlerEditBar(nullptr);
  }
  for (const auto& item :
       {codeWindowMenuItem_, addInsMenuItem_, std::shared_ptr<ide::CommandBarControl>(editBarButton_)}) {
    try {
      ide::Require(item)->Delete();
    } catch (const ide::Error&) {
      // An entry never added, or already removed by the user, leaves nothing to do.
    }
  }
}

std::shared_ptr<ide::CommandBar> Connect::FindBar(const std::u16string& barName) {
  const auto bars = ide::Require(ide::Require(vbInstance_)->CommandBars());
  if (traits_.host == Host::kVisualBasic) return bars->Item(barName);
  // A lookup that fails is a bar this editor does not have under that name.
  try {
    if (barName != u"Add-Ins") return bars->Item(barName);
    const auto popup = ide::Require(bars->ActiveMenuBar())->FindControl(ide::kAddInsMenuId);
    return popup ? popup->CommandBar() : nullptr;
  } catch (const ide::Error&) {
    return nullptr;
  }
}

std::shared_ptr<ide::CommandBarControl> Connect::AddControl(const std::u16string& barName) {
  const auto bar = FindBar(barName);
  if (!bar) return nullptr;
  return ide::Require(ide::Require(bar->Controls())->Add(ide::kControlButton));
}

std::shared_ptr<ide::CommandBarControl> Connect::AddToMenus(const std::u16string& sMenu,
                                                            const std::u16string& sCaption) {
  try {
    auto control = AddControl(sMenu);
    if (!control) return nullptr;
    control->SetCaption(sCaption);
    ShowShortcut(*control);
    return control;
  } catch (const ide::Error& error) {
    runtime_.MsgBox(error.Description(), ide::kMsgBoxExclamation, u" Error in AddToMenus()");
    return nullptr;
  }
}

std::shared_ptr<ide::CommandBarButton> Connect::AddToToolbars(const std::u16string& sToolbar,
                                                              const std::u16string& sCaption,
                                                              const std::u16string& sToolTipText) {
  try {
    auto control = AddControl(sToolbar);
    if (!control) return nullptr;
    auto button = ide::Require(control->AsCommandBarButton());
    button->SetCaption(sCaption);
    button->SetStyle(ide::kButtonIconAndCaption);
    button->SetTooltipText(sToolTipText);
    button->SetBeginGroup(true);
    if (traits_.toolbarButtonSetsFaceAndVisible) {
      button->SetFaceId(kEditButtonFaceId);
      button->SetVisible(true);
    }
    ShowShortcut(*button);
    return button;
  } catch (const ide::Error& error) {
    runtime_.MsgBox(error.Description(), ide::kMsgBoxExclamation, u" Error in AddToToolbars()");
    return nullptr;
  }
}

void Connect::HookShortcut() {
  shortcutHook_.reset();
  const auto setting = runtime_.UserSetting(kShortcutSetting);
  if (!setting) {
    shortcut_ = kDefaultShortcut;
  } else if (setting->find_first_not_of(u" \t") == std::u16string::npos) {
    shortcut_.reset();
  } else {
    shortcut_ = ide::ParseKeyChord(*setting).value_or(kDefaultShortcut);
  }
  if (shortcut_ && vbInstance_) {
    shortcutHook_ = runtime_.HookKey(*shortcut_, vbInstance_, [this] { ShortcutPressed(); });
  }
}

void Connect::ShowShortcut(ide::CommandBarControl& entry) {
  if (!shortcut_) return;
  try {
    entry.SetShortcutText(ide::KeyChordText(*shortcut_));
  } catch (const ide::Error&) {
    // A bar that shows no keys beside its entries: the key works all the same.
  }
}

// A key has no caller to hand an error back to, as a click has the IDE: the error is shown, as connection
// shows one.
void Connect::ShortcutPressed() {
  try {
    MatchSelection();
  } catch (const ide::Error& error) {
    runtime_.MsgBox(error.Description(), ide::kMsgBoxPlain, std::nullopt);
  }
}

void Connect::MatchSelection() {
  command::MatchSelection({vbInstance_, pairTable_, quoteMark_, commentMark_, aboutText_, contactAddress_,
                           runtime_, traits_.rules});
}

}  // namespace tandrel::addin
