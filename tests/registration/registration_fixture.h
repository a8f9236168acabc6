#pragma once

#include <ostream>
#include <set>
#include <string>

#include "registration/register.h"
#include "registration/vb6_addin_record.h"
#include "tests/registration/fake_registry.h"

namespace tandrel::registration {

inline std::ostream& operator<<(std::ostream& out, const RegistrationResult& result) {
  static constexpr const char* kOutcomes[] = {"done", "denied", "failed"};
  static constexpr const char* kParts[] = {"", " in the registry", " in the type library", " in the record"};
  return out << kOutcomes[static_cast<int>(result.outcome)] << kParts[static_cast<int>(result.failedPart)];
}

namespace testing {

inline const ServerIdentity kServer{
    .progId = u"Tandrel.Connect",
    .clsid = u"{E7F1DDAD-B6F6-49A1-880E-215711778A12}",
    .libid = u"{663A8AA0-DB51-4FBE-9CEE-D4CB47B5E6A4}",
    .typeLibraryEntry = u"1.0\\0\\win32",
    .serverPath = u"C:\\Program Files\\Tandrel\\Tandrel.dll",
};

// The registration of the deliverable that carries the add-in record, and of the one that does not.
inline ServerRegistration WithAddinRecord() { return {kServer, kVb6AddinRecord}; }
inline ServerRegistration WithoutAddinRecord() { return {kServer, {}}; }

// A machine whose registry already holds the shared keys and another server and add-in, which registration
// must leave as they are.
class Machine {
 public:
  Machine() : libraries(registry, TypeLibraryKey(kServer), u"Tandrel") {
    registry.Add(Hive::kClassesRoot, u"CLSID\\{00000000-1111-2222-3333-444444444444}\\InprocServer32", u"",
                 u"C:\\Windows\\other.dll");
    registry.Add(Hive::kClassesRoot, u"TypeLib");
    registry.Add(Hive::kCurrentUser, u"Software\\Classes\\CLSID");
    registry.Add(Hive::kCurrentUser, u"Software\\Classes\\TypeLib");
    registry.Add(Hive::kCurrentUser, u"Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Other.Connect",
                 u"FriendlyName", u"Other");
    registry.Add(Hive::kCurrentUser, u"Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Other.Connect",
                 u"LoadBehavior", std::uint32_t{0});
  }

  RegistrationResult Register(const ServerRegistration& server, Scope scope = Scope::kMachine) {
    return registration::Register(server, scope, registry, libraries);
  }
  RegistrationResult Unregister(const ServerRegistration& server, Scope scope = Scope::kMachine) {
    return registration::Unregister(server, scope, registry, libraries);
  }

  FakeRegistry registry;
  FakeTypeLibraries libraries;
};

// What changed between two states of the registry: "+" before each line that came, "-" before each that went.
inline std::set<std::string> Changes(const std::set<std::string>& before,
                                     const std::set<std::string>& after) {
  std::set<std::string> changes;
  for (const std::string& line : after) {
    if (!before.contains(line)) changes.insert("+" + line);
  }
  for (const std::string& line : before) {
    if (!after.contains(line)) changes.insert("-" + line);
  }
  return changes;
}

}  // namespace testing
}  // namespace tandrel::registration
