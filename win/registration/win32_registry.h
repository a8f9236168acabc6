#pragma once

#include <windows.h>

#include "registration/registry_port.h"

namespace tandrel::win {

// The registry port over the Win32 registry functions that Windows XP has. A denied access is
// ERROR_ACCESS_DENIED.
class Win32Registry final : public registration::RegistryPort {
 public:
  using Hive = registration::Hive;
  using Outcome = registration::Outcome;

  Outcome CreateKey(Hive hive, std::u16string_view path) override;
  Outcome SetValue(Hive hive, std::u16string_view path, std::u16string_view name,
                   const registration::RegistryValue& value) override;
  Outcome DeleteValue(Hive hive, std::u16string_view path, std::u16string_view name) override;
  Outcome DeleteKey(Hive hive, std::u16string_view path) override;
  bool KeyExists(Hive hive, std::u16string_view path) override;
  bool KeyExistsInOtherView(Hive hive, std::u16string_view path) override;
  std::optional<registration::RegistryValue> ReadValue(Hive hive, std::u16string_view path,
                                                       std::u16string_view name) override;

  // The code of the first call that failed other than by a denied access; S_OK while there is none. The
  // first one is the cause: what follows a failure is the undoing of what came before it.
  HRESULT FirstFailure() const { return firstFailure_; }

 private:
  Outcome Noted(LONG status);

  HRESULT firstFailure_ = S_OK;
};

}  // namespace tandrel::win
