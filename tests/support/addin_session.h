#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "deliverables/deliverables.h"
#include "ide/code.h"
#include "sim/runtime.h"
#include "tests/support/watched_ide.h"

namespace tandrel::testing {

using deliverables::Build;

// Which of the add-in's three entries the user clicks.
enum class Entry { kCodeWindow, kAddIns, kEdit };

const char* NameOf(Build build);
const char* NameOf(Entry entry);

// What the IDE and the user saw of one session.
struct SessionOutcome {
  std::vector<sim::MessageBox> connectionMessages;
  std::vector<sim::MessageBox> clickMessages;
  std::vector<sim::MessageBox> disconnectionMessages;
  std::vector<std::int32_t> pointers;         // every MousePointer set during the click, in order
  std::vector<ide::Selection> selectionsSet;  // every SetSelection that reached the pane
  int clickHandlers = 0;                      // how many event sources raised the entry's Click
  bool entryOnBar = false;                    // whether the add-in's entry was there to be clicked
  std::optional<std::u16string> clickError;   // the IDE error the Click event failed with
  int controlsLeft = 0;                       // controls of the add-in still on the bars after disconnection
};

// Opens `lines` as the one code module of a fresh in-memory IDE with `selection` in its pane (kept start
// first, as the pane keeps it, even where no real pane could hold it), then through `watch`: connects the
// build's add-in object, clicks the entry as the user would (the control the add-in appended to that bar, if
// there is one), disconnects, and releases the object. CallLimitExceeded passes out; an IDE error of the
// click is part of the outcome.
// `linesPerRead` is how many lines the module lets a walk read in one call (see ide::CodeModule).
SessionOutcome RunSession(std::vector<std::u16string> lines, const ide::Selection& selection, Build build,
                          Entry entry, CallWatch& watch, std::int32_t linesPerRead = 1);

}  // namespace tandrel::testing
