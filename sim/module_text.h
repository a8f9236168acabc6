#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandrel::sim {

// Splits source text into the lines a code module shows. CR LF, LF and a lone CR each end a line; a final
// line break does not start another (empty) line, so empty text is a module of no lines.
std::vector<std::u16string> SplitLines(std::u16string_view text);

}  // namespace tandrel::sim
