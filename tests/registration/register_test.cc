#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "registration/register.h"
#include "tests/registration/registration_fixture.h"

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

constexpr RegistrationResult kDone{};
const std::string kMachineClasses = "HKLM\\Software\\Classes";
const std::string kUserClasses = "HKCU\\Software\\Classes";

// The ProgID's lines among the server's, the key the two bitnesses' builds share.
std::set<std::string> ProgIdLines(const std::string& classes) {
  std::set<std::string> lines;
  for (const std::string& line : ServerLines(classes)) {
    if (line.starts_with("+" + classes + "\\Tandrel.Connect")) lines.insert(line);
  }
  return lines;
}

struct RegisterCase {
  std::string what;
  Scope scope = Scope::kMachine;
  std::optional<Scope> registeredBefore = std::nullopt;
  bool elevated = false;  // an elevated process sees the machine's classes alone
  bool carriesRecord = true;
  int times = 1;  // registrations in a row
  std::set<Hive> deniedKeys = {};
  std::set<Scope> deniedLibraries = {};
  RegistrationResult result = kDone;
  std::set<std::string> changes = {};
  bool seenByIde = true;  // an IDE running as this process does finds the class through HKEY_CLASSES_ROOT
};

TEST(Register, WritesTheClassesOfTheScopeAskedForAndNowhereElse) {
  const std::set<std::string> forMachine = Both(ServerLines(kMachineClasses), kAddinLines);
  const std::set<std::string> forUser = Both(ServerLines(kUserClasses), kAddinLines);
  const std::vector<RegisterCase> cases = {
      {.what = "for the machine", .changes = forMachine},
      {.what = "for the machine, twice", .times = 2, .changes = forMachine},
      {.what = "for the machine, without an add-in record",
       .carriesRecord = false,
       .changes = ServerLines(kMachineClasses)},
      // Where the user's classes hold the keys, a write through HKEY_CLASSES_ROOT would land there.
      {.what = "for the machine, over the user's registration",
       .registeredBefore = Scope::kUser,
       .changes = ServerLines(kMachineClasses)},
      {.what = "for the machine, over the user's registration, elevated",
       .registeredBefore = Scope::kUser,
       .elevated = true,
       .changes = ServerLines(kMachineClasses)},
      {.what = "for the machine, over its own registration", .registeredBefore = Scope::kMachine},
      // A user without administrator rights: no falling back to the user's classes.
      {.what = "for the machine, the machine's classes denied",
       .deniedKeys = {Hive::kLocalMachine},
       .result = {Outcome::kDenied, Part::kRegistry},
       .seenByIde = false},
      {.what = "for the machine, its type library denied after its classes were written",
       .deniedLibraries = {Scope::kMachine},
       .result = {Outcome::kDenied, Part::kTypeLibrary},
       .seenByIde = false},
      {.what = "for the machine, the IDE's add-in list denied",
       .deniedKeys = {Hive::kCurrentUser},
       .result = {Outcome::kDenied, Part::kRegistry},
       .seenByIde = false},
      {.what = "for the user", .scope = Scope::kUser, .changes = forUser},
      {.what = "for the user, over the machine's registration",
       .scope = Scope::kUser,
       .registeredBefore = Scope::kMachine,
       .changes = ServerLines(kUserClasses)},
      // What the README warns of: an IDE run as administrator ignores the user's classes.
      {.what = "for the user, elevated",
       .scope = Scope::kUser,
       .elevated = true,
       .changes = forUser,
       .seenByIde = false},
      {.what = "for the user, the user's registry denied",
       .scope = Scope::kUser,
       .deniedKeys = {Hive::kCurrentUser},
       .result = {Outcome::kDenied, Part::kRegistry},
       .seenByIde = false},
  };
  for (const RegisterCase& row : cases) {
    Machine machine;
    const ServerRegistration server = row.carriesRecord ? WithAddinRecord() : WithoutAddinRecord();
    if (row.registeredBefore) machine.Register(server, *row.registeredBefore);
    if (row.elevated) machine.registry.Elevate();
    machine.registry.DenyWrites(row.deniedKeys);
    machine.libraries.Deny(row.deniedLibraries);
    const auto before = machine.registry.Lines();
    RegistrationResult result;
    for (int time = 0; time < row.times; ++time) result = machine.Register(server, row.scope);
    EXPECT_EQ(result, row.result) << row.what;
    EXPECT_EQ(Changes(before, machine.registry.Lines()), row.changes) << row.what;
    EXPECT_EQ(machine.registry.KeyExists(Hive::kClassesRoot,
                                         u"CLSID\\{E7F1DDAD-B6F6-49A1-880E-215711778A12}\\InprocServer32"),
              row.seenByIde)
        << row.what;
  }
}

