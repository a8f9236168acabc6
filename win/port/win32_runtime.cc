// The run-time services a Basic add-in takes from its run-time library, over Win32.
#include "win/port/win32_runtime.h"

#include <algorithm>
#include <string>
#include <vector>

#include "win/com/module_path.h"
#include "win/port/key_hook.h"

namespace tandrel::win {
namespace {

// A text of the version resource's U.S. English, Unicode string table; empty when it has none.
std::u16string VersionString(const std::vector<BYTE>& data, const wchar_t* name) {
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  void* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), key.c_str(), &text, &length) || !text || length == 0) return {};
  const auto* units = static_cast<const char16_t*>(text);
  std::u16string value(units, length);
  // The length counts the terminating null in some versions of the system and not in others.
  if (const auto end = value.find(u'\0'); end != std::u16string::npos) value.resize(end);
  return value;
}

class Win32Runtime final : public ide::Runtime {
 public:
  Win32Runtime(HMODULE module, std::u16string productTitle, std::function<HWND()> owner)
      : module_(module), productTitle_(std::move(productTitle)), owner_(std::move(owner)) {}

  // Major, Minor and Revision are the first, second and fourth numbers of the file version, as Basic's App
  // object reads them.
  ide::VersionInfo App() override {
    ide::VersionInfo info;
    info.title = productTitle_;
    const std::wstring path = ModulePath(module_);
    DWORD ignored = 0;
    const DWORD size = path.empty() ? 0 : GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return info;
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return info;
    void* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", &fixed, &length) && fixed && length >= sizeof(VS_FIXEDFILEINFO)) {
      const auto& version = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
      info.major = HIWORD(version.dwFileVersionMS);
      info.minor = LOWORD(version.dwFileVersionMS);
      info.revision = LOWORD(version.dwFileVersionLS);
    }
    if (std::u16string title = VersionString(data, L"ProductName"); !title.empty())
      info.title = std::move(title);
    info.companyName = VersionString(data, L"CompanyName");
    return info;
  }

  void MsgBox(const std::u16string& prompt, std::int32_t style,
              const std::optional<std::u16string>& title) override {
    const std::u16string& caption = title ? *title : productTitle_;
    MessageBoxW(owner_ ? owner_() : nullptr, reinterpret_cast<const wchar_t*>(prompt.c_str()),
                reinterpret_cast<const wchar_t*>(caption.c_str()), static_cast<UINT>(style));
  }

  void SetMousePointer(std::int32_t pointer) override {
    hourglass_ = pointer == ide::kPointerHourglass;
    ShowPointer();
  }

  // Keyboard input stays queued for the IDE's own loop, which gives its accelerators the first look at a key
  // (and no key typed during a search edits the module under it). Each message is taken with the calls of
  // its window's character set, so that an ANSI window of VB5 or VB6 gets its characters as it expects them.
  void DoEvents() override {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, WM_KEYFIRST - 1, PM_NOREMOVE) ||
           PeekMessageW(&message, nullptr, WM_KEYLAST + 1, 0xFFFFFFFF, PM_NOREMOVE)) {
      const UINT kind = message.message;
      const bool unicode = !message.hwnd || IsWindowUnicode(message.hwnd);
      const BOOL taken = unicode ? PeekMessageW(&message, nullptr, kind, kind, PM_REMOVE)
                                 : PeekMessageA(&message, nullptr, kind, kind, PM_REMOVE);
      if (!taken) continue;
      if (message.message == WM_QUIT) {
        // The quit belongs to the IDE's own loop: put it back for that loop to see.
        PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      if (unicode) {
        DispatchMessageW(&message);
      } else {
        DispatchMessageA(&message);
      }
      KeepHourglass();
    }
    KeepHourglass();
  }

  // The user's settings for this add-in: HKEY_CURRENT_USER\Software\Tandrel\<product title>.
  std::optional<std::u16string> UserSetting(std::u16string_view name) override {
    const std::wstring path =
        L"Software\\Tandrel\\" + std::wstring(productTitle_.begin(), productTitle_.end());
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
      return std::nullopt;
    const std::wstring valueName(name.begin(), name.end());
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::u16string> value;
    if (RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
      std::u16string text(size / sizeof(char16_t) + 1, u'\0');
      if (RegQueryValueExW(key, valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()),
                           &size) == ERROR_SUCCESS) {
        // The stored text may or may not end in a null.
        text.resize(std::min<std::size_t>(size / sizeof(char16_t), text.find(u'\0')));
        value = std::move(text);
      }
    }
    RegCloseKey(key);
    return value;
  }
  std::unique_ptr<ide::KeyHook> HookKey(const ide::KeyChord& chord, std::shared_ptr<ide::VBE> vbe,
                                        std::function<void()> command) override {
    return HookCodePaneKey(chord, std::move(vbe), std::move(command));
  }

  void ShowPointer() const { SetCursor(LoadCursor(nullptr, hourglass_ ? IDC_WAIT : IDC_ARROW)); }

  // A window's WM_SETCURSOR puts its own pointer back: the hourglass stays until the command sets the pointer
  // back, as Basic's Screen.MousePointer keeps it.
  void KeepHourglass() const {
    if (hourglass_) ShowPointer();
  }

  HMODULE module_;
  std::u16string productTitle_;
  std::function<HWND()> owner_;
  bool hourglass_ = false;
};

}  // namespace

std::unique_ptr<ide::Runtime> MakeWin32Runtime(HMODULE module, std::u16string productTitle,
                                               std::function<HWND()> owner) {
  return std::make_unique<Win32Runtime>(module, std::move(productTitle), std::move(owner));
}

}  // namespace tandrel::win
