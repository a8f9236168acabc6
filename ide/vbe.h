#pragma once

#include <memory>

#include "ide/code.h"
#include "ide/command_bars.h"
#include "ide/events.h"

namespace tandrel::ide {

// The IDE's root object, the one the add-in is handed at connection.
class VBE {
 public:
  virtual ~VBE() = default;

  virtual std::shared_ptr<ide::CommandBars> CommandBars() = 0;
  virtual std::shared_ptr<ide::Events> Events() = 0;
  // The pane that has the focus; null (Nothing) when no code window is active.
  virtual std::shared_ptr<CodePane> ActiveCodePane() = 0;
};

}  // namespace tandrel::ide