struct UnregisterCase {
  std::string what;
  bool carriesRecord;
  std::vector<Scope> registrations;  // each scope is unregistered after, the machine's where there is none
  bool otherPlatformRegistered = false;  // the same library, from the other platform's build
};

TEST(Unregister, LeavesTheRegistryAsItWasBeforeRegistration) {
  const std::vector<UnregisterCase> cases = {
      {"never registered", true, {}},
      {"registered for the machine", true, {Scope::kMachine}},
      {"registered twice", true, {Scope::kMachine, Scope::kMachine}},
      {"registered for the user", true, {Scope::kUser}},
      {"registered for the user, then for the machine", true, {Scope::kUser, Scope::kMachine}},
      {"registered without an add-in record", false, {Scope::kMachine}},
      {"registered for the user without an add-in record", false, {Scope::kUser}},
      {"never registered, the other platform's build registered", true, {}, true},
      {"registered beside the other platform's build", true, {Scope::kMachine}, true},
  };
  for (const UnregisterCase& row : cases) {
    Machine machine;
    const ServerRegistration server = row.carriesRecord ? WithAddinRecord() : WithoutAddinRecord();
    if (row.otherPlatformRegistered) {
      machine.registry.Add(
          Hive::kLocalMachine,
          u"Software\\Classes\\TypeLib\\{663A8AA0-DB51-4FBE-9CEE-D4CB47B5E6A4}\\1.0\\0\\win64", u"",
          u"C:\\Program Files\\Tandrel\\x64\\Tandrel.dll");
    }
    const auto before = machine.registry.Lines();
    for (const Scope scope : row.registrations) machine.Register(server, scope);
    std::set<Scope> scopes(row.registrations.begin(), row.registrations.end());
    if (scopes.empty()) scopes.insert(Scope::kMachine);
    for (const Scope scope : scopes) EXPECT_EQ(machine.Unregister(server, scope), kDone) << row.what;
    EXPECT_EQ(Changes(before, machine.registry.Lines()), std::set<std::string>{}) << row.what;
  }
}

struct OneScopeCase {
  std::string what;
  std::vector<Scope> registrations;
  Scope unregistered;
  std::optional<Scope> otherBitnessRegistered;  // the other view's class key, for that scope
  std::set<Hive> deniedKeys;
  RegistrationResult result;
  std::set<std::string> changes;  // after unregistration, against the registry before registration
};

TEST(Unregister, RemovesOneScopeAndKeepsWhatTheOthersNeed) {
  const std::vector<OneScopeCase> cases = {
      {"the user's, the machine's staying",
       {Scope::kMachine, Scope::kUser},
       Scope::kUser,
       std::nullopt,
       {},
       kDone,
       ServerLines(kMachineClasses)},
      {"the machine's, the user's staying",
       {Scope::kUser, Scope::kMachine},
       Scope::kMachine,
       std::nullopt,
       {},
       kDone,
       ServerLines(kUserClasses)},
      // On 64-bit Windows the ProgID is one key for both bitnesses' builds.
      {"the machine's, the other bitness's build still registered for the machine",
       {Scope::kMachine},
       Scope::kMachine,
       Scope::kMachine,
       {},
       kDone,
       ProgIdLines(kMachineClasses)},
      {"the user's, the other bitness's build still registered for the user",
       {Scope::kUser},
       Scope::kUser,
       Scope::kUser,
       {},
       kDone,
       ProgIdLines(kUserClasses)},
      {"the machine's, the other bitness's build registered for the user alone",
       {Scope::kMachine},
       Scope::kMachine,
       Scope::kUser,
       {},
       kDone,
       {}},
      {"the machine's, by a user without administrator rights",
       {Scope::kMachine},
       Scope::kMachine,
       std::nullopt,
       {Hive::kLocalMachine},
       {Outcome::kDenied, Part::kTypeLibrary},
       ServerLines(kMachineClasses)},
  };
  for (const OneScopeCase& row : cases) {
    Machine machine;
    const auto before = machine.registry.Lines();
    for (const Scope scope : row.registrations) machine.Register(WithAddinRecord(), scope);
    if (row.otherBitnessRegistered) {
      machine.registry.AddToOtherView(HiveOf(RowRoot::kClasses, *row.otherBitnessRegistered),
                                      u"Software\\Classes\\CLSID\\{E7F1DDAD-B6F6-49A1-880E-215711778A12}");
    }
    machine.registry.DenyWrites(row.deniedKeys);
    EXPECT_EQ(machine.Unregister(WithAddinRecord(), row.unregistered), row.result) << row.what;
    EXPECT_EQ(Changes(before, machine.registry.Lines()), row.changes) << row.what;
  }
}

