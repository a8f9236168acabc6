#pragma once

#include <cstdint>
#include <string_view>

namespace tandrel::addin5 {

// The VB5 build's own reverse search (its run time has none): the start of the last occurrence of `sMatch`
// in `sCheck` that ends at or before column `start`, overlapping occurrences included; 0 when there is none.
// A start of 0 or less searches the whole text, and so does a start past its end: the last occurrence in the
// text is then the result. An empty `sMatch` gives `start` itself when that lies within the text.
std::int32_t ReverseFind(std::u16string_view sCheck, std::u16string_view sMatch, std::int64_t start);

}  // namespace tandrel::addin5
