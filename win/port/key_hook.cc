// A shortcut key for an IDE that lets an add-in bind none: a keyboard hook on the IDE's own thread, which
// takes the key from the active code pane and runs the command from a timer once the key's message is done.
#include "win/port/key_hook.h"

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "win/port/vbe.h"

namespace tandrel::win {
namespace {

// The class the IDEs give their code panes, by which a pane is told where the IDE gives no window handle for
// it. Tools that list windows show it for the code windows of VB6 and of the VBA editor; not confirmed here.
constexpr wchar_t kCodePaneClass[] = L"VbaWindow";

// Bits of a keyboard hook's lParam.
constexpr LPARAM kWasDown = LPARAM{1} << 30;
constexpr LPARAM kGoingUp = LPARAM{1} << 31;

bool Pressed(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// Whether `window` is `ancestor` or lies inside it: a child, or a window it owns (a floating pane of an IDE
// shown in separate windows).
bool Within(HWND window, HWND ancestor) {
  for (HWND at = window; at; at = (GetWindowLongW(at, GWL_STYLE) & WS_CHILD) ? GetAncestor(at, GA_PARENT)
                                                                             : GetWindow(at, GW_OWNER)) {
    if (at == ancestor) return true;
  }
  return false;
}

// Whether `window`, or a window it lies in below `top`, is of the code panes' class.
bool InCodePaneClass(HWND window, HWND top) {
  for (HWND at = window; at && at != top; at = GetAncestor(at, GA_PARENT)) {
    wchar_t name[32] = {};
    if (GetClassNameW(at, name, static_cast<int>(std::size(name))) > 0 &&
        lstrcmpiW(name, kCodePaneClass) == 0) {
      return true;
    }
  }
  return false;
}

class ThreadKeyHook final : public ide::KeyHook {
 public:
  ThreadKeyHook(const ide::KeyChord& chord, std::shared_ptr<ide::VBE> vbe, std::function<void()> command)
      : chord_(chord), vbe_(std::move(vbe)), command_(std::move(command)), thread_(GetCurrentThreadId()) {}
  ThreadKeyHook(const ThreadKeyHook&) = delete;
  ThreadKeyHook& operator=(const ThreadKeyHook&) = delete;
  ~ThreadKeyHook() override;

  bool Install();

 private:
  static LRESULT CALLBACK KeyboardProc(int code, WPARAM key, LPARAM flags);
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR timer, DWORD);
  static std::mutex& ListLock();
  static std::vector<ThreadKeyHook*>& List();
  // The hooks installed on the calling thread. Each is removed on its own thread, so none can go while that
  // thread looks at them.
  static std::vector<ThreadKeyHook*> OnThisThread();

  // Whether the key message is this hook's to take: true swallows it.
  bool Takes(WPARAM key, LPARAM flags);
  bool FocusInCodePane() const;
  void Run();

  ide::KeyChord chord_;
  std::shared_ptr<ide::VBE> vbe_;
  std::function<void()> command_;
  DWORD thread_;
  HHOOK hook_ = nullptr;
  UINT_PTR timer_ = 0;
  // The chord's key went down in the pane and has not come up: its repeats and its release are taken too.
  bool held_ = false;
};

std::mutex& ThreadKeyHook::ListLock() {
  static std::mutex lock;
  return lock;
}

std::vector<ThreadKeyHook*>& ThreadKeyHook::List() {
  static std::vector<ThreadKeyHook*> hooks;
  return hooks;
}

std::vector<ThreadKeyHook*> ThreadKeyHook::OnThisThread() {
  const std::lock_guard lock(ListLock());
  std::vector<ThreadKeyHook*> hooks = List();
  std::erase_if(
      hooks, [thread = GetCurrentThreadId()](const ThreadKeyHook* hook) { return hook->thread_ != thread; });
  return hooks;
}

bool ThreadKeyHook::Install() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCWSTR>(&ThreadKeyHook::KeyboardProc), &module)) {
    return false;
  }
  // WH_KEYBOARD for one thread: the keys this thread takes from its queue, and no other program's.
  hook_ = SetWindowsHookExW(WH_KEYBOARD, &ThreadKeyHook::KeyboardProc, module, thread_);
  if (!hook_) return false;
  const std::lock_guard lock(ListLock());
  List().push_back(this);
  return true;
}

ThreadKeyHook::~ThreadKeyHook() {
  if (!hook_) return;
  UnhookWindowsHookEx(hook_);
  if (timer_) KillTimer(nullptr, timer_);
  const std::lock_guard lock(ListLock());
  std::erase(List(), this);
}

LRESULT CALLBACK ThreadKeyHook::KeyboardProc(int code, WPARAM key, LPARAM flags) {
  // Only a message taken from the queue counts; a look at one that stays (HC_NOREMOVE) does not.
  if (code == HC_ACTION) {
    for (ThreadKeyHook* hook : OnThisThread()) {
      if (hook->Takes(key, flags)) return 1;
    }
  }
  return CallNextHookEx(nullptr, code, key, flags);
}

bool ThreadKeyHook::Takes(WPARAM key, LPARAM flags) {
  if (key != chord_.key) return false;
  if (flags & kGoingUp) return std::exchange(held_, false);
  if (held_) return true;
  // A key already held down when the focus came here is another press's.
  if (flags & kWasDown) return false;
  if (Pressed(VK_CONTROL) != chord_.ctrl || Pressed(VK_SHIFT) != chord_.shift ||
      Pressed(VK_MENU) != chord_.alt) {
    return false;
  }
  if (!FocusInCodePane()) return false;
  held_ = true;
  // The command shows boxes and yields: it runs from the thread's own loop, not inside the hook.
  if (!timer_) timer_ = SetTimer(nullptr, 0, 0, &ThreadKeyHook::TimerProc);
  return true;
}

bool ThreadKeyHook::FocusInCodePane() const {
  const HWND focus = GetFocus();
  const HWND main = MainWindowOf(vbe_);
  if (!focus || !main || !Within(focus, main)) return false;
  if (const auto pane = ActiveCodePaneWindowOf(vbe_)) return *pane && Within(focus, *pane);
  return InCodePaneClass(focus, main);
}

void CALLBACK ThreadKeyHook::TimerProc(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  for (ThreadKeyHook* hook : OnThisThread()) {
    if (hook->timer_ == timer) return hook->Run();
  }
}

void ThreadKeyHook::Run() {
  timer_ = 0;
  // The add-in object stays alive for the command's whole run, and the command with it: a close the yield
  // dispatches may take this hook away under it.
  const auto session = SessionOf(vbe_);
  const ComPtr<IUnknown> owner = session ? session->Owner() : nullptr;
  if (session && session->OwnerGone()) return;
  const std::function<void()> command = command_;
  try {
    command();
  } catch (...) {
    // Nothing may unwind into the thread's message loop; the command shows its own errors.
  }
}

}  // namespace

std::unique_ptr<ide::KeyHook> HookCodePaneKey(const ide::KeyChord& chord, std::shared_ptr<ide::VBE> vbe,
                                              std::function<void()> command) {
  auto hook = std::make_unique<ThreadKeyHook>(chord, std::move(vbe), std::move(command));
  if (!hook->Install()) return nullptr;
  return hook;
}

}  // namespace tandrel::win
