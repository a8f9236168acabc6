#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "installer/registration/registry_port.h"
#include "installer/registration/registry_rows.h"

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
  Scope scope = Scope::kMachine;  // where the classes went, after a registration that was done

  bool operator==(const RegistrationResult&) const = default;
};

// Registers the classes for the machine, as an administrator's regsvr32 does; where the machine's classes are
// denied, for the current user instead. Then the add-in list entry. A failure undoes everything this call
// wrote; registering again over a registration is done.
RegistrationResult Register(const ServerRegistration& registration, RegistryPort& registry,
                            TypeLibraryPort& typeLibraries);

// Removes what Register writes, from both scopes, and nothing else. It goes on past a failure, so that as
// much as can go is gone, and reports the first failure.
RegistrationResult Unregister(const ServerRegistration& registration, RegistryPort& registry,
                              TypeLibraryPort& typeLibraries);

}  // namespace tandrel::registration