struct AddinListCase {
  std::string what;
  bool machineRegistered;
  bool carriesRecord;
  std::set<Hive> deniedKeys;
  RegistrationResult result;
  std::set<std::string> changes;
};

// What each other user of a machine the package registered gets: the list entry, never classes of their own.
TEST(AddinList, EntersTheUsersEntryAloneAndTakesItOutAgain) {
  const std::vector<AddinListCase> cases = {
      {"over the machine's registration", true, true, {}, kDone, kAddinLines},
      {"nothing registered", false, true, {}, kDone, kAddinLines},
      {"without an add-in record", true, false, {}, kDone, {}},
      {"the user's registry denied",
       true,
       true,
       {Hive::kCurrentUser},
       {Outcome::kDenied, Part::kRegistry},
       {}},
  };
  for (const AddinListCase& row : cases) {
    Machine machine;
    const ServerRegistration server = row.carriesRecord ? WithAddinRecord() : WithoutAddinRecord();
    if (row.machineRegistered) {
      machine.Register(server);
      machine.registry.Remove(Hive::kCurrentUser,
                              u"Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Tandrel.Connect");
    }
    const auto before = machine.registry.Lines();
    machine.registry.DenyWrites(row.deniedKeys);
    for (int time = 0; time < 2; ++time) {
      EXPECT_EQ(EnterInAddinList(server, machine.registry, machine.libraries), row.result) << row.what;
    }
    EXPECT_EQ(Changes(before, machine.registry.Lines()), row.changes) << row.what;
    machine.registry.DenyWrites({});
    EXPECT_EQ(RemoveFromAddinList(server, machine.registry), kDone) << row.what;
    EXPECT_EQ(Changes(before, machine.registry.Lines()), std::set<std::string>{}) << row.what;
  }
}

struct FailureCase {
  std::string what;
  Scope scope;
  bool registeredBefore;
};

// Whichever write fails, the registry is left as registration found it.
TEST(Register, UndoesEverythingWhenAWriteFailsPartWay) {
  const std::vector<FailureCase> cases = {
      {"for the machine", Scope::kMachine, false},
      {"for the user", Scope::kUser, false},
      {"for the machine, over an earlier registration", Scope::kMachine, true},
      {"for the user, over an earlier registration", Scope::kUser, true},
  };
  for (const FailureCase& row : cases) {
    Machine measured;
    if (row.registeredBefore) measured.Register(WithAddinRecord(), row.scope);
    measured.registry.FailWrite(0);
    measured.Register(WithAddinRecord(), row.scope);
    const int writes = measured.registry.Writes();
    ASSERT_GT(writes, 10) << row.what;

    for (int failing = 1; failing <= writes; ++failing) {
      Machine machine;
      if (row.registeredBefore) machine.Register(WithAddinRecord(), row.scope);
      const auto before = machine.registry.Lines();
      machine.registry.FailWrite(failing);
      const RegistrationResult result = machine.Register(WithAddinRecord(), row.scope);
      EXPECT_EQ(std::make_pair(result.outcome, Changes(before, machine.registry.Lines())),
                std::make_pair(Outcome::kFailed, std::set<std::string>{}))
          << row.what << ", write " << failing << " of " << writes << " failing";
    }
  }
}

}  // namespace
}  // namespace tandrel::registration::testing
