#include "installer/active_setup.h"

#include <string>
#include <utility>

#include "deliverables.h"

namespace tandrel::installer {
namespace {

using registration::RowRoot;

constexpr std::u16string_view kInstalledComponents =
    u"Software\\Microsoft\\Active Setup\\Installed Components\\";

std::u16string ComponentKey(std::u16string_view id) {
  return std::u16string(kInstalledComponents) + std::u16string(id);
}

// Active Setup compares versions as up to four numbers separated by commas.
std::u16string ActiveSetupVersion(std::string_view version) {
  std::u16string text;
  for (char unit : version) text += unit == '.' ? u',' : static_cast<char16_t>(unit);
  return text;
}

std::u16string Quoted(std::u16string_view text) {
  std::u16string quoted(1, u'"');
  quoted += text;
  quoted += u'"';
  return quoted;
}

// The system's programs of a platform: on 64-bit Windows, System32 holds the 64-bit ones and SysWOW64 the
// 32-bit ones, which the installer names SystemFolder; on 32-bit Windows, SystemFolder is System32.
std::u16string SystemProgram(Platform platform, std::u16string_view name) {
  return Reference(platform == Platform::kWin64 ? "System64Folder" : "SystemFolder") + std::u16string(name);
}

// One command line for the system's command interpreter that runs each command in turn, whatever the
// outcome of the one before.
std::u16string InTurn(Platform native, const std::vector<std::u16string>& commands) {
  std::u16string line = Quoted(SystemProgram(native, u"cmd.exe")) + u" /d /s /c \"";
  for (std::size_t i = 0; i < commands.size(); ++i) {
    if (i > 0) line += u" & ";
    line += commands[i];
  }
  return line + u"\"";
}

std::u16string DeleteUserKey(Platform native, std::u16string_view key) {
  std::u16string path = u"HKCU\\";
  path += key;
  return Quoted(SystemProgram(native, u"reg.exe")) + u" delete " + Quoted(path) + u" /f";
}

// Which Windows the package is for, as the bitness of its own rows and of the system programs its commands
// run.
Platform NativePlatform(PackageKind kind) {
  return kind == PackageKind::kX64 ? Platform::kWin64 : Platform::kWin32;
}

PackageComponent RowsAlone(std::string id, std::string_view guid, Platform platform) {
  PackageComponent component;
  component.id = std::move(id);
  component.folderId = FolderIdOf(platform);
  component.platform = platform;
  component.guid = guid;
  component.preformatted = true;
  return component;
}

}  // namespace

std::vector<PackageComponent> ActiveSetupComponents(PackageKind kind, std::string_view version) {
  const Platform native = NativePlatform(kind);
  const std::u16string installKey = ComponentKey(kActiveSetupId);
  const std::u16string removalKey = ComponentKey(kActiveSetupRemovalId);
  const std::u16string activeSetupVersion = ActiveSetupVersion(version);

  // Each DLL whose registration writes a list entry of the current user's, and those entries' keys.
  std::vector<std::u16string> entering = {};
  std::vector<std::u16string> removing = {};
  for (const PackageEntry& entry : ContentsOf(kind)) {
    const std::string id = ComponentIdOf(entry);
    const ServerRows rows = RowsOf(*entry.deliverable, entry.platform, FileReference(id),
                                   FolderReference(FolderIdOf(entry.platform)));
    bool userEntries = false;
    for (const registration::OwnedKey& owned : rows.registry.ownedKeys) {
      if (owned.root != RowRoot::kCurrentUser) continue;
      removing.push_back(DeleteUserKey(native, owned.key));
      userEntries = true;
    }
    if (userEntries) {
      entering.push_back(Quoted(SystemProgram(entry.platform, u"regsvr32.exe")) + u" /s /n /i:addin " +
                         Quoted(FileReference(id)));
    }
  }
  entering.push_back(DeleteUserKey(native, removalKey));
  removing.push_back(DeleteUserKey(native, installKey));

  const bool x64 = kind == PackageKind::kX64;
  PackageComponent install =
      RowsAlone("ActiveSetup", x64 ? kActiveSetupGuidX64 : kActiveSetupGuidX86, native);
  install.rows.registry.rows = {
      {RowRoot::kLocalMachine, installKey, u"", std::u16string(kProductTitle)},
      {RowRoot::kLocalMachine, installKey, u"Version", activeSetupVersion},
      {RowRoot::kLocalMachine, installKey, u"StubPath", InTurn(native, entering)},
      {RowRoot::kLocalMachine, installKey, u"IsInstalled", std::uint32_t{1}},
      {RowRoot::kLocalMachine, removalKey, u"IsInstalled", std::uint32_t{0}},
      {RowRoot::kCurrentUser, installKey, u"Version", activeSetupVersion},
  };
  install.rows.registry.ownedKeys = {{RowRoot::kLocalMachine, installKey},
                                     {RowRoot::kCurrentUser, installKey}};

  PackageComponent removal =
      RowsAlone("ActiveSetupRemoval", x64 ? kActiveSetupRemovalGuidX64 : kActiveSetupRemovalGuidX86, native);
  removal.permanent = true;
  removal.rows.registry.rows = {
      {RowRoot::kLocalMachine, removalKey, u"", std::u16string(kProductTitle) + u" removal"},
      {RowRoot::kLocalMachine, removalKey, u"Version", activeSetupVersion},
      {RowRoot::kLocalMachine, removalKey, u"StubPath", InTurn(native, removing)},
  };
  return {install, removal};
}

}  // namespace tandrel::installer
