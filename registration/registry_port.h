#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tandrel::registration {

// The registry's predefined keys. HKEY_CLASSES_ROOT is the view that programs read classes through: the
// user's classes over the machine's, or the machine's alone in an elevated process. Registration writes
// each scope's classes where they are stored, never through it: a value written there lands among the
// user's classes wherever the key exists there.
enum class Hive { kClassesRoot, kCurrentUser, kLocalMachine };

// A value as the entries write it: REG_SZ text or a REG_DWORD number.
using RegistryValue = std::variant<std::u16string, std::uint32_t>;

// How a write went. Access denied is an outcome of its own: regsvr32 reports it as such, so that a user
// without administrator rights learns to register for themselves.
enum class Outcome { kDone, kDenied, kFailed };

// Where a server's classes and type library are registered: for every user of the machine (what an
// administrator's regsvr32 does), or for the current user alone (regsvr32 /n /i:user). An IDE running as
// administrator sees the machine's classes alone.
enum class Scope { kMachine, kUser };

// The few registry operations registration needs. Abstract so that the algorithm can be tested against an
// in-memory registry; the real one is win/registration's Win32Registry.
class RegistryPort {
 public:
  virtual ~RegistryPort() = default;

  // Creates `path` under `hive`; its parent exists. Creating a key that exists is done.
  virtual Outcome CreateKey(Hive hive, std::u16string_view path) = 0;
  // An empty `name` is the key's default value.
  virtual Outcome SetValue(Hive hive, std::u16string_view path, std::u16string_view name,
                           const RegistryValue& value) = 0;
  virtual Outcome DeleteValue(Hive hive, std::u16string_view path, std::u16string_view name) = 0;
  // Deletes the key with everything below it.
  virtual Outcome DeleteKey(Hive hive, std::u16string_view path) = 0;
  virtual bool KeyExists(Hive hive, std::u16string_view path) = 0;
  // Whether the key exists in the other registry view: on 64-bit Windows, where 32-bit and 64-bit programs
  // see CLSID keys of their own, the other bitness's; on 32-bit Windows, the one view there is.
  virtual bool KeyExistsInOtherView(Hive hive, std::u16string_view path) = 0;
  // The value when it exists and is text or a number; nothing otherwise.
  virtual std::optional<RegistryValue> ReadValue(Hive hive, std::u16string_view path,
                                                 std::u16string_view name) = 0;
};

// Registers the server's own type library. Abstract for the same reason; the real one is
// win/registration's Win32TypeLibraries.
class TypeLibraryPort {
 public:
  virtual ~TypeLibraryPort() = default;

  virtual Outcome Register(Scope scope) = 0;
  virtual Outcome Unregister(Scope scope) = 0;
};

}  // namespace tandrel::registration
