#include "cli/addin_host.h"

#include <functional>
#include <memory>

#include "addin5/connect.h"
#include "addin5/version_info.h"
#include "addin6/connect.h"
#include "addin6/version_info.h"
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
  ConnectedAddin(Build build, ide::Runtime& runtime, const std::shared_ptr<ide::Object>& vbe) {
    if (build == Build::kVb6) {
      auto connect = std::make_unique<addin6::Connect>(runtime);
      connect->AddinInstance_OnConnection(vbe, kConnectAfterStartup, nullptr);
      disconnect_ = [raw = connect.get()] { raw->AddinInstance_OnDisconnection(kDisconnectUserClosed); };
      connect_ = std::move(connect);
    } else {
      auto connect = std::make_unique<addin5::Connect>(runtime);
      connect->IDTExtensibility_OnConnection(vbe, kConnectAfterStartup, nullptr);
      disconnect_ = [raw = connect.get()] { raw->IDTExtensibility_OnDisconnection(kDisconnectUserClosed); };
      connect_ = std::move(connect);
    }
  }
  ConnectedAddin(const ConnectedAddin&) = delete;
  ConnectedAddin& operator=(const ConnectedAddin&) = delete;
  ~ConnectedAddin() { disconnect_(); }

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
  std::unique_ptr<addin::Connect> connect_;
  std::function<void()> disconnect_;
};

}  // namespace

const char* BuildName(Build build) { return build == Build::kVb6 ? "vb6" : "vb5"; }

MatchRun RunMatch(std::shared_ptr<const sim::ModuleText> module, const ide::Selection& selection, Build build,
                  Entry entry) {
  sim::Ide ide;
  const auto pane = ide.AddModule(std::move(module));
  pane->Select(selection);
  sim::Runtime runtime(build == Build::kVb6 ? addin6::DeliverableVersion() : addin5::DeliverableVersion());

  MatchRun run;
  {
    ConnectedAddin addin(build, runtime, ide.Vbe());
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
