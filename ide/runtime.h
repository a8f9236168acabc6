#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ide/key_chord.h"
#include "ide/vbe.h"

namespace tandrel::ide {

// The deliverable's own version information, as its version resource carries it.
struct VersionInfo {
  std::u16string title;
  std::int32_t major = 0;
  std::int32_t minor = 0;
  std::int32_t revision = 0;
  std::u16string companyName;
};

// Message box styles: an OK button with the given icon.
inline constexpr std::int32_t kMsgBoxPlain = 0;
inline constexpr std::int32_t kMsgBoxStop = 16;
inline constexpr std::int32_t kMsgBoxExclamation = 48;
inline constexpr std::int32_t kMsgBoxInformation = 64;

// Mouse pointer shapes.
inline constexpr std::int32_t kPointerDefault = 0;
inline constexpr std::int32_t kPointerHourglass = 11;

// A keyboard hook the run time installed; it is removed when this object goes.
class KeyHook {
 public:
  virtual ~KeyHook() = default;
};

// The host services the add-in uses beside the IDE's objects.
class Runtime {
 public:
  virtual ~Runtime() = default;

  virtual VersionInfo App() = 0;
  // Shows a box and returns once it is dismissed. Without a title the box shows the product title.
  virtual void MsgBox(const std::u16string& prompt, std::int32_t style,
                      const std::optional<std::u16string>& title) = 0;
  virtual void SetMousePointer(std::int32_t pointer) = 0;
  // Lets the host process its pending messages once.
  virtual void DoEvents() = 0;
  // The user's setting `name` for this add-in; empty when the user has set none, or set something that is no
  // text.
  virtual std::optional<std::u16string> UserSetting(std::u16string_view name) = 0;
  // From now until the returned hook goes, each press of `chord` made in `vbe`'s active code pane runs
  // `command` once (a key held down runs it once) and never reaches the pane. Every other key, and this one
  // anywhere else, goes where it went before. Null when the host can install no hook.
  virtual std::unique_ptr<KeyHook> HookKey(const KeyChord& chord, std::shared_ptr<VBE> vbe,
                                           std::function<void()> command) = 0;
};

}  // namespace tandrel::ide
