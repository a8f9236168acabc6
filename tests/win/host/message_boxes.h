#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tandrel::win::host {

// A message box as it was shown: its title and text as the dialog holds them, its icon as the style that
// gives it (0, 16, 48 or 64), and the window that owns it.
struct ShownBox {
  std::u16string title;
  std::u16string text;
  std::int32_t iconStyle = 0;
  HWND owner = nullptr;
};

// Reads and dismisses every message box this thread shows while the watcher lives, through a thread-local
// CBT hook: the box is read when it is activated and ended with OK at once.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
  ~MessageBoxWatcher();

  bool Installed() const { return hook_ != nullptr; }
  // The boxes seen since the last call.
  std::vector<ShownBox> Take();

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  void Activated(HWND window);

  HHOOK hook_ = nullptr;
  MessageBoxWatcher* previous_ = nullptr;
  std::vector<ShownBox> boxes_;
  std::vector<HWND> ended_;
};

// Shows a box of the host's own and reports whether the watcher saw it: a box that vanished without being
// shown must never pass as "no message".
bool WatcherSeesMessageBoxes(MessageBoxWatcher& watcher);

}  // namespace tandrel::win::host
