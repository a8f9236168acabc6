#include "tests/win/host/com_host.h"

#include <cstdio>

#include "tests/win/host/served_objects.h"

namespace tandrel::win::host {
namespace {

constexpr wchar_t kWindowClass[] = L"TandrelTestHostMainWindow";
// The class the IDEs give their code panes, and one of this host's own for its other window.
constexpr wchar_t kCodePaneClass[] = L"VbaWindow";
constexpr wchar_t kOtherWindowClass[] = L"TandrelTestHostOtherWindow";

LRESULT CALLBACK KeyRecordingProc(HWND window, UINT message, WPARAM key, LPARAM flags) {
  const char* kind = message == WM_KEYDOWN || message == WM_SYSKEYDOWN ? "down"
                     : message == WM_KEYUP || message == WM_SYSKEYUP   ? "up"
                                                                       : nullptr;
  auto* state = reinterpret_cast<HostState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (kind && state) {
    char text[40];
    std::snprintf(text, sizeof text, "%s %s 0x%02X", window == state->codePaneWindow ? "pane" : "other", kind,
                  static_cast<unsigned>(key));
    state->keys.emplace_back(text);
    return 0;
  }
  return DefWindowProcW(window, message, key, flags);
}

HWND CreateKeyWindow(const wchar_t* className, HWND parent, HostState* state, int left) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = KeyRecordingProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, left, 0, 300, 400, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  return window;
}

HWND CreateMainWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassW(&windowClass);  // fails harmlessly when a previous host registered it
  return CreateWindowExW(0, kWindowClass, L"Tandrel test host", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                         CW_USEDEFAULT, 640, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

ComHost::ComHost(const HostProfile& profile)
    : state_(std::make_shared<HostState>(profile, CreateMainWindow())) {
  state_->codePaneWindow = CreateKeyWindow(kCodePaneClass, state_->mainWindow, state_.get(), 0);
  state_->otherWindow = CreateKeyWindow(kOtherWindowClass, state_->mainWindow, state_.get(), 310);
  for (const auto& bar : profile.missingBars) {
    const std::u16string name(bar.name);
    state_->ide.RemoveBar(name);
    if (bar.lookupRaises) state_->ide.RaiseOnBarLookup(name, u"Invalid procedure call or argument");
  }
}

ComHost::~ComHost() {
  if (state_->mainWindow) DestroyWindow(state_->mainWindow);
}

ComPtr<IDispatch> ComHost::Vbe() {
  ComPtr<IDispatch> vbe;
  // Takes over the reference Serve gives; mingw-w64's ComPtr::Attach would add one of its own.
  *vbe.GetAddressOf() = Serve<VbeObject>(state_, state_->ide.Vbe());
  return vbe;
}

std::shared_ptr<sim::Bar> ComHost::AddInsMenu() const {
  for (const auto& control : state_->ide.FindBar(u"Menu Bar")->Items()) {
    if (control->Id() == ide::kAddInsMenuId)
      return std::dynamic_pointer_cast<sim::Bar>(control->CommandBar());
  }
  return nullptr;
}

std::vector<ClickOutcome> ComHost::Click(const std::shared_ptr<ide::CommandBarControl>& control) {
  state_->clicks.clear();
  state_->ide.Click(control);
  return std::move(state_->clicks);
}

std::shared_ptr<sim::Control> ComHost::ControlOf(IUnknown* object) {
  auto* served = dynamic_cast<ControlObject*>(ServedObject::Of(object));
  return served ? served->Control() : nullptr;
}

}  // namespace tandrel::win::host
