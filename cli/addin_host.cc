#include "cli/addin_host.h"

#include <memory>

#include "ide/error.h"
#include "sim/ide.h"

namespace tandrel::cli {
namespace {

// The IDE's ext_cm_AfterStartup: the user loads the add-in from the Add-In Manager.
constexpr std::int32_t kConnectAfterStartup = 0;
constexpr std::int32_t kDisconnectUserClosed = 1;

// An add-in connected for the lifetime of this object, through its own deliverable's connection events.
class ConnectedAddin {
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

}  // namespace

MatchRun RunMatch(std::shared_ptr<const sim::ModuleText> module, const ide::Selection& selection, Build build,
                  Entry entry) {
  sim::Ide ide;
  const auto pane = ide.AddModule(std::move(module));
  pane->Select(selection);
  const deliverables::Deliverable& deliverable = deliverables::Of(build);
  sim::Runtime runtime(deliverable.version());

  MatchRun run;
  {
    ConnectedAddin addin(deliverable, runtime, ide.Vbe());
    // With all three bars present connection shows nothing; a box here is its report of a failed step.
    const auto control = addin.Control(entry);
    if (!runtime.Messages().empty() || !control) {
      run.failure =
          runtime.Messages().empty() ? u"the add-in did not connect" : runtime.Messages().front().prompt;
      return run;
    }
    try {
      if (ide.Click(control) == 0) run.failure = u"the entry's Click reached no handler";
    } catch (const ide::Error& error) {
      run.failure = error.Description();
    }
  }
  if (!pane->SelectionsSet().empty()) run.selection = pane->SelectionsSet().back();
  run.messages = runtime.Messages();
  run.pointers = runtime.Pointers();
  return run;
}

}  // namespace tandrel::cli
