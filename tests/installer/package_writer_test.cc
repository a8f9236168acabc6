#include "installer/package_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tandrel::installer {
namespace {

using registration::RegistryRow;
using registration::RowRoot;

PackageComponent ComponentWith(std::vector<RegistryRow> rows, Platform platform = Platform::kWin32) {
  PackageComponent component{.id = "T_win32",
                             .folderId = "InstallFolder32",
                             .source = "x86/T.dll",
                             .fileName = u"T.dll",
                             .platform = platform,
                             .rows = {}};
  component.rows.registry.rows = std::move(rows);
  return component;
}

// The lines of `text` that hold `needle`.
std::vector<std::string> LinesWith(const std::string& text, std::string_view needle) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
    end = text.find('\n', at);
    const std::string line = text.substr(at, end - at);
    if (line.find(needle) != std::string::npos) lines.push_back(line.substr(line.find_first_not_of(' ')));
  }
  return lines;
}

struct ValueCase {
  std::string what;
  RegistryRow row;
  std::string element;
};

TEST(WixFragment, WritesEachRowAsAValueTheInstallerWritesAsItStands) {
  const std::vector<ValueCase> cases = {
      {"the file's own path",
       {RowRoot::kClasses, u"CLSID\\{C}\\InprocServer32", u"", u"[#T_win32.dll]"},
       R"x(<RegistryValue Root="HKCR" Key="CLSID\{C}\InprocServer32" Type="string" Value="[#T_win32.dll]"/>)x"},
      {"the file's folder",
       {RowRoot::kClasses, u"TypeLib\\{L}\\1.0\\HELPDIR", u"", u"[InstallFolder32]"},
       R"x(<RegistryValue Root="HKCR" Key="TypeLib\{L}\1.0\HELPDIR" Type="string" Value="[InstallFolder32]"/>)x"},
      {"brackets and braces in text",
       {RowRoot::kClasses, u"TypeLib\\{L}\\1.0", u"", u"Jump ( (,[,{, do)"},
       R"x(<RegistryValue Root="HKCR" Key="TypeLib\{L}\1.0" Type="string" Value="Jump ( (,[\[],{, do)"/>)x"},
      {"another folder's reference is text",
       {RowRoot::kClasses, u"K", u"", u"[InstallFolder64]"},
       R"x(<RegistryValue Root="HKCR" Key="K" Type="string" Value="[\[]InstallFolder64[\]]"/>)x"},
      {"line breaks and markup",
       {RowRoot::kCurrentUser, u"Software\\A", u"Description", u"<a & \"b\">\r\n"},
       R"x(<RegistryValue Root="HKCU" Key="Software\A" Name="Description" Type="string" Value="&lt;a &amp; &quot;b&quot;&gt;&#13;&#10;"/>)x"},
      {"a number",
       {RowRoot::kCurrentUser, u"Software\\A", u"LoadBehavior", std::uint32_t{5}},
       R"x(<RegistryValue Root="HKCU" Key="Software\A" Name="LoadBehavior" Type="integer" Value="5"/>)x"},
      {"the machine's key",
       {RowRoot::kLocalMachine, u"Software\\A", u"N", u"\u00e9"},
       "<RegistryValue Root=\"HKLM\" Key=\"Software\\A\" Name=\"N\" Type=\"string\" Value=\"\xc3\xa9\"/>"},
  };
  for (const ValueCase& row : cases) {
    EXPECT_EQ(LinesWith(WixFragment({ComponentWith({row.row})}, "G"), "<RegistryValue"),
              std::vector<std::string>{row.element})
        << row.what;
  }
}

TEST(WixFragment, InstallsEachFileWithItsComponentInTheRegistryViewOfItsPlatform) {
  const struct {
    Platform platform;
    std::vector<std::string> lines;
  } cases[] = {
      {Platform::kWin32, {R"x(<Component Id="T_win32" Guid="*">)x"}},
      {Platform::kWin64, {R"x(<Component Id="T_win32" Guid="*" Win64="yes">)x"}},
  };
  for (const auto& row : cases) {
    const std::string fragment = WixFragment({ComponentWith({}, row.platform)}, "Deliverables");
    EXPECT_EQ(LinesWith(fragment, "<Component "), row.lines);
    EXPECT_EQ(LinesWith(fragment, "<File "),
              std::vector<std::string>{
                  R"x(<File Id="T_win32.dll" Name="T.dll" Source="x86/T.dll" KeyPath="yes"/>)x"});
    EXPECT_EQ(LinesWith(fragment, "Ref "),
              (std::vector<std::string>{R"x(<DirectoryRef Id="InstallFolder32">)x",
                                        R"x(<ComponentRef Id="T_win32"/>)x"}));
  }
}

TEST(MsiStatements, RemoveEachOwnedKeyWholeAndWriteTheIniLinesOfTheirComponent) {
  PackageComponent withKeys = ComponentWith({});
  withKeys.rows.registry.ownedKeys = {{RowRoot::kClasses, u"CLSID\\{C}"},
                                      {RowRoot::kCurrentUser, u"Software\\A\\T.Connect"}};
  PackageComponent withLine = ComponentWith({});
  withLine.id = "V_win32";
  withLine.rows.iniLines = {{u"VBADDIN.INI", u"Add-Ins32", u"V.Connect", u"0"}};
  const std::string insertRegistry =
      "INSERT INTO `Registry` (`Registry`, `Root`, `Key`, `Name`, `Component_`) VALUES ";
  const struct {
    std::string what;
    std::vector<PackageComponent> components;
    std::vector<std::string> statements;
  } cases[] = {
      {"owned keys",
       {withKeys},
       {insertRegistry + "('T_win32.owned1', 0, 'CLSID\\{C}', '-', 'T_win32')",
        insertRegistry + "('T_win32.owned2', 1, 'Software\\A\\T.Connect', '-', 'T_win32')"}},
      {"nothing owned, no line", {ComponentWith({})}, {}},
      {"an INI line",
       {withLine},
       {"CREATE TABLE `IniFile` (`IniFile` CHAR(72) NOT NULL, `FileName` CHAR(255) NOT NULL LOCALIZABLE, "
        "`DirProperty` CHAR(72), `Section` CHAR(96) NOT NULL LOCALIZABLE, `Key` CHAR(128) NOT NULL "
        "LOCALIZABLE, "
        "`Value` CHAR(255) NOT NULL LOCALIZABLE, `Action` SHORT NOT NULL, `Component_` CHAR(72) NOT NULL "
        "PRIMARY KEY `IniFile`)",
        "INSERT INTO `IniFile` (`IniFile`, `FileName`, `Section`, `Key`, `Value`, `Action`, `Component_`) "
        "VALUES ('V_win32.ini1', 'VBADDIN.INI', 'Add-Ins32', 'V.Connect', '0', 1, 'V_win32')",
        "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveIniValues', 3100)",
        "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteIniValues', 5100)"}},
  };
  for (const auto& row : cases) EXPECT_EQ(MsiStatements(row.components), row.statements) << row.what;
}

TEST(MsiStatements, RefuseTextTheInstallersSqlCannotHold) {
  PackageComponent component = ComponentWith({});
  component.rows.registry.ownedKeys = {{RowRoot::kCurrentUser, u"Software\\O'Brien"}};
  EXPECT_THROW(MsiStatements({component}), std::invalid_argument);
}

}  // namespace
}  // namespace tandrel::installer
