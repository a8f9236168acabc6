#include "tests/support/addin_session.h"

#include <memory>

#include "addin5/connect.h"
#include "addin5/version_info.h"
#include "addin6/connect.h"
#include "addin6/version_info.h"
#include "ide/error.h"
#include "sim/ide.h"

namespace tandrel::testing {
namespace {

// The IDE's ext_cm_AfterStartup and ext_dm_UserClosed: the user loads and unloads the add-in by hand.
constexpr std::int32_t kConnectAfterStartup = 0;
constexpr std::int32_t kDisconnectUserClosed = 1;

const char16_t* BarOf(Entry entry) {
  switch (entry) {
    case Entry::kCodeWindow:
      return u"Code Window";
    case Entry::kAddIns:
      return u"Add-Ins";
    case Entry::kEdit:
      return u"Edit";
  }
  return u"";
}

// The add-in object of either deliverable, connected and disconnected through that deliverable's own events.
class Deliverable {
 public:
  Deliverable(Build build, ide::Runtime& runtime) {
    if (build == Build::kVb6) {
      vb6_ = std::make_unique<addin6::Connect>(runtime);
    } else {
      vb5_ = std::make_unique<addin5::Connect>(runtime);
    }
  }

  void Connect(const std::shared_ptr<ide::Object>& vbe) {
    if (vb6_) vb6_->AddinInstance_OnConnection(vbe, kConnectAfterStartup, nullptr);
    if (vb5_) vb5_->IDTExtensibility_OnConnection(vbe, kConnectAfterStartup, nullptr);
  }
  void Disconnect() {
    if (vb6_) vb6_->AddinInstance_OnDisconnection(kDisconnectUserClosed);
    if (vb5_) vb5_->IDTExtensibility_OnDisconnection(kDisconnectUserClosed);
  }
  // As the IDE does when it lets go of the object: its event sources are released with it.
  void Release() {
    vb6_.reset();
    vb5_.reset();
  }

 private:
  std::unique_ptr<addin6::Connect> vb6_;
  std::unique_ptr<addin5::Connect> vb5_;
};

std::vector<sim::MessageBox> ShownSince(const sim::Runtime& runtime, std::size_t before) {
  const auto& all = runtime.Messages();
  return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
}

}  // namespace

const char* NameOf(Build build) { return build == Build::kVb6 ? "vb6" : "vb5"; }

const char* NameOf(Entry entry) {
  switch (entry) {
    case Entry::kCodeWindow:
      return "code-window";
    case Entry::kAddIns:
      return "add-ins";
    case Entry::kEdit:
      return "edit";
  }
  return "";
}

SessionOutcome RunSession(std::vector<std::u16string> lines, const ide::Selection& selection, Build build,
                          Entry entry, CallWatch& watch) {
  sim::Ide ide;
  const auto pane = ide.AddModule(std::move(lines));
  pane->Select(selection);
  sim::Runtime runtime(build == Build::kVb6 ? addin6::DeliverableVersion() : addin5::DeliverableVersion());
  Deliverable addin(build, runtime);
  SessionOutcome outcome;

  addin.Connect(Watched(ide.Vbe(), watch));
  outcome.connectionMessages = runtime.Messages();

  const std::size_t shownBeforeClick = runtime.Messages().size();
  const auto bar = ide.FindBar(BarOf(entry));
  if (bar && !bar->Added().empty()) {
    outcome.entryOnBar = true;
    try {
      outcome.clickHandlers = ide.Click(bar->Added().back());
    } catch (const ide::Error& error) {
      outcome.clickError = error.Description();
    }
  }
  outcome.clickMessages = ShownSince(runtime, shownBeforeClick);
  outcome.pointers = runtime.Pointers();
  outcome.selectionsSet = pane->SelectionsSet();

  const std::size_t shownBeforeDisconnection = runtime.Messages().size();
  addin.Disconnect();
  addin.Release();
  outcome.disconnectionMessages = ShownSince(runtime, shownBeforeDisconnection);

  for (const char16_t* name : {u"Code Window", u"Add-Ins", u"Edit"}) {
    for (const auto& control : ide.FindBar(name)->Added()) outcome.controlsLeft += control->Deleted() ? 0 : 1;
  }
  return outcome;
}

}  // namespace tandrel::testing
