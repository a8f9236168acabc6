#pragma once

#include <string>

#include "cli/addin_host.h"
#include "cli/module_file.h"

namespace tandrel::cli {

// What a person reads after a run, laid out like a compiler's diagnostic: "FILE:L1:C1-L2:C2", the module's
// lines around the span with the span marked, then each message box with its title and text. Without a
// selection from the add-in the span shown is the one it was given. `colour` adds terminal highlighting.
std::string HumanReport(const std::string& fileName, const ModuleSource& module, const ide::Selection& given,
                        const MatchRun& run, bool colour);

}  // namespace tandrel::cli
