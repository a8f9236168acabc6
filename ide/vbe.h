#pragma once

#include <memory>

#include "ide/code.h"
#include "ide/command_bars.h"
#include "ide/events.h"

namespace tandrel::ide {

class VBE;

// An object the IDE hands over untyped, such as the application object of a connection.
class Object {
 public:
  virtual ~Object() = default;

  // The same object taken as the IDE's root; raises "Type mismatch" when it is not one.
  virtual std::shared_ptr<VBE> AsVBE() = 0;
};

// The IDE's root object, the one the add-in is handed at connection.
class VBE : public Object, public std::enable_shared_from_this<VBE> {
 public:
  std::shared_ptr<VBE> AsVBE() final { return shared_from_this(); }

  virtual std::shared_ptr<ide::CommandBars> CommandBars() = 0;
  virtual std::shared_ptr<ide::Events> Events() = 0;
  // The pane that has the focus; null (Nothing) when no code window is active.
  virtual std::shared_ptr<CodePane> ActiveCodePane() = 0;
};

}  // namespace tandrel::ide
