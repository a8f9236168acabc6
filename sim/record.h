#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "ide/code.h"

namespace tandrel::sim {

// A message box as the user would see it: the title is the product title when the caller gave none.
struct MessageBox {
  std::u16string prompt;
  std::int32_t style = 0;
  std::u16string title;

  friend bool operator==(const MessageBox&, const MessageBox&) = default;
};

// Screen.MousePointer set to `pointer`.
struct PointerSet {
  std::int32_t pointer = 0;

  friend bool operator==(const PointerSet&, const PointerSet&) = default;
};

// One pass of the host's message loop (DoEvents).
struct Yield {
  friend bool operator==(const Yield&, const Yield&) = default;
};

// A SetSelection on a pane, with the four numbers as they were passed (the pane keeps them start first).
struct SelectionSet {
  ide::Selection selection;

  friend bool operator==(const SelectionSet&, const SelectionSet&) = default;
};

// Names a control for as long as the IDE runs: its bar and the place it took there when it was made (1 for a
// bar's first control). Later deletions on the bar do not renumber it.
struct ControlName {
  std::u16string bar;
  std::int32_t place = 0;

  friend bool operator==(const ControlName&, const ControlName&) = default;
};

// A control appended to a bar through CommandBarControls.Add.
struct ControlAdded {
  ControlName control;

  friend bool operator==(const ControlAdded&, const ControlAdded&) = default;
};

// A property of a control written: `value` as Basic would print it ("Tdl", "556", "True").
struct PropertySet {
  ControlName control;
  std::string property;
  std::u16string value;

  friend bool operator==(const PropertySet&, const PropertySet&) = default;
};

// A control removed through its Delete method.
struct ControlDeleted {
  ControlName control;

  friend bool operator==(const ControlDeleted&, const ControlDeleted&) = default;
};

// One thing done to the IDE or the run-time that the user could see or that changes what the IDE holds.
using Action =
    std::variant<MessageBox, PointerSet, Yield, SelectionSet, ControlAdded, PropertySet, ControlDeleted>;

// Everything done to the IDE and the run-time, in the order it happened, so that a test can tell which of two
// things came first (a box shown before or after the pointer came back). Only calls that succeed are
// recorded: a call that raises has done nothing.
class Record {
 public:
  void Add(Action action) { actions_.push_back(std::move(action)); }
  const std::vector<Action>& Actions() const { return actions_; }
  void Clear() { actions_.clear(); }

 private:
  std::vector<Action> actions_;
};

}  // namespace tandrel::sim
