#include "win/registration/win32_type_libraries.h"

#include <cwchar>

// The per-user registration functions are in the system's oleaut32 since Windows Vista; mingw-w64's headers
// do not declare them.
extern "C" {
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* library, OLECHAR* path, OLECHAR* helpDirectory);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libid, WORD major, WORD minor, LCID locale, SYSKIND kind);
}

namespace tandrel::win {

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
  if (scope == Scope::kMachine) return Noted(RegisterTypeLib(library_.Get(), path_.data(), nullptr));
  return Noted(RegisterTypeLibForUser(library_.Get(), path_.data(), nullptr));
}

Win32TypeLibraries::Outcome Win32TypeLibraries::Unregister(Scope scope) {
  const TLIBATTR& library = attributes_;
  if (scope == Scope::kMachine) {
    return Noted(UnRegisterTypeLib(library.guid, library.wMajorVerNum, library.wMinorVerNum, library.lcid,
                                   library.syskind));
  }
  return Noted(UnRegisterTypeLibForUser(library.guid, library.wMajorVerNum, library.wMinorVerNum,
                                        library.lcid, library.syskind));
}

}  // namespace tandrel::win
