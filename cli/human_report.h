#pragma once

#include <string>

#include "cli/addin_host.h"
#include "cli/module_source.h"

namespace tandrel::cli {

// What a person reads after a run, laid out like a compiler's diagnostic: "FILE:L1:C1-L2:C2", the module's
// lines around the span with the span marked, then each message box with its title and text. Without a
// selection from the add-in the span shown is the one it was given. Lines, of `given` and of the run's
// selection too, count as `numbering` counts them; the file's numbering shows the hidden lines among the
// others. `colour` adds terminal highlighting.
std::string HumanReport(const std::string& fileName, const ModuleSource& module, LineNumbering numbering,
                        const ide::Selection& given, const MatchRun& run, bool colour);

}  // namespace tandrel::cli
