#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ide/runtime.h"
#include "sim/record.h"

namespace tandrel::sim {

// Run-time services that record what they were asked to do instead of showing it. Given the IDE's record
// (Ide::Record), they write into it, so that boxes and pointer changes fall in order with what the add-in
// does to the IDE; the per-kind lists below are the same entries, one kind each.
class Runtime : public ide::Runtime {
 public:
  explicit Runtime(ide::VersionInfo app) : Runtime(std::move(app), std::make_shared<sim::Record>()) {}
  Runtime(ide::VersionInfo app, std::shared_ptr<sim::Record> record)
      : app_(std::move(app)), record_(std::move(record)) {}

  ide::VersionInfo App() override { return app_; }
  void MsgBox(const std::u16string& prompt, std::int32_t style,
              const std::optional<std::u16string>& title) override;
  void SetMousePointer(std::int32_t pointer) override;
  void DoEvents() override;
  std::optional<std::u16string> UserSetting(std::u16string_view name) override;
  std::unique_ptr<ide::KeyHook> HookKey(const ide::KeyChord& chord, std::shared_ptr<ide::VBE> vbe,
                                        std::function<void()> command) override;

  // What UserSetting answers for `name`; nullopt for a setting the user has not made.
  void SetUserSetting(const std::u16string& name, std::optional<std::u16string> value);
  // The user presses `chord` in the active code pane: each hook on it runs its command. False when none did.
  bool PressKey(const ide::KeyChord& chord);
  // The chords hooked now, in the order they were hooked.
  std::vector<ide::KeyChord> HookedKeys() const;

  const std::vector<MessageBox>& Messages() const { return messages_; }
  const std::vector<std::int32_t>& Pointers() const { return pointers_; }
  int Yields() const { return yields_; }
  // Everything recorded, in order, the IDE's actions too when the record is shared.
  const std::vector<Action>& Actions() const { return record_->Actions(); }
  const std::shared_ptr<sim::Record>& Record() const { return record_; }
  // Forgets what was recorded so far, in the shared record as well, so that a test can watch one step alone.
  void Clear();

 private:
  ide::VersionInfo app_;
  std::shared_ptr<sim::Record> record_;
  std::vector<MessageBox> messages_;
  std::vector<std::int32_t> pointers_;
  int yields_ = 0;
  std::map<std::u16string, std::u16string, std::less<>> settings_;
  struct Hook {
    ide::KeyChord chord;
    std::function<void()> command;
  };
  std::list<Hook> hooks_;
};

}  // namespace tandrel::sim
