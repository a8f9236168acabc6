#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace tandrel::ide {

class CommandBarControl;

// The event source the IDE gives for one command-bar control: it raises Click whenever that control is
// clicked, for as long as the source is held. Handlers attach and detach as COM connection points do.
class CommandBarEvents {
 public:
  using ClickHandler = std::function<void(const std::shared_ptr<CommandBarControl>& control, bool& handled,
                                          bool& cancelDefault)>;

  virtual ~CommandBarEvents() = default;

  // Attaches `handler`; the returned cookie detaches it again.
  virtual std::uint32_t Advise(ClickHandler handler) = 0;
  virtual void Unadvise(std::uint32_t cookie) = 0;
};

// The IDE's events object.
class Events {
 public:
  virtual ~Events() = default;

  virtual std::shared_ptr<ide::CommandBarEvents> CommandBarEvents(
      const std::shared_ptr<CommandBarControl>& control) = 0;
};

}  // namespace tandrel::ide
