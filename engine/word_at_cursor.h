#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ide/code.h"

namespace tandrel::engine {

// Finds where `sMatch` last occurs ending at or before column `start` of `sCheck`, 0 when nowhere. The builds
// differ in what this gives for a start past the line's end.
using ReverseSearch = std::int32_t (*)(std::u16string_view sCheck, std::u16string_view sMatch,
                                       std::int64_t start);

// The space-delimited word at column `col` of line `lineNo`, read from `module`. An apostrophe glued to its
// front is dropped, and "End" is joined with the word beside it ("End If"). `col` becomes the word's start
// column (for a joined closer found from its second word, the column of "End").
std::u16string GetWordAtCursor(ide::CodeModule& module, std::int32_t lineNo, std::int32_t& col,
                               ReverseSearch lastOccurrence);

}  // namespace tandrel::engine
