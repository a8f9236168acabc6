#pragma once

#include <string>
#include <string_view>

#include "cli/module_source.h"
#include "ide/code.h"

namespace tandrel::cli {

// "L:C", a bare caret: the selection (L, C, L, C). Throws InvocationError when the text is not that.
ide::Selection ParseCaret(std::string_view text);

// "L1:C1-L2:C2", a selection as the pane reports it. Throws InvocationError when the text is not that.
ide::Selection ParseSelection(std::string_view text);

// The selection that `selection`, counted in `numbering`, is in the code window. Throws InvocationError
// unless both ends are places the IDE's caret can be: a line of the module (only 1:1 in a module of no
// lines) that the code window shows, a column from 1 to one past the line's end; and the end does not come
// before the start. Errors give the lines as `numbering` counts them.
ide::Selection CodeWindowSelection(const ide::Selection& selection, const ModuleSource& module,
                                   LineNumbering numbering);

// A selection in the code window, counted in `numbering`.
ide::Selection NumberedSelection(const ide::Selection& selection, const ModuleSource& module,
                                 LineNumbering numbering);

// "L1:C1-L2:C2" as the four numbers stand.
std::string FormatSelection(const ide::Selection& selection);

}  // namespace tandrel::cli
