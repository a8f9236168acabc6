#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "installer/package_contents.h"
#include "installer/package_rows.h"
#include "tests/registration/row_lines.h"

namespace tandrel::installer {
namespace {

constexpr Deliverable kVb6{u"Tandrel", u"{C}", u"{L}", u"{I}", u"Help", AddinList::kVb6Designer};
constexpr Deliverable kVb5{u"TandrelVB5", u"{C}", u"{L}", u"{I}", u"Help", AddinList::kVb5IniFile};
constexpr Deliverable kVba{u"TandrelVBA", u"{C}", u"{L}", u"{I}", u"Help", AddinList::kVbaEditor};

// The rows outside the classes, where each IDE looks for its add-ins, and the INI lines.
std::vector<std::string> AddinListLines(const ServerRows& rows) {
  std::vector<std::string> lines;
  for (const auto& row : rows.registry.rows) {
    if (row.root != registration::RowRoot::kClasses) lines.push_back(registration::Describe(row));
  }
  for (const auto& owned : rows.registry.ownedKeys) {
    if (owned.root != registration::RowRoot::kClasses) {
      lines.push_back("owns " + std::string(owned.key.begin(), owned.key.end()));
    }
  }
  for (const IniLine& line : rows.iniLines) {
    const auto narrow = [](const std::u16string& text) { return std::string(text.begin(), text.end()); };
    lines.push_back(narrow(line.file) + " [" + narrow(line.section) + "] " + narrow(line.key) + "=" +
                    narrow(line.value));
  }
  return lines;
}

struct AddinListCase {
  const Deliverable* deliverable;
  Platform platform;
  std::vector<std::string> lines;
};

TEST(RowsOf, EnterEachDeliverableInItsIdesListOfAddins) {
  const std::string vb6 = "HKCU\\Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Tandrel.Connect";
  const std::string vba = "HKCU\\Software\\Microsoft\\VBA\\VBE\\6.0\\Addins";
  const std::string vbaDescription =
      " Description = \"Finds matching parentheses, quotation marks and keywords.\"";
  const std::vector<AddinListCase> cases = {
      {&kVb6,
       Platform::kWin32,
       {vb6 + " FriendlyName = \"Tandrel 2.0\"",
        vb6 + " Description = \"Finds matching parentheses, quotation marks and keywords. \\u000D\\u000A\"",
        vb6 + " LoadBehavior = dword:5", vb6 + " CommandLineSafe = dword:1",
        "owns Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Tandrel.Connect"}},
      {&kVb5, Platform::kWin32, {"VBADDIN.INI [Add-Ins32] TandrelVB5.Connect=0"}},
      {&kVba,
       Platform::kWin32,
       {vba + "\\TandrelVBA.Connect FriendlyName = \"Tandrel 2.0 for VBA\"",
        vba + "\\TandrelVBA.Connect" + vbaDescription, vba + "\\TandrelVBA.Connect LoadBehavior = dword:3",
        "owns Software\\Microsoft\\VBA\\VBE\\6.0\\Addins\\TandrelVBA.Connect"}},
      {&kVba,
       Platform::kWin64,
       {vba + "64\\TandrelVBA.Connect FriendlyName = \"Tandrel 2.0 for VBA\"",
        vba + "64\\TandrelVBA.Connect" + vbaDescription,
        vba + "64\\TandrelVBA.Connect LoadBehavior = dword:3",
        "owns Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64\\TandrelVBA.Connect"}},
  };
  for (const AddinListCase& row : cases) {
    const ServerRows rows = RowsOf(*row.deliverable, row.platform, u"C:\\T\\T.dll", u"C:\\T\\");
    EXPECT_EQ(AddinListLines(rows), row.lines)
        << std::string(row.deliverable->title.begin(), row.deliverable->title.end())
        << (row.platform == Platform::kWin64 ? " win64" : " win32");
  }
}

TEST(RowsOf, NameTheFileAndTheTypeLibraryOfThePlatform) {
  const struct {
    Platform platform;
    std::string libraryPath;
  } cases[] = {
      {Platform::kWin32, "HKCR\\TypeLib\\{L}\\1.0\\0\\win32 @ = \"C:\\T\\T.dll\""},
      {Platform::kWin64, "HKCR\\TypeLib\\{L}\\1.0\\0\\win64 @ = \"C:\\T\\T.dll\""},
  };
  for (const auto& row : cases) {
    std::vector<std::string> lines;
    for (const auto& entry : RowsOf(kVba, row.platform, u"C:\\T\\T.dll", u"C:\\T\\").registry.rows) {
      lines.push_back(registration::Describe(entry));
    }
    EXPECT_NE(std::find(lines.begin(), lines.end(), row.libraryPath), lines.end()) << row.libraryPath;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "HKCR\\CLSID\\{C}\\InprocServer32 @ = \"C:\\T\\T.dll\""),
              lines.end());
  }
}

TEST(ContentsOf, PutsTheThree32BitDllsInEachPackageAndThe64BitVbaDllInThe64BitOne) {
  const struct {
    PackageKind kind;
    std::vector<std::string> components;
  } cases[] = {
      {PackageKind::kX86,
       {"Tandrel_win32 in InstallFolder32", "TandrelVB5_win32 in InstallFolder32",
        "TandrelVBA_win32 in InstallFolder32"}},
      {PackageKind::kX64,
       {"Tandrel_win32 in InstallFolder32", "TandrelVB5_win32 in InstallFolder32",
        "TandrelVBA_win32 in InstallFolder32", "TandrelVBA_win64 in InstallFolder64"}},
  };
  for (const auto& row : cases) {
    std::vector<std::string> components;
    for (const PackageEntry& entry : ContentsOf(row.kind)) {
      components.push_back(ComponentIdOf(entry) + " in " + FolderIdOf(entry.platform));
    }
    EXPECT_EQ(components, row.components) << (row.kind == PackageKind::kX64 ? "x64" : "x86");
  }
}

}  // namespace
}  // namespace tandrel::installer
