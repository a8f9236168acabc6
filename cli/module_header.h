#pragma once

#include <cstddef>
#include <string_view>

#include "sim/module_text.h"

namespace tandrel::cli {

// How many of a saved module's first lines the code window does not show. The IDE saves a form, class,
// user control or designer with a VERSION line, Object lines, the designer's Begin ... End block and the
// module's Attribute lines ahead of the code; a standard module starts with its Attribute lines. Text that
// does not start like that (or whose Begin block never closes) has no header: 0.
std::size_t HeaderLineCount(const sim::ModuleText& file);

// Whether `line` is one of the attribute lines the IDE saves for a member, wherever it stands, and hides in
// the code window: from its first column "Attribute", the member's name, a point and "VB_", as in
// `Attribute Item.VB_UserMemId = 0` after a procedure's first line or `Attribute mValue.VB_VarUserMemId = 0`
// after a declaration.
bool IsMemberAttributeLine(std::u16string_view line);

}  // namespace tandrel::cli
