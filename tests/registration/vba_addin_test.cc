#include "registration/vba_addin.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/registration/registration_fixture.h"
#include "tests/registration/row_lines.h"

namespace tandrel::registration::testing {
namespace {

const std::string kAddins = "HKCU\\Software\\Microsoft\\VBA\\VBE\\6.0\\Addins";

struct EditorCase {
  OfficeBitness bitness;
  std::vector<std::string> rows;
};

TEST(EditorAddinListEntries, GoUnderTheListOfTheOfficeBitness) {
  const std::vector<EditorCase> cases = {
      {OfficeBitness::k32,
       {kAddins + "\\TandrelVBA.Connect FriendlyName = \"Tandrel 2.0 for VBA\"",
        kAddins + "\\TandrelVBA.Connect Description = \"Finds matching parentheses, quotation marks and "
                  "keywords.\"",
        kAddins + "\\TandrelVBA.Connect LoadBehavior = dword:3"}},
      {OfficeBitness::k64,
       {kAddins + "64\\TandrelVBA.Connect FriendlyName = \"Tandrel 2.0 for VBA\"",
        kAddins + "64\\TandrelVBA.Connect Description = \"Finds matching parentheses, quotation marks and "
                  "keywords.\"",
        kAddins + "64\\TandrelVBA.Connect LoadBehavior = dword:3"}},
  };
  for (const EditorCase& row : cases) {
    std::vector<std::string> rows;
    const RegistryEntries entries = EditorAddinListEntries(kVbaAddin, u"TandrelVBA.Connect", row.bitness);
    for (const RegistryRow& entry : entries.rows) rows.push_back(Describe(entry));
    EXPECT_EQ(rows, row.rows) << (row.bitness == OfficeBitness::k64 ? "64-bit" : "32-bit");
  }
}

struct EditorRegistrationCase {
  std::string what;
  Scope scope;
  std::set<Hive> deniedKeys;
  RegistrationResult result;
  bool entryWritten;
};

// The editor reads the current user's list alone: the scope of the classes does not move the entry, and an
// entry that cannot be written there fails the registration.
TEST(Register, WritesTheEditorsEntryInTheUsersListAndUnregistrationRemovesIt) {
  const std::string key = "HKCU\\Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64\\Tandrel.Connect";
  const std::vector<EditorRegistrationCase> cases = {
      {"for the machine", Scope::kMachine, {}, {}, true},
      {"for the user", Scope::kUser, {Hive::kLocalMachine}, {}, true},
      {"for the machine, the machine's classes denied",
       Scope::kMachine,
       {Hive::kLocalMachine},
       {Outcome::kDenied, Part::kRegistry},
       false},
      {"the user's registry denied",
       Scope::kMachine,
       {Hive::kCurrentUser},
       {Outcome::kDenied, Part::kRegistry},
       false},
  };
  ServerRegistration server = WithoutAddinRecord();
  server.addinList = EditorAddinListEntries(kVbaAddin, server.server.progId, OfficeBitness::k64);
  for (const EditorRegistrationCase& row : cases) {
    Machine machine;
    // The list itself is Office's, and stays.
    machine.registry.Add(Hive::kCurrentUser, u"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64");
    const auto before = machine.registry.Lines();
    machine.registry.DenyWrites(row.deniedKeys);
    EXPECT_EQ(machine.Register(server, row.scope), row.result) << row.what;
    EXPECT_EQ(Changes(before, machine.registry.Lines()).contains("+" + key + " LoadBehavior = dword:3"),
              row.entryWritten)
        << row.what;

    machine.registry.DenyWrites({});
    EXPECT_EQ(machine.Unregister(server, row.scope).outcome, Outcome::kDone) << row.what;
    EXPECT_EQ(Changes(before, machine.registry.Lines()), std::set<std::string>{}) << row.what;
  }
}

}  // namespace
}  // namespace tandrel::registration::testing
