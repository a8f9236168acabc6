#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "deliverables/deliverables.h"
#include "ide/code.h"
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

// Opens `module` as the one code module of a fresh in-memory IDE with `selection` in its pane, connects the
// build's add-in, clicks `entry` once and disconnects.
MatchRun RunMatch(std::shared_ptr<const sim::ModuleText> module, const ide::Selection& selection, Build build,
                  Entry entry);

}  // namespace tandrel::cli
