#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "registration/registry_port.h"
#include "registration/registry_rows.h"

namespace tandrel::registration {

// What one server registers: its class, ProgID and type library, and where it carries one, the add-in
// designer's record from which the IDE's add-in list entry is written. A host whose add-ins have no such
// record (the Office VBA editor) gets its entry as rows.
struct ServerRegistration {
  ServerIdentity server;
  std::span<const std::uint8_t> addinRecord;  // empty: the entry, if any, is `addinList`
  std::optional<RegistryEntries> addinList = std::nullopt;
};

// Which part of the registration a failure came from, so that the caller can report that part's own error.
enum class Part { kNone, kRegistry, kTypeLibrary, kAddinRecord };

struct RegistrationResult {
  Outcome outcome = Outcome::kDone;
  Part failedPart = Part::kNone;

  bool operator==(const RegistrationResult&) const = default;
};

// Registers the classes and type library for `scope`, then the current user's add-in list entry. Where the
// scope is denied, so is the registration: there is no falling back from the machine to the user, whose
// classes an IDE running as administrator would not see. A failure undoes everything this call wrote;
// registering again over a registration is done.
RegistrationResult Register(const ServerRegistration& registration, Scope scope, RegistryPort& registry,
                            TypeLibraryPort& typeLibraries);

// Removes what Register writes for `scope`, and nothing else: the other scope's classes stay. It goes on
// past a failure, so that as much as can go is gone, and reports the first failure.
RegistrationResult Unregister(const ServerRegistration& registration, Scope scope, RegistryPort& registry,
                              TypeLibraryPort& typeLibraries);

// The current user's add-in list entry alone, for a server whose classes are registered already (for the
// machine, by a package): what each other user of the machine needs of their own. Writing over the entry is
// done; a failure undoes what this call wrote.
RegistrationResult EnterInAddinList(const ServerRegistration& registration, RegistryPort& registry,
                                    TypeLibraryPort& typeLibraries);
// Removes the current user's add-in list entry alone.
RegistrationResult RemoveFromAddinList(const ServerRegistration& registration, RegistryPort& registry);

}  // namespace tandrel::registration
