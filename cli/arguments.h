#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <variant>

#include "cli/addin_host.h"
#include "cli/module_source.h"

namespace tandrel::cli {

// One `tandrel match` as the user asked for it; positions are still text.
struct MatchRequest {
  std::string file;                   // "-" for standard input
  std::optional<std::string> at;      // --at L:C
  std::optional<std::string> select;  // --select L1:C1-L2:C2
  Build build = Build::kVb6;
  Entry entry = Entry::kCodeWindow;
  bool json = false;
  bool raw = false;
  std::string encoding;  // --encoding NAME; empty lets the bytes decide
  LineNumbering lines = LineNumbering::kCodeWindow;
};

// `tandrel lsp`: serve the Language Server Protocol over standard input and output.
struct ServeRequest {};

using Command = std::variant<MatchRequest, ServeRequest>;

// The command to run, or none when the arguments asked only for help or the version, which have then been
// written to `out`. Throws InvocationError for anything else that is not a valid invocation.
std::optional<Command> ParseArguments(int argc, const char* const* argv, std::ostream& out);

}  // namespace tandrel::cli
