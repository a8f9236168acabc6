#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "installer/package_rows.h"

namespace tandrel::installer {

// One component of a package: a DLL with its file and rows, or rows alone.
struct PackageComponent {
  std::string id;        // the component's; its file's is FileIdOf(id)
  std::string folderId;  // the directory it installs to
  std::string source;    // the DLL to take, as the package source names it; empty for rows alone
  std::u16string fileName;
  Platform platform;
  ServerRows rows;  // made with FileReference(id) and FolderReference(folderId)
  // Rows alone have a component code of their own, which stays the same from one version to the next, and
  // their first value as their key path.
  std::string guid = {};
  bool permanent = false;     // left installed when the package is removed
  bool preformatted = false;  // its values are the installer's formatted text already
};

std::string FileIdOf(std::string_view componentId);
// The installer's formatted text for the value of one of its properties, for the installed file's full path
// and for its folder.
std::u16string Reference(std::string_view name);
std::u16string FileReference(std::string_view componentId);
std::u16string FolderReference(std::string_view folderId);

// The components as a WiX fragment for wixl, grouped under `groupId`: each one's file and registry values.
std::string WixFragment(const std::vector<PackageComponent>& components, std::string_view groupId);

// The SQL statements that add to the built package what wixl does not write: a row per key the DLL owns
// that removes the key whole at uninstallation, as DllUnregisterServer does, the attributes of permanent
// components, and the IniFile table with the actions that write and remove its lines.
std::vector<std::string> MsiStatements(const std::vector<PackageComponent>& components);

}  // namespace tandrel::installer
