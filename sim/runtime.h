#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ide/runtime.h"

namespace tandrel::sim {

// A message box as the user would see it: the title is the product title when the caller gave none.
struct MessageBox {
  std::u16string prompt;
  std::int32_t style = 0;
  std::u16string title;

  friend bool operator==(const MessageBox&, const MessageBox&) = default;
};

// Run-time services that record what they were asked to do instead of showing it.
class Runtime : public ide::Runtime {
 public:
  explicit Runtime(ide::VersionInfo app) : app_(std::move(app)) {}

  ide::VersionInfo App() override { return app_; }
  void MsgBox(const std::u16string& prompt, std::int32_t style,
              const std::optional<std::u16string>& title) override;
  void SetMousePointer(std::int32_t pointer) override { pointers_.push_back(pointer); }
  void DoEvents() override { ++yields_; }

  const std::vector<MessageBox>& Messages() const { return messages_; }
  const std::vector<std::int32_t>& Pointers() const { return pointers_; }
  int Yields() const { return yields_; }
  void Clear();

 private:
  ide::VersionInfo app_;
  std::vector<MessageBox> messages_;
  std::vector<std::int32_t> pointers_;
  int yields_ = 0;
};

}  // namespace tandrel::sim
