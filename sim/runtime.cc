#include "sim/runtime.h"

#include <iterator>

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

std::optional<std::u16string> Runtime::UserSetting(std::u16string_view name) {
  const auto setting = settings_.find(name);
  if (setting == settings_.end()) return std::nullopt;
  return setting->second;
}

void Runtime::SetUserSetting(const std::u16string& name, std::optional<std::u16string> value) {
  if (value) {
    settings_[name] = std::move(*value);
  } else {
    settings_.erase(name);
  }
}

namespace {

// A hook on the runtime's list, taken off when it goes.
class ListedHook final : public ide::KeyHook {
 public:
  explicit ListedHook(std::function<void()> unhook) : unhook_(std::move(unhook)) {}
  ~ListedHook() override { unhook_(); }

 private:
  std::function<void()> unhook_;
};

}  // namespace

std::unique_ptr<ide::KeyHook> Runtime::HookKey(const ide::KeyChord& chord, std::shared_ptr<ide::VBE>,
                                               std::function<void()> command) {
  hooks_.push_back({chord, std::move(command)});
  return std::make_unique<ListedHook>([this, hook = std::prev(hooks_.end())] { hooks_.erase(hook); });
}

bool Runtime::PressKey(const ide::KeyChord& chord) {
  // A command may take its own hook off: run copies.
  std::vector<std::function<void()>> commands;
  for (const auto& hook : hooks_) {
    if (hook.chord == chord) commands.push_back(hook.command);
  }
  for (const auto& command : commands) command();
  return !commands.empty();
}

std::vector<ide::KeyChord> Runtime::HookedKeys() const {
  std::vector<ide::KeyChord> chords;
  for (const auto& hook : hooks_) chords.push_back(hook.chord);
  return chords;
}

void Runtime::Clear() {
  messages_.clear();
  pointers_.clear();
  yields_ = 0;
  record_->Clear();
}

}  // namespace tandrel::sim
