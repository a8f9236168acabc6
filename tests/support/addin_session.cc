#include "tests/support/addin_session.h"

#include <memory>

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

std::vector<sim::MessageBox> ShownSince(const sim::Runtime& runtime, std::size_t before) {
  const auto& all = runtime.Messages();
  return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
}

}  // namespace

const char* NameOf(Build build) { return deliverables::Of(build).name.data(); }

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
                          Entry entry, CallWatch& watch, std::int32_t linesPerRead) {
  sim::Ide ide;
  const auto pane = ide.AddModule(std::move(lines));
  pane->Select(selection);
  pane->OwnModule().SetLinesPerRead(linesPerRead);
  const deliverables::Deliverable& deliverable = deliverables::Of(build);
  sim::Runtime runtime(deliverable.version());
  auto addin = deliverable.make(runtime);
  SessionOutcome outcome;

  deliverable.onConnection(*addin, Watched(ide.Vbe(), watch), kConnectAfterStartup);
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
  deliverable.onDisconnection(*addin, kDisconnectUserClosed);
  // As the IDE does when it lets go of the object: its event sources are released with it.
  addin.reset();
  outcome.disconnectionMessages = ShownSince(runtime, shownBeforeDisconnection);

  for (const char16_t* name : {u"Code Window", u"Add-Ins", u"Edit"}) {
    for (const auto& control : ide.FindBar(name)->Added()) outcome.controlsLeft += control->Deleted() ? 0 : 1;
  }
  return outcome;
}

}  // namespace tandrel::testing
