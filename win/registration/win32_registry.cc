#include "win/registration/win32_registry.h"

#include <shlwapi.h>

#include <cstring>
#include <string>
#include <vector>

namespace tandrel::win {
namespace {

HKEY KeyOf(registration::Hive hive) {
  switch (hive) {
    case registration::Hive::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case registration::Hive::kCurrentUser:
      return HKEY_CURRENT_USER;
    case registration::Hive::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
  }
  return HKEY_CURRENT_USER;
}

// The registry's text is 16-bit, as the port's is: a copy of the units, with the terminating zero.
std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// The registry view of the other bitness: on 64-bit Windows, 32-bit and 64-bit programs each see CLSID keys
// of their own. 32-bit Windows ignores the flag and opens its one view.
constexpr REGSAM kOtherView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

// An open key, closed when the owner goes away.
class OpenKey {
 public:
  OpenKey(registration::Hive hive, std::u16string_view path, REGSAM access)
      : status_(RegOpenKeyExW(KeyOf(hive), Wide(path).c_str(), 0, access, &key_)) {}
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  ~OpenKey() {
    if (status_ == ERROR_SUCCESS) RegCloseKey(key_);
  }

  bool Open() const { return status_ == ERROR_SUCCESS; }
  LONG Status() const { return status_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
  LONG status_;
};

}  // namespace

Win32Registry::Outcome Win32Registry::Noted(LONG status) {
  if (status == ERROR_SUCCESS) return Outcome::kDone;
  if (status == ERROR_ACCESS_DENIED) return Outcome::kDenied;
  if (firstFailure_ == S_OK) firstFailure_ = HRESULT_FROM_WIN32(static_cast<DWORD>(status));
  return Outcome::kFailed;
}

Win32Registry::Outcome Win32Registry::CreateKey(Hive hive, std::u16string_view path) {
  HKEY key = nullptr;
  const LONG status = RegCreateKeyExW(KeyOf(hive), Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) RegCloseKey(key);
  return Noted(status);
}

Win32Registry::Outcome Win32Registry::SetValue(Hive hive, std::u16string_view path, std::u16string_view name,
                                               const registration::RegistryValue& value) {
  const OpenKey key(hive, path, KEY_SET_VALUE);
  if (!key.Open()) return Noted(key.Status());
  const std::wstring valueName = Wide(name);
  if (const auto* text = std::get_if<std::u16string>(&value)) {
    const std::wstring data = Wide(*text);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return Noted(RegSetValueExW(key.Get(), valueName.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(data.c_str()), bytes));
  }
  const DWORD number = std::get<std::uint32_t>(value);
  return Noted(RegSetValueExW(key.Get(), valueName.c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&number), sizeof number));
}

Win32Registry::Outcome Win32Registry::DeleteValue(Hive hive, std::u16string_view path,
                                                  std::u16string_view name) {
  const OpenKey key(hive, path, KEY_SET_VALUE);
  if (!key.Open()) return Noted(key.Status());
  return Noted(RegDeleteValueW(key.Get(), Wide(name).c_str()));
}

// The shell's recursive delete: RegDeleteTreeW came with Windows Vista.
Win32Registry::Outcome Win32Registry::DeleteKey(Hive hive, std::u16string_view path) {
  return Noted(static_cast<LONG>(SHDeleteKeyW(KeyOf(hive), Wide(path).c_str())));
}

bool Win32Registry::KeyExists(Hive hive, std::u16string_view path) {
  return OpenKey(hive, path, KEY_QUERY_VALUE).Open();
}

bool Win32Registry::KeyExistsInOtherView(Hive hive, std::u16string_view path) {
  return OpenKey(hive, path, KEY_QUERY_VALUE | kOtherView).Open();
}

std::optional<registration::RegistryValue> Win32Registry::ReadValue(Hive hive, std::u16string_view path,
                                                                    std::u16string_view name) {
  const OpenKey key(hive, path, KEY_QUERY_VALUE);
  if (!key.Open()) return std::nullopt;
  const std::wstring valueName = Wide(name);
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<BYTE> data(bytes + sizeof(wchar_t));
  if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, data.data(), &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type == REG_DWORD && bytes == sizeof(DWORD)) {
    DWORD number = 0;
    std::memcpy(&number, data.data(), sizeof number);
    return std::uint32_t{number};
  }
  if (type != REG_SZ) return std::nullopt;
  // A stored text need not carry its terminating zero; the spare units read as zeros.
  std::u16string text(bytes / sizeof(char16_t), u'\0');
  std::memcpy(text.data(), data.data(), text.size() * sizeof(char16_t));
  if (const std::size_t end = text.find(u'\0'); end != std::u16string::npos) text.resize(end);
  return text;
}

}  // namespace tandrel::win
