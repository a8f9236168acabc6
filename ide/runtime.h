#pragma once

#include <cstdint>
#include <optional>
#include <string>

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
};

}  // namespace tandrel::ide
