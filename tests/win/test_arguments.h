#pragma once

#include <string>

namespace tandrel::win::testing {

// The program's own arguments, NAME=PATH after GoogleTest's: where each deliverable DLL was built. Each
// --load=PATH loads that DLL into the process first, as another add-in of the IDE's would have; false when
// one cannot be loaded.
bool SetDllPaths(int argc, char** argv);
// The Windows path of the DLL called `name` (a Unix path is taken through Wine's Z: drive); empty if none.
std::wstring DllPath(const std::string& name);
// Whether the program was given --installed: the DLLs were installed and registered before it ran, by a
// package, so the tests neither register nor unregister them.
bool Installed();

}  // namespace tandrel::win::testing
