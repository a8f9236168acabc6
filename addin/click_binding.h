#pragma once

#include <cstdint>
#include <memory>

#include "ide/events.h"

namespace tandrel::addin {

// Holds one event source and keeps a Click handler attached to it, as a WithEvents variable does: setting a
// new source detaches the handler from the old one, and the binding detaches when it goes away.
class ClickBinding {
 public:
  explicit ClickBinding(ide::CommandBarEvents::ClickHandler handler) : handler_(std::move(handler)) {}
  ClickBinding(const ClickBinding&) = delete;
  ClickBinding& operator=(const ClickBinding&) = delete;
  ~ClickBinding() { Detach(); }

  const std::shared_ptr<ide::CommandBarEvents>& Source() const { return source_; }
  // Attaching to a source raises the IDE's error when it fails; the previous source is then already released.
  void Set(std::shared_ptr<ide::CommandBarEvents> source);

 private:
  void Detach() noexcept;

  ide::CommandBarEvents::ClickHandler handler_;
  std::shared_ptr<ide::CommandBarEvents> source_;
  std::uint32_t cookie_ = 0;
};

}  // namespace tandrel::addin
