#pragma once

#include <optional>
#include <vector>

#include "cli/addin_host.h"
#include "cli/lsp/document.h"
#include "sim/record.h"

namespace tandrel::cli::lsp {

// What a click of the build's code-window entry does with a bare caret: the selection it sets, from its
// anchor to its caret as the command passes them, in the file's lines, and the boxes it shows.
struct Click {
  std::optional<Position> anchor;
  std::optional<Position> active;
  std::vector<sim::MessageBox> messages;
};

// The click with the caret at `caret`, which the document must hold. A caret on a line the code window hides
// (the saved header, a member attribute line) clicks nothing.
Click ClickAt(Document& document, Position caret, Build build);

// The token at `caret` and its partner, each as the range of its word or mark, in document order; none where
// the click selects nothing.
std::vector<Range> PartnerHighlights(Document& document, Position caret, Build build);

}  // namespace tandrel::cli::lsp
