#pragma once

#include <string_view>
#include <vector>

#include "installer/package_contents.h"
#include "installer/package_writer.h"

namespace tandrel::installer {

// A package's Active Setup components. VB6 and the VBA editor read their add-in lists from the current user's
// registry alone, so a package installed for the machine enters the add-in for the installing user only.
// Windows runs an Active Setup component's per-user command once for each user who logs on, when that user's
// record of the component is missing or names an older version:
// - the first component's command enters each DLL that has a per-user list entry in the user's lists, through
//   the DLL's own registration (regsvr32 /n /i:addin), and is recorded as done for the installing user, who
//   has the entries from the package itself;
// - the second, kept when the package is removed, deletes those entries with the system's own reg.exe, as the
//   DLLs are gone by then. The first component holds its IsInstalled = 0, so it runs only once the package,
//   and that value with it, is gone.
// Each command clears the user's record of the other, so that a package installed again after a removal, and
// removed again, reaches every user again. `version` is the package's, in the dotted form.
std::vector<PackageComponent> ActiveSetupComponents(PackageKind kind, std::string_view version);

}  // namespace tandrel::installer
