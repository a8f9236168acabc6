#pragma once

#include <string>

#include "registration/registry_rows.h"

namespace tandrel::registration {

// One line for a row, such as `HKCR\CLSID\{...}\InprocServer32 ThreadingModel = "Apartment"`: text outside
// printable ASCII as \uXXXX escapes.
std::string Describe(const RegistryRow& row);

}  // namespace tandrel::registration
