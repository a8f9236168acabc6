#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace tandrel::cli::lsp {

// The next message's body, as the base protocol frames it: header lines ending in CR LF, a blank line, then
// Content-Length bytes. A header block without a usable Content-Length is passed over, as there is no telling
// where its body ends. Nothing at the end of the input, or when it ends inside a message.
std::optional<std::string> ReadMessage(std::istream& in);

// Writes `body` with its Content-Length header, and flushes: the client waits for it.
void WriteMessage(std::ostream& out, std::string_view body);

}  // namespace tandrel::cli::lsp
