#include "registration/transaction.h"

namespace tandrel::registration {

Outcome Transaction::Write(const RegistryEntries& entries, Scope scope) {
  for (const RegistryRow& row : entries.rows) {
    const Hive hive = HiveOf(row.root, scope);
    const std::u16string path = PathIn(row.root, row.key);
    if (const Outcome created = CreateMissingKeys(hive, path); created != Outcome::kDone) return created;
    if (const Outcome set = SetValue(hive, path, row.name, row.value); set != Outcome::kDone) return set;
  }
  return Outcome::kDone;
}

Outcome Transaction::RegisterTypeLibrary(Scope scope, std::u16string_view key) {
  const bool registeredBefore =
      registry_.KeyExists(HiveOf(RowRoot::kClasses, scope), PathIn(RowRoot::kClasses, key));
  const Outcome registered = typeLibraries_.Register(scope);
  if (registered == Outcome::kDone && !registeredBefore) undo_.emplace_back(RegisteredLibrary{scope});
  return registered;
}

void Transaction::RollBack() {
  for (auto step = undo_.rbegin(); step != undo_.rend(); ++step) {
    if (const auto* key = std::get_if<CreatedKey>(&*step)) {
      registry_.DeleteKey(key->hive, key->path);
    } else if (const auto* value = std::get_if<ReplacedValue>(&*step)) {
      if (value->before) {
        registry_.SetValue(value->hive, value->path, value->name, *value->before);
      } else {
        registry_.DeleteValue(value->hive, value->path, value->name);
      }
    } else {
      typeLibraries_.Unregister(std::get<RegisteredLibrary>(*step).scope);
    }
  }
  undo_.clear();
}

// Key by key from the top, so that the undo knows exactly which ones did not exist.
Outcome Transaction::CreateMissingKeys(Hive hive, std::u16string_view path) {
  for (std::size_t end = 0; end != std::u16string_view::npos;) {
    end = path.find(u'\\', end + 1);
    const std::u16string prefix(path.substr(0, end));
    if (registry_.KeyExists(hive, prefix)) continue;
    if (const Outcome created = registry_.CreateKey(hive, prefix); created != Outcome::kDone) return created;
    undo_.emplace_back(CreatedKey{hive, prefix});
  }
  return Outcome::kDone;
}

Outcome Transaction::SetValue(Hive hive, const std::u16string& path, const std::u16string& name,
                              const RegistryValue& value) {
  std::optional<RegistryValue> before = registry_.ReadValue(hive, path, name);
  const Outcome set = registry_.SetValue(hive, path, name, value);
  if (set == Outcome::kDone) undo_.emplace_back(ReplacedValue{hive, path, name, std::move(before)});
  return set;
}

}  // namespace tandrel::registration
