#include "cli/addin_host.h"

#include <memory>

#include "ide/error.h"
#include "sim/ide.h"

namespace tandrel::cli {
namespace {

// The IDE's ext_cm_AfterStartup: the user loads the add-in from the Add-In Manager.
constexpr std::int32_t kConnectAfterStartup = 0;
constexpr std::int32_t kDisconnectUserClosed = 1;

}  // namespace

// An add-in connected for the lifetime of this object, through its own deliverable's connection events.
class AddinSession::ConnectedAddin {
 public:
  ConnectedAddin(const deliverables::Deliverable& deliverable, ide::Runtime& runtime,
                 const std::shared_ptr<ide::Object>& vbe)
      : deliverable_(deliverable), connect_(deliverable.make(runtime)) {
    deliverable_.onConnection(*connect_, vbe, kConnectAfterStartup);
  }
  ConnectedAddin(const ConnectedAddin&) = delete;
  ConnectedAddin& operator=(const ConnectedAddin&) = delete;
  ~ConnectedAddin() { deliverable_.onDisconnection(*connect_, kDisconnectUserClosed); }

  std::shared_ptr<ide::CommandBarControl> Control(Entry entry) const {
    switch (entry) {
      case Entry::kCodeWindow:
        return connect_->CodeWindowMenuItem();
      case Entry::kAddIns:
        return connect_->AddInsMenuItem();
      case Entry::kEdit:
        return connect_->EditBarButton();
    }
    return nullptr;
  }

 private:
  const deliverables::Deliverable& deliverable_;
  std::unique_ptr<addin::Connect> connect_;
};

AddinSession::AddinSession(std::shared_ptr<const sim::ModuleText> module, Build build)
    : pane_(ide_.AddModule(std::move(module))), runtime_(deliverables::Of(build).version()) {
  addin_ = std::make_unique<ConnectedAddin>(deliverables::Of(build), runtime_, ide_.Vbe());
  // With all three bars present connection shows nothing; a box here is its report of a failed step.
  if (!runtime_.Messages().empty()) connectionFailure_ = runtime_.Messages().front().prompt;
}

AddinSession::~AddinSession() = default;

MatchRun AddinSession::Click(const ide::Selection& selection, Entry entry) {
  MatchRun run;
  const auto control = addin_->Control(entry);
  if (connectionFailure_ || !control) {
    run.failure = connectionFailure_.value_or(u"the add-in did not connect");
    return run;
  }
  pane_->Select(selection);
  runtime_.Clear();
  const std::size_t selectionsBefore = pane_->SelectionsSet().size();
  try {
    if (ide_.Click(control) == 0) run.failure = u"the entry's Click reached no handler";
  } catch (const ide::Error& error) {
    run.failure = error.Description();
  }
  if (pane_->SelectionsSet().size() > selectionsBefore) run.selection = pane_->SelectionsSet().back();
  run.messages = runtime_.Messages();
  run.pointers = runtime_.Pointers();
  return run;
}

MatchRun RunMatch(std::shared_ptr<const sim::ModuleText> module, const ide::Selection& selection, Build build,
                  Entry entry) {
  return AddinSession(std::move(module), build).Click(selection, entry);
}

}  // namespace tandrel::cli
