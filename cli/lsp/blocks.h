#pragma once

#include <vector>

#include "cli/addin_host.h"
#include "cli/lsp/document.h"

namespace tandrel::cli::lsp {

// Every block of the document: from each opener the add-in matches forward (If, For, Do, Select, With,
// While, Sub, Function, Property, Type, Enum), written in code rather than in a string or a comment, the
// span a click there selects, from the opener's first character to the end of its closer, where it takes
// more than one line. In document order, each span once; kept with the document until its next edit.
const std::vector<Range>& Blocks(Document& document, Build build);

// The selection ranges at `caret`, innermost first: the token under it that has a partner, then each block
// that holds it. At least the empty range at the caret.
std::vector<Range> EnclosingRanges(Document& document, Position caret, Build build);

}  // namespace tandrel::cli::lsp
