#pragma once

#include <cstdint>
#include <string_view>

namespace tandrel::engine {

// The column of the comment mark that opens the line's comment, 0 when the line has none. A comment mark
// inside a string literal does not count; a literal left open at the line's end ends there.
std::int32_t FindCommentStart(std::u16string_view lineText, std::u16string_view quoteMark,
                              std::u16string_view commentMark);

}  // namespace tandrel::engine
