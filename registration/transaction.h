#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "registration/registry_port.h"
#include "registration/registry_rows.h"

namespace tandrel::registration {

// Writes a server's entries so that a failure part-way can be undone: it remembers each key it creates, each
// value it replaces with the value that was there, and each type library it registers.
class Transaction {
 public:
  Transaction(RegistryPort& registry, TypeLibraryPort& typeLibraries)
      : registry_(registry), typeLibraries_(typeLibraries) {}

  // Creates the keys the rows need and sets the rows' values, with kClasses rows in `scope`.
  Outcome Write(const RegistryEntries& entries, Scope scope);
  // `key` is the library's key among the classes, which tells whether it was registered before.
  Outcome RegisterTypeLibrary(Scope scope, std::u16string_view key);
  // Undoes everything done so far, latest first, as far as the registry lets it.
  void RollBack();

 private:
  struct CreatedKey {
    Hive hive;
    std::u16string path;
  };
  struct ReplacedValue {
    Hive hive;
    std::u16string path;
    std::u16string name;
    std::optional<RegistryValue> before;
  };
  struct RegisteredLibrary {
    Scope scope;
  };

  Outcome CreateMissingKeys(Hive hive, std::u16string_view path);
  Outcome SetValue(Hive hive, const std::u16string& path, const std::u16string& name,
                   const RegistryValue& value);

  RegistryPort& registry_;
  TypeLibraryPort& typeLibraries_;
  std::vector<std::variant<CreatedKey, ReplacedValue, RegisteredLibrary>> undo_;
};

}  // namespace tandrel::registration
