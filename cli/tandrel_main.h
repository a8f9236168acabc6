#pragma once

#include <iosfwd>

namespace tandrel::cli {

// The whole `tandrel` command on arguments and streams; returns the exit status. `colour` says whether the
// human-readable report may use terminal colours.
int TandrelMain(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err,
                bool colour);

}  // namespace tandrel::cli
