#include "sim/runtime.h"

namespace tandrel::sim {

void Runtime::MsgBox(const std::u16string& prompt, std::int32_t style,
                     const std::optional<std::u16string>& title) {
  messages_.push_back({prompt, style, title.value_or(app_.title)});
}

void Runtime::Clear() {
  messages_.clear();
  pointers_.clear();
  yields_ = 0;
}

}  // namespace tandrel::sim
