#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "installer/package_rows.h"

namespace tandrel::installer {

// One DLL of a package: the component that installs it, with its file and rows.
struct PackageComponent {
  std::string id;        // the component's; its file's is FileIdOf(id)
  std::string folderId;  // the directory it installs to
  std::string source;    // the DLL to take, as the package source names it
  std::u16string fileName;
  Platform platform;
  ServerRows rows;  // made with FileReference(id) and FolderReference(folderId)
};

std::string FileIdOf(std::string_view componentId);
// The installer's formatted text for the installed file's full path and for its folder.
std::u16string FileReference(std::string_view componentId);
std::u16string FolderReference(std::string_view folderId);

// The components as a WiX fragment for wixl, grouped under `groupId`: each one's file and registry values.
std::string WixFragment(const std::vector<PackageComponent>& components, std::string_view groupId);

// The SQL statements that add to the built package what wixl does not write: a row per key the DLL owns
// that removes the key whole at uninstallation, as DllUnregisterServer does, and the IniFile table with the
// actions that write and remove its lines.
std::vector<std::string> MsiStatements(const std::vector<PackageComponent>& components);

}  // namespace tandrel::installer
