#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "deliverables/deliverables.h"
#include "ide/code.h"
#include "sim/ide.h"
#include "sim/module_text.h"
#include "sim/runtime.h"

namespace tandrel::cli {

using deliverables::Build;

// Which of the add-in's three entries is clicked.
enum class Entry { kCodeWindow, kAddIns, kEdit };

// What one click of an entry did in the IDE.
struct MatchRun {
  std::optional<ide::Selection> selection;  // the last SetSelection, as passed
  std::vector<sim::MessageBox> messages;    // in the order shown
  std::vector<std::int32_t> pointers;       // every MousePointer set, in order
  std::optional<std::u16string> failure;    // the IDE error that ended the click, if one did
};

// `module` opened as the one code module of a fresh in-memory IDE, with the build's add-in connected for
// the session's lifetime, so that many clicks pay for one connection.
class AddinSession {
 public:
  AddinSession(std::shared_ptr<const sim::ModuleText> module, Build build);
  AddinSession(const AddinSession&) = delete;
  AddinSession& operator=(const AddinSession&) = delete;
  ~AddinSession();

  // Puts `selection` in the pane and clicks `entry` once.
  MatchRun Click(const ide::Selection& selection, Entry entry);

 private:
  class ConnectedAddin;

  sim::Ide ide_;
  std::shared_ptr<sim::Pane> pane_;
  sim::Runtime runtime_;
  std::unique_ptr<ConnectedAddin> addin_;
  std::optional<std::u16string> connectionFailure_;
};

// One click in a session of its own: connection, the click and disconnection.
MatchRun RunMatch(std::shared_ptr<const sim::ModuleText> module, const ide::Selection& selection, Build build,
                  Entry entry);

}  // namespace tandrel::cli
