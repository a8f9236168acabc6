#include "sim/runtime.h"

namespace tandrel::sim {

void Runtime::MsgBox(const std::u16string& prompt, std::int32_t style,
                     const std::optional<std::u16string>& title) {
  MessageBox box{prompt, style, title.value_or(app_.title)};
  messages_.push_back(box);
  record_->Add(std::move(box));
}

void Runtime::SetMousePointer(std::int32_t pointer) {
  pointers_.push_back(pointer);
  record_->Add(PointerSet{pointer});
}

void Runtime::DoEvents() {
  ++yields_;
  record_->Add(Yield{});
}

void Runtime::Clear() {
  messages_.clear();
  pointers_.clear();
  yields_ = 0;
  record_->Clear();
}

}  // namespace tandrel::sim
