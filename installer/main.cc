// tandrel_package_rows: what the Windows Installer packages install, generated from the deliverables' own
// registration data, for wixl and msibuild to build the packages from and for the tests that check them.
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ide/utf8_text.h"
#include "installer/active_setup.h"
#include "installer/package_contents.h"
#include "installer/package_writer.h"

namespace tandrel::installer {
namespace {

constexpr std::string_view kUsage =
    "usage: tandrel_package_rows <x86|x64> wix FRAGMENT.wxs STATEMENTS.sql DIR32 DIR64 VERSION\n"
    "         the package's components for wixl, and the SQL statements msibuild applies afterwards (one a\n"
    "         line); DIR32 and DIR64 hold the 32-bit and 64-bit DLLs, named as wixl finds them; VERSION is\n"
    "         the package's\n"
    "       tandrel_package_rows <x86|x64> rows FOLDER32 FOLDER64\n"
    "         each registry value the package writes once installed in those folders (each named with its\n"
    "         closing backslash), as PLATFORM|ROOT\\KEY|NAME|VALUE (NAME @ for the default value; VALUE as "
    "a\n"
    "         registry file writes it), and each INI line as ini|FILE|SECTION|KEY=VALUE\n";

// A value as a registry file writes it: text quoted with its backslashes, quotation marks and line breaks
// escaped; a number as dword:xxxxxxxx.
std::string RegistryFileValue(const registration::RegistryValue& value) {
  if (const auto* number = std::get_if<std::uint32_t>(&value)) {
    char text[24];
    std::snprintf(text, sizeof text, "dword:%08x", static_cast<unsigned>(*number));
    return text;
  }
  std::string out = "\"";
  for (char unit : ide::ToUtf8(std::get<std::u16string>(value))) {
    switch (unit) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += unit;
    }
  }
  return out + "\"";
}

std::u16string Wide(std::string_view text) { return {text.begin(), text.end()}; }

void PrintRows(PackageKind kind, std::string_view folder32, std::string_view folder64) {
  for (const PackageEntry& entry : ContentsOf(kind)) {
    const std::u16string folder = Wide(entry.platform == Platform::kWin64 ? folder64 : folder32);
    const ServerRows rows =
        RowsOf(*entry.deliverable, entry.platform, folder + FileNameOf(*entry.deliverable), folder);
    const std::string platform = entry.platform == Platform::kWin64 ? "win64" : "win32";
    for (const registration::RegistryRow& row : rows.registry.rows) {
      std::cout << platform << '|' << registration::RootName(row.root) << '\\' << ide::ToUtf8(row.key) << '|'
                << (row.name.empty() ? std::string("@") : ide::ToUtf8(row.name)) << '|'
                << RegistryFileValue(row.value) << '\n';
    }
    for (const IniLine& line : rows.iniLines) {
      std::cout << "ini|" << ide::ToUtf8(line.file) << '|' << ide::ToUtf8(line.section) << '|'
                << ide::ToUtf8(line.key) << '=' << ide::ToUtf8(line.value) << '\n';
    }
  }
}

void WriteWix(PackageKind kind, const std::string& fragmentPath, const std::string& statementsPath,
              std::string_view dir32, std::string_view dir64, std::string_view version) {
  std::vector<PackageComponent> components;
  for (const PackageEntry& entry : ContentsOf(kind)) {
    const std::string id = ComponentIdOf(entry);
    const std::string folderId = FolderIdOf(entry.platform);
    const std::u16string fileName = FileNameOf(*entry.deliverable);
    components.push_back({
        .id = id,
        .folderId = folderId,
        .source =
            std::string(entry.platform == Platform::kWin64 ? dir64 : dir32) + "/" + ide::ToUtf8(fileName),
        .fileName = fileName,
        .platform = entry.platform,
        .rows = RowsOf(*entry.deliverable, entry.platform, FileReference(id), FolderReference(folderId)),
    });
  }
  for (PackageComponent& component : ActiveSetupComponents(kind, version))
    components.push_back(std::move(component));
  std::ofstream fragment(fragmentPath, std::ios::binary);
  fragment << WixFragment(components, "Deliverables");
  std::ofstream statements(statementsPath, std::ios::binary);
  for (const std::string& statement : MsiStatements(components)) statements << statement << '\n';
  if (!fragment.flush() || !statements.flush()) throw std::runtime_error("cannot write " + fragmentPath);
}

int Run(const std::vector<std::string>& args) {
  if (args.size() < 2 || (args[0] != "x86" && args[0] != "x64")) {
    std::cerr << kUsage;
    return 2;
  }
  const PackageKind kind = args[0] == "x64" ? PackageKind::kX64 : PackageKind::kX86;
  if (args[1] == "wix" && args.size() == 7) {
    WriteWix(kind, args[2], args[3], args[4], args[5], args[6]);
    return 0;
  }
  if (args[1] == "rows" && args.size() == 4) {
    PrintRows(kind, args[2], args[3]);
    return 0;
  }
  std::cerr << kUsage;
  return 2;
}

}  // namespace
}  // namespace tandrel::installer

int main(int argc, char** argv) {
  try {
    return tandrel::installer::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "tandrel_package_rows: " << error.what() << '\n';
    return 1;
  }
}
