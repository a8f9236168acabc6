#include "addin/click_binding.h"

namespace tandrel::addin {

void ClickBinding::Set(std::shared_ptr<ide::CommandBarEvents> source) {
  Detach();
  if (source) cookie_ = source->Advise(handler_);
  source_ = std::move(source);
}

void ClickBinding::Detach() noexcept {
  if (!source_) return;
  try {
    source_->Unadvise(cookie_);
  } catch (...) {
    // A source the IDE has already torn down has nothing left to detach; and a detach that fails for want of
    // memory must not end the IDE from the destructor that runs it.
  }
  source_.reset();
  cookie_ = 0;
}

}  // namespace tandrel::addin
