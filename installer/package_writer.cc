#include "installer/package_writer.h"

#include <stdexcept>
#include <utility>

#include "ide/utf8_text.h"

namespace tandrel::installer {
namespace {

using registration::RegistryRow;
using registration::RowRoot;

// The Registry table's numbers for the same roots.
int RootNumber(RowRoot root) {
  switch (root) {
    case RowRoot::kClasses:
      return 0;
    case RowRoot::kCurrentUser:
      return 1;
    case RowRoot::kLocalMachine:
      return 2;
  }
  return 1;
}

std::string XmlAttribute(std::string_view text) {
  std::string out;
  for (char unit : text) {
    switch (unit) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\r':
        out += "&#13;";
        break;
      case '\n':
        out += "&#10;";
        break;
      case '\t':
        out += "&#9;";
        break;
      default:
        out += unit;
    }
  }
  return out;
}

// The installer formats registry values: a bracket would start a reference. Text that must be written as it
// stands has its brackets escaped; the component's own references are written as they are.
std::u16string Formatted(const std::u16string& value, const PackageComponent& component) {
  if (component.preformatted || value == FileReference(component.id) ||
      value == FolderReference(component.folderId)) {
    return value;
  }
  std::u16string out;
  for (char16_t unit : value) {
    if (unit == u'[' || unit == u']') {
      out += u"[\\";
      out += unit;
      out += u']';
    } else {
      out += unit;
    }
  }
  return out;
}

std::string RegistryValueElement(const RegistryRow& row, const PackageComponent& component, bool keyPath) {
  std::string element = "        <RegistryValue Root=\"" + std::string(RootName(row.root)) + "\" Key=\"" +
                        XmlAttribute(ide::ToUtf8(row.key)) + "\"";
  if (keyPath) element += " KeyPath=\"yes\"";
  if (!row.name.empty()) element += " Name=\"" + XmlAttribute(ide::ToUtf8(row.name)) + "\"";
  if (const auto* text = std::get_if<std::u16string>(&row.value)) {
    element += " Type=\"string\" Value=\"" + XmlAttribute(ide::ToUtf8(Formatted(*text, component))) + "\"";
  } else {
    element += " Type=\"integer\" Value=\"" + std::to_string(std::get<std::uint32_t>(row.value)) + "\"";
  }
  return element + "/>\n";
}

std::string Component(const PackageComponent& component) {
  std::string text = "    <DirectoryRef Id=\"" + component.folderId + "\">\n";
  const bool hasFile = !component.source.empty();
  text += "      <Component Id=\"" + component.id + "\" Guid=\"" + (hasFile ? "*" : component.guid) + "\"";
  if (component.platform == Platform::kWin64) text += " Win64=\"yes\"";
  text += ">\n";
  if (hasFile) {
    text += "        <File Id=\"" + FileIdOf(component.id) + "\" Name=\"" +
            XmlAttribute(ide::ToUtf8(component.fileName)) + "\" Source=\"" + XmlAttribute(component.source) +
            "\" KeyPath=\"yes\"/>\n";
  }
  bool keyPath = !hasFile;
  for (const RegistryRow& row : component.rows.registry.rows) {
    text += RegistryValueElement(row, component, std::exchange(keyPath, false));
  }
  text += "      </Component>\n    </DirectoryRef>\n";
  return text;
}

// A string literal of the installer's SQL, which has no way to escape its quotation mark.
std::string SqlText(std::string_view text) {
  if (text.find('\'') != std::string_view::npos) {
    throw std::invalid_argument("a quotation mark cannot be written in the installer's SQL: " +
                                std::string(text));
  }
  std::string quoted(1, '\'');
  quoted += text;
  quoted += '\'';
  return quoted;
}

constexpr std::string_view kCreateIniFileTable =
    "CREATE TABLE `IniFile` (`IniFile` CHAR(72) NOT NULL, `FileName` CHAR(255) NOT NULL LOCALIZABLE, "
    "`DirProperty` CHAR(72), `Section` CHAR(96) NOT NULL LOCALIZABLE, `Key` CHAR(128) NOT NULL LOCALIZABLE, "
    "`Value` CHAR(255) NOT NULL LOCALIZABLE, `Action` SHORT NOT NULL, `Component_` CHAR(72) NOT NULL "
    "PRIMARY KEY `IniFile`)";

// The standard actions' places in the installer's sequence: lines go before files are removed and after
// they are installed.
constexpr std::string_view kIniActions[] = {
    "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveIniValues', 3100)",
    "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteIniValues', 5100)",
};

// msidbIniFileActionCreateLine: a line the user changed (to load the add-in) is left as it is.
constexpr int kCreateLine = 1;

// The Component table's attributes of a permanent component whose key path is a registry value.
int PermanentAttributes(const PackageComponent& component) {
  constexpr int kRegistryKeyPath = 4, kPermanent = 16, k64Bit = 256;
  return kRegistryKeyPath | kPermanent | (component.platform == Platform::kWin64 ? k64Bit : 0);
}

}  // namespace

