#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>

#include "registration/registry_port.h"
#include "win/com/com_ptr.h"

namespace tandrel::win {

// The type-library port over the system's registration of the server's own type library, for the machine or
// the current user, each in its own classes. The library registers under the locale it carries: the neutral
// one.
class Win32TypeLibraries final : public registration::TypeLibraryPort {
 public:
  using Outcome = registration::Outcome;
  using Scope = registration::Scope;

  // Loads the type library from the server's file without registering it.
  HRESULT Load(const std::wstring& serverPath);
  // The library's key below its LIBID's as the system registers it: version, locale and platform.
  std::u16string EntryKeyName() const;

  Outcome Register(Scope scope) override;
  Outcome Unregister(Scope scope) override;

  // The code of the first call that failed other than by a denied access; S_OK while there is none.
  HRESULT FirstFailure() const { return firstFailure_; }

 private:
  Outcome Noted(HRESULT result);

  std::wstring path_;
  ComPtr<ITypeLib> library_;
  TLIBATTR attributes_{};
  HRESULT firstFailure_ = S_OK;
};

}  // namespace tandrel::win
