#pragma once

#include <string>

#include "cli/addin_host.h"

namespace tandrel::cli {

// The run as one JSON object on one line, for scripts and checks:
// {"build": "vb6", "selection": [sl, sc, el, ec] or null,
//  "messages": [{"prompt": "...", "style": 64, "title": "..."}], "pointer": [11, 0]}
std::string JsonReport(Build build, const MatchRun& run);

}  // namespace tandrel::cli
