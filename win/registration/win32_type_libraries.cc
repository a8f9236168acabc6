#include "win/registration/win32_type_libraries.h"

#include <cwchar>

// Where the system's type-library registration writes, and how it is made to write for one scope: the one
// place that rests on how oleaut32 behaves on Windows versions Wine cannot stand in for.
//
// RegisterTypeLib and UnRegisterTypeLib write through HKEY_CLASSES_ROOT, where a key that already exists
// among the user's classes takes the write, and which an elevated process sees as the machine's alone. For
// the length of one call that predefined key is pointed at the scope's own classes (RegOverridePredefKey,
// as installers capture a registration). Windows XP's oleaut32 follows such a redirection as it is; that of
// Windows Vista SP1 and later follows it once OaEnablePerUserTLibRegistration has been called, and ignores
// it otherwise. (RegisterTypeLibForUser, the per-user function of Windows Vista, would do for the user's
// scope alone, and Windows XP lacks it.)
namespace tandrel::win {
namespace {

void FollowRedirectedClasses() {
  using Enable = void(WINAPI*)();
  const HMODULE oleaut32 = GetModuleHandleW(L"oleaut32.dll");
  if (!oleaut32) return;
  const auto enable = reinterpret_cast<Enable>(
      reinterpret_cast<void*>(GetProcAddress(oleaut32, "OaEnablePerUserTLibRegistration")));
  if (enable) enable();
}

// HKEY_CLASSES_ROOT pointed at a scope's classes while this lives.
class ClassesRootRedirect {
 public:
  explicit ClassesRootRedirect(registration::Scope scope) {
    const HKEY root = scope == registration::Scope::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    status_ = RegOpenKeyExW(root, L"Software\\Classes", 0, KEY_READ | KEY_WRITE, &classes_);
    if (status_ != ERROR_SUCCESS) return;
    FollowRedirectedClasses();
    status_ = RegOverridePredefKey(HKEY_CLASSES_ROOT, classes_);
    redirected_ = status_ == ERROR_SUCCESS;
  }
  ClassesRootRedirect(const ClassesRootRedirect&) = delete;
  ClassesRootRedirect& operator=(const ClassesRootRedirect&) = delete;
  ~ClassesRootRedirect() {
    if (redirected_) RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    if (classes_) RegCloseKey(classes_);
  }

  HRESULT Status() const { return HRESULT_FROM_WIN32(static_cast<DWORD>(status_)); }

 private:
  HKEY classes_ = nullptr;
  LONG status_ = ERROR_SUCCESS;
  bool redirected_ = false;
};

}  // namespace

HRESULT Win32TypeLibraries::Load(const std::wstring& serverPath) {
  path_ = serverPath;
  HRESULT result = LoadTypeLibEx(path_.c_str(), REGKIND_NONE, library_.ReleaseAndGetAddressOf());
  if (FAILED(result)) return result;
  TLIBATTR* attributes = nullptr;
  result = library_->GetLibAttr(&attributes);
  if (FAILED(result)) return result;
  attributes_ = *attributes;
  library_->ReleaseTLibAttr(attributes);
  return S_OK;
}

std::u16string Win32TypeLibraries::EntryKeyName() const {
  const wchar_t* platform = attributes_.syskind == SYS_WIN64 ? L"win64" : L"win32";
  wchar_t text[48];
  std::swprintf(text, std::size(text), L"%x.%x\\%lx\\%ls", attributes_.wMajorVerNum, attributes_.wMinorVerNum,
                static_cast<unsigned long>(attributes_.lcid), platform);
  return {text, text + std::wcslen(text)};
}

Win32TypeLibraries::Outcome Win32TypeLibraries::Noted(HRESULT result) {
  if (SUCCEEDED(result)) return Outcome::kDone;
  // RegisterTypeLib reports a registry it may not write as TYPE_E_REGISTRYACCESS.
  if (result == TYPE_E_REGISTRYACCESS || result == E_ACCESSDENIED ||
      result == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)) {
    return Outcome::kDenied;
  }
  if (firstFailure_ == S_OK) firstFailure_ = result;
  return Outcome::kFailed;
}

Win32TypeLibraries::Outcome Win32TypeLibraries::Register(Scope scope) {
  // The help folder is the server's own, named as Windows Installer names a folder, with its closing
  // backslash, so that an installer package's rows and this registration write the same value.
  std::wstring helpFolder = path_.substr(0, path_.find_last_of(L'\\') + 1);
  const ClassesRootRedirect redirect(scope);
  if (FAILED(redirect.Status())) return Noted(redirect.Status());
  return Noted(RegisterTypeLib(library_.Get(), path_.data(), helpFolder.data()));
}

Win32TypeLibraries::Outcome Win32TypeLibraries::Unregister(Scope scope) {
  const TLIBATTR& library = attributes_;
  const ClassesRootRedirect redirect(scope);
  if (FAILED(redirect.Status())) return Noted(redirect.Status());
  return Noted(UnRegisterTypeLib(library.guid, library.wMajorVerNum, library.wMinorVerNum, library.lcid,
                                 library.syskind));
}

}  // namespace tandrel::win
