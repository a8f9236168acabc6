#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tandrel::cli {

// How many of a saved module's first lines the code window does not show. The IDE saves a form, class,
// user control or designer with a VERSION line, Object lines, the designer's Begin ... End block and the
// module's Attribute lines ahead of the code; a standard module starts with its Attribute lines. Text that
// does not start like that (or whose Begin block never closes) has no header: 0.
std::size_t HeaderLineCount(const std::vector<std::u16string>& lines);

}  // namespace tandrel::cli
