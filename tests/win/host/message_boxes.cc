#include "tests/win/host/message_boxes.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tandrel::win::host {
namespace {

// The text of a message box is the static control 0xFFFF; the dialog class is #32770.
constexpr int kTextControl = 0xFFFF;
// The icon is the static control stc1 in Wine's message box template, 20 in Windows'.
constexpr std::array<int, 2> kIconControls{0x0440, 20};

thread_local MessageBoxWatcher* current = nullptr;

std::u16string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return {text.begin(), text.end()};
}

std::int32_t IconStyleOf(HWND box) {
  // IDI_HAND, IDI_EXCLAMATION and IDI_ASTERISK: the system's shared icons, one handle each.
  const std::array<std::pair<LPCWSTR, std::int32_t>, 3> icons{
      {{MAKEINTRESOURCEW(32513), MB_ICONSTOP},
       {MAKEINTRESOURCEW(32515), MB_ICONEXCLAMATION},
       {MAKEINTRESOURCEW(32516), MB_ICONINFORMATION}}};
  for (int id : kIconControls) {
    HWND control = GetDlgItem(box, id);
    // The box itself is not shown yet when it is activated; the icon's own style says whether it will be.
    if (!control || (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) == 0) continue;
    const auto shown = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
    if (!shown) continue;
    for (const auto& [name, style] : icons) {
      if (LoadIconW(nullptr, name) == shown) return style;
    }
  }
  return 0;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher()
    : hook_(SetWindowsHookExW(WH_CBT, &MessageBoxWatcher::Hook, nullptr, GetCurrentThreadId())),
      previous_(current) {
  current = this;
}

MessageBoxWatcher::~MessageBoxWatcher() {
  if (hook_) UnhookWindowsHookEx(hook_);
  current = previous_;
}

std::vector<ShownBox> MessageBoxWatcher::Take() { return std::exchange(boxes_, {}); }

LRESULT CALLBACK MessageBoxWatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && current) current->Activated(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxWatcher::Activated(HWND window) {
  // Each box is followed by another activation with an empty title; only the dialog with the text counts.
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  HWND text = GetDlgItem(window, kTextControl);
  if (std::wstring_view(className) != L"#32770" || !text) return;
  // A box ended here is activated once more on its way out.
  if (std::find(ended_.begin(), ended_.end(), window) != ended_.end()) return;
  ended_.push_back(window);
  ShownBox box{WindowText(window), WindowText(text), IconStyleOf(window), GetWindow(window, GW_OWNER)};
  boxes_.push_back(std::move(box));
  EndDialog(window, IDOK);
}

bool WatcherSeesMessageBoxes(MessageBoxWatcher& watcher) {
  if (!watcher.Installed()) return false;
  watcher.Take();
  MessageBoxW(nullptr, L"Is the watcher looking?", L"Tandrel test host", MB_OK | MB_ICONINFORMATION);
  const std::vector<ShownBox> boxes = watcher.Take();
  return boxes.size() == 1 && boxes[0].text == u"Is the watcher looking?" &&
         boxes[0].title == u"Tandrel test host";
}

}  // namespace tandrel::win::host
