#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "cli/addin_host.h"
#include "cli/lsp/document.h"

namespace tandrel::cli::lsp {

// The language server's state between messages: whether the client initialized it and asked it to shut down,
// the build whose match command it runs, and the open documents by URI.
class LanguageServer {
 public:
  // The answer to one message, a request's response or an error; nothing for a notification. Bad input of any
  // kind gets the protocol's error answer (or, for a notification, none), and the server goes on.
  std::optional<std::string> Handle(std::string_view body);

  // Whether the client sent "exit", and the status the process then ends with: 0 after "shutdown", else 1.
  bool Exited() const { return exited_; }
  int ExitStatus() const { return shutDown_ ? 0 : 1; }

 private:
  class Call;

  bool initialized_ = false;
  bool shutDown_ = false;
  bool exited_ = false;
  Build build_ = Build::kVb6;
  std::map<std::string, Document, std::less<>> documents_;
};

// Serves the protocol over `in` and `out` until the client exits or the input ends; returns the status the
// process ends with.
int ServeLanguage(std::istream& in, std::ostream& out);

}  // namespace tandrel::cli::lsp
