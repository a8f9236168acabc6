#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ide/code.h"

namespace tandrel::cli {

// "L:C", a bare caret: the selection (L, C, L, C). Throws InvocationError when the text is not that.
ide::Selection ParseCaret(std::string_view text);

// "L1:C1-L2:C2", a selection as the pane reports it. Throws InvocationError when the text is not that.
ide::Selection ParseSelection(std::string_view text);

// Throws InvocationError unless both ends of `selection` are places the IDE's caret can be in `lines`: a line
// of the module (only 1:1 in a module of no lines), a column from 1 to one past the line's end; and the end
// does not come before the start.
void CheckSelection(const ide::Selection& selection, const std::vector<std::u16string>& lines);

// "L1:C1-L2:C2" as the four numbers stand.
std::string FormatSelection(const ide::Selection& selection);

}  // namespace tandrel::cli
