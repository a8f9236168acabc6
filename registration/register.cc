#include "registration/register.h"

#include <optional>

#include "registration/addin_record.h"
#include "registration/transaction.h"

namespace tandrel::registration {
namespace {

constexpr RegistrationResult Failed(Outcome outcome, Part part) { return {outcome, part}; }

// The IDE's add-in list entry, when the server has one; nothing for a record that cannot be read.
std::optional<RegistryEntries> AddinEntries(const ServerRegistration& registration) {
  if (registration.addinRecord.empty()) return registration.addinList.value_or(RegistryEntries{});
  const std::optional<AddinRecord> record = ParseAddinRecord(registration.addinRecord);
  if (!record) return std::nullopt;
  return AddinListEntries(*record, registration.server.progId);
}

RegistrationResult WriteAll(const ServerRegistration& registration, const RegistryEntries& addinEntries,
                            Scope scope, Transaction& transaction) {
  const ServerIdentity& server = registration.server;
  if (const Outcome written = transaction.Write(ServerEntries(server), scope); written != Outcome::kDone) {
    return Failed(written, Part::kRegistry);
  }
  const Outcome registered = transaction.RegisterTypeLibrary(scope, TypeLibraryKey(server));
  if (registered != Outcome::kDone) return Failed(registered, Part::kTypeLibrary);
  // The add-in list entry has its own root; the scope does not move it.
  if (const Outcome written = transaction.Write(addinEntries, scope); written != Outcome::kDone) {
    return Failed(written, Part::kRegistry);
  }
  return {};
}

// Remembers the first failure of a series of steps that all run.
class FirstFailure {
 public:
  void Note(Outcome outcome, Part part) {
    if (outcome != Outcome::kDone && result_.outcome == Outcome::kDone) result_ = Failed(outcome, part);
  }
  RegistrationResult Result() const { return result_; }

 private:
  RegistrationResult result_;
};

void DeleteOwnedKeys(const RegistryEntries& entries, Scope scope, RegistryPort& registry,
                     FirstFailure& failure) {
  for (const OwnedKey& owned : entries.ownedKeys) {
    const Hive hive = HiveOf(owned.root, scope);
    const std::u16string path = PathIn(owned.root, owned.key);
    if (!owned.keptWhileOtherViewHas.empty() &&
        registry.KeyExistsInOtherView(hive, PathIn(owned.root, owned.keptWhileOtherViewHas))) {
      continue;
    }
    if (registry.KeyExists(hive, path)) failure.Note(registry.DeleteKey(hive, path), Part::kRegistry);
  }
}

}  // namespace

RegistrationResult Register(const ServerRegistration& registration, Scope scope, RegistryPort& registry,
                            TypeLibraryPort& typeLibraries) {
  const std::optional<RegistryEntries> addinEntries = AddinEntries(registration);
  if (!addinEntries) return Failed(Outcome::kFailed, Part::kAddinRecord);

  Transaction transaction(registry, typeLibraries);
  const RegistrationResult result = WriteAll(registration, *addinEntries, scope, transaction);
  if (result.outcome != Outcome::kDone) transaction.RollBack();
  return result;
}

RegistrationResult Unregister(const ServerRegistration& registration, Scope scope, RegistryPort& registry,
                              TypeLibraryPort& typeLibraries) {
  const std::optional<RegistryEntries> addinEntries = AddinEntries(registration);
  if (!addinEntries) return Failed(Outcome::kFailed, Part::kAddinRecord);

  FirstFailure failure;
  const Hive classes = HiveOf(RowRoot::kClasses, scope);
  if (registry.KeyExists(classes, PathIn(RowRoot::kClasses, TypeLibraryKey(registration.server)))) {
    failure.Note(typeLibraries.Unregister(scope), Part::kTypeLibrary);
  }
  DeleteOwnedKeys(ServerEntries(registration.server), scope, registry, failure);
  DeleteOwnedKeys(*addinEntries, scope, registry, failure);
  return failure.Result();
}

RegistrationResult EnterInAddinList(const ServerRegistration& registration, RegistryPort& registry,
                                    TypeLibraryPort& typeLibraries) {
  const std::optional<RegistryEntries> addinEntries = AddinEntries(registration);
  if (!addinEntries) return Failed(Outcome::kFailed, Part::kAddinRecord);
  Transaction transaction(registry, typeLibraries);
  // The entry has its own root; the scope places no row of it.
  const Outcome written = transaction.Write(*addinEntries, Scope::kUser);
  if (written == Outcome::kDone) return {};
  transaction.RollBack();
  return Failed(written, Part::kRegistry);
}

RegistrationResult RemoveFromAddinList(const ServerRegistration& registration, RegistryPort& registry) {
  const std::optional<RegistryEntries> addinEntries = AddinEntries(registration);
  if (!addinEntries) return Failed(Outcome::kFailed, Part::kAddinRecord);
  FirstFailure failure;
  DeleteOwnedKeys(*addinEntries, Scope::kUser, registry, failure);
  return failure.Result();
}

}  // namespace tandrel::registration