std::string FileIdOf(std::string_view componentId) { return std::string(componentId) + ".dll"; }

// An installer reference, `[name]`, to a name of the package's own (plain ASCII).
std::u16string Reference(std::string_view name) {
  std::u16string reference(1, u'[');
  reference.append(name.begin(), name.end());
  reference += u']';
  return reference;
}

std::u16string FileReference(std::string_view componentId) {
  std::string name(1, '#');
  name += FileIdOf(componentId);
  return Reference(name);
}

std::u16string FolderReference(std::string_view folderId) { return Reference(folderId); }

std::string WixFragment(const std::vector<PackageComponent>& components, std::string_view groupId) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      "<!-- Generated by the build from the deliverables' registration data; do not edit. -->\n"
      "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n  <Fragment>\n";
  for (const PackageComponent& component : components) text += Component(component);
  text += "    <ComponentGroup Id=\"" + std::string(groupId) + "\">\n";
  for (const PackageComponent& component : components) {
    text += "      <ComponentRef Id=\"" + component.id + "\"/>\n";
  }
  return text + "    </ComponentGroup>\n  </Fragment>\n</Wix>\n";
}

std::vector<std::string> MsiStatements(const std::vector<PackageComponent>& components) {
  std::vector<std::string> statements;
  bool iniLines = false;
  for (const PackageComponent& component : components) {
    int count = 0;
    for (const registration::OwnedKey& owned : component.rows.registry.ownedKeys) {
      statements.push_back(
          "INSERT INTO `Registry` (`Registry`, `Root`, `Key`, `Name`, `Component_`) VALUES (" +
          SqlText(component.id + ".owned" + std::to_string(++count)) + ", " +
          std::to_string(RootNumber(owned.root)) + ", " + SqlText(ide::ToUtf8(owned.key)) + ", '-', " +
          SqlText(component.id) + ")");
    }
    if (component.permanent) {
      statements.push_back(
          "UPDATE `Component` SET `Attributes` = " + std::to_string(PermanentAttributes(component)) +
          " WHERE `Component` = " + SqlText(component.id));
    }
    iniLines = iniLines || !component.rows.iniLines.empty();
  }
  if (!iniLines) return statements;
  statements.emplace_back(kCreateIniFileTable);
  for (const PackageComponent& component : components) {
    int count = 0;
    for (const IniLine& line : component.rows.iniLines) {
      statements.push_back(
          "INSERT INTO `IniFile` (`IniFile`, `FileName`, `Section`, `Key`, `Value`, `Action`, `Component_`) "
          "VALUES (" +
          SqlText(component.id + ".ini" + std::to_string(++count)) + ", " + SqlText(ide::ToUtf8(line.file)) +
          ", " + SqlText(ide::ToUtf8(line.section)) + ", " + SqlText(ide::ToUtf8(line.key)) + ", " +
          SqlText(ide::ToUtf8(line.value)) + ", " + std::to_string(kCreateLine) + ", " +
          SqlText(component.id) + ")");
    }
  }
  statements.insert(statements.end(), std::begin(kIniActions), std::end(kIniActions));
  return statements;
}

}  // namespace tandrel::installer
