#pragma once

#include <string>
#include <vector>

#include "installer/package_rows.h"

namespace tandrel::installer {

// The two packages: for 32-bit Windows, and for 64-bit Windows, which also runs 64-bit Office.
enum class PackageKind { kX86, kX64 };

// One DLL a package installs: which deliverable, built for which platform.
struct PackageEntry {
  const Deliverable* deliverable;
  Platform platform;
};

// The IDEs are 32-bit programs, and so is 32-bit Office: every package has the three 32-bit DLLs. The
// package for 64-bit Windows adds TandrelVBA for 64-bit Office.
std::vector<PackageEntry> ContentsOf(PackageKind kind);

// Names the package gives an entry: its component, such as "Tandrel_win32", and the directory it goes to,
// "InstallFolder32" (under Program Files (x86) on 64-bit Windows) or "InstallFolder64" (under Program Files).
std::string ComponentIdOf(const PackageEntry& entry);
std::string FolderIdOf(Platform platform);
std::u16string FileNameOf(const Deliverable& deliverable);

}  // namespace tandrel::installer
