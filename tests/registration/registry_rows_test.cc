#include "registration/registry_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registration/vb6_addin_record.h"
#include "tests/registration/row_lines.h"

namespace tandrel::registration {
namespace {

struct AddinCase {
  std::string what;
  AddinRecord record;
  std::vector<std::string> rows;  // none: the record has no entry this registration can write
};

AddinRecord WithRoot(std::string_view root) {
  AddinRecord record = kVb6Addin;
  record.registryRoot = root;
  return record;
}

TEST(AddinListEntries, PutsTheFourValuesUnderTheRecordsRoot) {
  const std::string addins = "Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Tandrel.Connect";
  AddinRecord withSatellite = kVb6Addin;
  withSatellite.satelliteLibrary = "TandrelRes.dll";
  AddinRecord withMoreKeys = kVb6Addin;
  withMoreKeys.additionalKey = "Settings";
  const std::vector<AddinCase> cases = {
      {"the deliverable's own record",
       kVb6Addin,
       {"HKCU\\" + addins + " FriendlyName = \"Tandrel 2.0\"",
        "HKCU\\" + addins +
            " Description = \"Finds matching parentheses, quotation marks and keywords. \\u000D\\u000A\"",
        "HKCU\\" + addins + " LoadBehavior = dword:5", "HKCU\\" + addins + " CommandLineSafe = dword:1"}},
      {"the machine's IDE",
       WithRoot("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Visual Basic\\6.0"),
       {"HKLM\\" + addins + " FriendlyName = \"Tandrel 2.0\"",
        "HKLM\\" + addins +
            " Description = \"Finds matching parentheses, quotation marks and keywords. \\u000D\\u000A\"",
        "HKLM\\" + addins + " LoadBehavior = dword:5", "HKLM\\" + addins + " CommandLineSafe = dword:1"}},
      {"a root that is a predefined key alone",
       WithRoot("HKEY_CURRENT_USER"),
       {"HKCU\\Addins\\Tandrel.Connect FriendlyName = \"Tandrel 2.0\"",
        "HKCU\\Addins\\Tandrel.Connect Description = \"Finds matching parentheses, quotation marks and "
        "keywords. \\u000D\\u000A\"",
        "HKCU\\Addins\\Tandrel.Connect LoadBehavior = dword:5",
        "HKCU\\Addins\\Tandrel.Connect CommandLineSafe = dword:1"}},
      {"another predefined key",
       WithRoot("HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Visual Basic\\6.0"),
       {}},
      {"a short name of a predefined key", WithRoot("HKCU\\Software\\Microsoft\\Visual Basic\\6.0"), {}},
      {"no root", WithRoot(""), {}},
      {"a satellite library", withSatellite, {}},
      {"an additional key", withMoreKeys, {}},
  };
  for (const AddinCase& row : cases) {
    std::vector<std::string> rows;
    if (const auto entries = AddinListEntries(row.record, u"Tandrel.Connect")) {
      for (const RegistryRow& entry : entries->rows) rows.push_back(Describe(entry));
    }
    EXPECT_EQ(rows, row.rows) << row.what;
  }
}

}  // namespace
}  // namespace tandrel::registration
