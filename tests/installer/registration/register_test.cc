#include "installer/registration/register.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/installer/registration/registration_fixture.h"

namespace tandrel::registration::testing {
namespace {

// The server's lines under `classes`: "HKCR" for the machine, "HKCU\Software\Classes" for the user.
std::set<std::string> ServerLines(const std::string& classes) {
  const std::string clsid = classes + "\\CLSID\\{E7F1DDAD-B6F6-49A1-880E-215711778A12}";
  const std::string progId = classes + "\\Tandrel.Connect";
  const std::string typeLibrary = classes + "\\TypeLib\\{663A8AA0-DB51-4FBE-9CEE-D4CB47B5E6A4}";
  return {
      "+" + clsid,
      "+" + clsid + " @ = \"Tandrel.Connect\"",
      "+" + clsid + "\\InprocServer32",
      "+" + clsid + "\\InprocServer32 @ = \"C:\\Program Files\\Tandrel\\Tandrel.dll\"",
      "+" + clsid + "\\InprocServer32 ThreadingModel = \"Apartment\"",
      "+" + clsid + "\\ProgID",
      "+" + clsid + "\\ProgID @ = \"Tandrel.Connect\"",
      "+" + clsid + "\\TypeLib",
      "+" + clsid + "\\TypeLib @ = \"{663A8AA0-DB51-4FBE-9CEE-D4CB47B5E6A4}\"",
      "+" + progId,
      "+" + progId + " @ = \"Tandrel.Connect\"",
      "+" + progId + "\\CLSID",
      "+" + progId + "\\CLSID @ = \"{E7F1DDAD-B6F6-49A1-880E-215711778A12}\"",
      "+" + typeLibrary,
      "+" + typeLibrary + "\\1.0",
      "+" + typeLibrary + "\\1.0\\0",
      "+" + typeLibrary + "\\1.0\\0\\win32",
      "+" + typeLibrary + "\\1.0\\0\\win32 @ = \"Tandrel\"",
  };
}

const std::string kAddinKey = "HKCU\\Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Tandrel.Connect";
const std::set<std::string> kAddinLines = {
    "+" + kAddinKey,
    "+" + kAddinKey + " FriendlyName = \"Tandrel 2.0\"",
    "+" + kAddinKey +
        " Description = \"Finds matching parentheses, quotation marks and keywords. \\u000D\\u000A\"",
    "+" + kAddinKey + " LoadBehavior = dword:5",
    "+" + kAddinKey + " CommandLineSafe = dword:1",
};

std::set<std::string> Both(std::set<std::string> lines, const std::set<std::string>& more) {
  lines.insert(more.begin(), more.end());
  return lines;
}

constexpr RegistrationResult kForMachine{Outcome::kDone, Part::kNone, Scope::kMachine};
constexpr RegistrationResult kForUser{Outcome::kDone, Part::kNone, Scope::kUser};

struct RegisterCase {
  std::string what;
  bool carriesRecord;
  int times;  // registrations in a row
  std::set<Hive> deniedKeys;
  std::set<Scope> deniedLibraries;
  RegistrationResult result;
  std::set<std::string> changes;
};

TEST(Register, WritesClassesForTheMachineElseForTheUser) {
  const std::string machine = "HKCR";
  const std::string user = "HKCU\\Software\\Classes";
  const std::vector<RegisterCase> cases = {
      {"as an administrator", true, 1, {}, {}, kForMachine, Both(ServerLines(machine), kAddinLines)},
      {"twice", true, 2, {}, {}, kForMachine, Both(ServerLines(machine), kAddinLines)},
      {"without an add-in record", false, 1, {}, {}, kForMachine, ServerLines(machine)},
      // A user without administrator rights.
      {"machine's classes denied",
       true,
       1,
       {Hive::kClassesRoot},
       {},
       kForUser,
       Both(ServerLines(user), kAddinLines)},
      {"machine's type library denied, after its classes were written",
       true,
       1,
       {},
       {Scope::kMachine},
       kForUser,
       Both(ServerLines(user), kAddinLines)},
      {"machine's classes denied, twice",
       true,
       2,
       {Hive::kClassesRoot},
       {},
       kForUser,
       Both(ServerLines(user), kAddinLines)},
      {"machine's classes denied, without an add-in record",
       false,
       1,
       {Hive::kClassesRoot},
       {},
       kForUser,
       ServerLines(user)},
      // Nowhere to go: nothing stays behind.
      {"user's classes denied as well",
       true,
       1,
       {Hive::kClassesRoot, Hive::kCurrentUser},
       {},
       {Outcome::kDenied, Part::kRegistry, Scope::kMachine},
       {}},
      {"user's type library denied as well",
       true,
       1,
       {},
       {Scope::kMachine, Scope::kUser},
       {Outcome::kDenied, Part::kTypeLibrary, Scope::kMachine},
       {}},
      {"the IDE's add-in list denied",
       true,
       1,
       {Hive::kCurrentUser},
       {},
       {Outcome::kDenied, Part::kRegistry, Scope::kMachine},
       {}},
  };
  for (const RegisterCase& row : cases) {
    Machine machineState;
    machineState.registry.DenyWrites(row.deniedKeys);
    machineState.libraries.Deny(row.deniedLibraries);
    const ServerRegistration server = row.carriesRecord ? WithAddinRecord() : WithoutAddinRecord();
    const auto before = machineState.registry.Lines();
    RegistrationResult result;
    for (int time = 0; time < row.times; ++time) result = machineState.Register(server);
    EXPECT_EQ(result, row.result) << row.what;
    EXPECT_EQ(Changes(before, machineState.registry.Lines()), row.changes) << row.what;
  }
}

struct UnregisterCase {
  std::string what;
  bool carriesRecord;
  std::vector<std::set<Hive>> registrations;  // each with the keys it was denied
  bool otherPlatformRegistered = false;       // the same library, from the other platform's build
};

TEST(Unregister, LeavesTheRegistryAsItWasBeforeRegistration) {
  const std::vector<UnregisterCase> cases = {
      {"never registered", true, {}},
      {"registered as an administrator", true, {{}}},
      {"registered twice", true, {{}, {}}},
      {"registered for the user", true, {{Hive::kClassesRoot}}},
      {"registered for the user, then as an administrator", true, {{Hive::kClassesRoot}, {}}},
      {"registered without an add-in record", false, {{}}},
      {"registered for the user without an add-in record", false, {{Hive::kClassesRoot}}},
      {"never registered, the other platform's build registered", true, {}, true},
      {"registered beside the other platform's build", true, {{}}, true},
  };
  for (const UnregisterCase& row : cases) {
    Machine machine;
    const ServerRegistration server = row.carriesRecord ? WithAddinRecord() : WithoutAddinRecord();
    if (row.otherPlatformRegistered) {
      machine.registry.Add(Hive::kClassesRoot,
                           u"TypeLib\\{663A8AA0-DB51-4FBE-9CEE-D4CB47B5E6A4}\\1.0\\0\\win64", u"",
                           u"C:\\Program Files\\Tandrel\\x64\\Tandrel.dll");
    }
    const auto before = machine.registry.Lines();
    for (const std::set<Hive>& denied : row.registrations) {
      machine.registry.DenyWrites(denied);
      machine.Register(server);
    }
    machine.registry.DenyWrites({});
    const RegistrationResult result = machine.Unregister(server);
    EXPECT_EQ(result, kForMachine) << row.what;
    EXPECT_EQ(Changes(before, machine.registry.Lines()), std::set<std::string>{}) << row.what;
  }
}

TEST(Unregister, ByAUserRemovesTheUsersEntriesAndReportsTheMachinesAsDenied) {
  Machine machine;
  const auto before = machine.registry.Lines();
  machine.Register(WithAddinRecord());
  machine.registry.DenyWrites({Hive::kClassesRoot});
  machine.Register(WithAddinRecord());
  machine.libraries.Deny({Scope::kMachine});

  const RegistrationResult result = machine.Unregister(WithAddinRecord());

  EXPECT_EQ(result, (RegistrationResult{Outcome::kDenied, Part::kTypeLibrary, Scope::kMachine}));
  EXPECT_EQ(Changes(before, machine.registry.Lines()), ServerLines("HKCR"));
}

struct FailureCase {
  std::string what;
  bool registeredBefore;
  std::set<Hive> deniedKeys;
};

// Whichever write fails, the registry is left as registration found it.
TEST(Register, UndoesEverythingWhenAWriteFailsPartWay) {
  const std::vector<FailureCase> cases = {
      {"for the machine", false, {}},
      {"for the user", false, {Hive::kClassesRoot}},
      {"for the machine, over an earlier registration", true, {}},
      {"for the user, over an earlier registration", true, {Hive::kClassesRoot}},
  };
  for (const FailureCase& row : cases) {
    Machine measured;
    measured.registry.DenyWrites(row.deniedKeys);
    if (row.registeredBefore) measured.Register(WithAddinRecord());
    measured.registry.FailWrite(0);
    measured.Register(WithAddinRecord());
    const int writes = measured.registry.Writes();
    ASSERT_GT(writes, 10) << row.what;

    for (int failing = 1; failing <= writes; ++failing) {
      Machine machine;
      machine.registry.DenyWrites(row.deniedKeys);
      if (row.registeredBefore) machine.Register(WithAddinRecord());
      const auto before = machine.registry.Lines();
      machine.registry.FailWrite(failing);
      const RegistrationResult result = machine.Register(WithAddinRecord());
      EXPECT_EQ(std::make_pair(result.outcome, Changes(before, machine.registry.Lines())),
                std::make_pair(Outcome::kFailed, std::set<std::string>{}))
          << row.what << ", write " << failing << " of " << writes << " failing";
    }
  }
}

}  // namespace
}  // namespace tandrel::registration::testing
