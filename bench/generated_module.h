#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tandrel::bench {

// The largest module the IDE holds.
inline constexpr std::int32_t kMaxModuleLines = 65534;

// A module of `lineCount` lines (at least 4): one Sub whose block If opens on line 2 and closes with the
// "End If" on the last line but one. Between them lie nested If, For, Do, Select and With blocks, single-line
// Ifs, string literals with doubled quotation marks and block words inside them, parentheses, comments that
// name block words, and blank lines, indented as the IDE's editor would. The text is the same on every call
// with the same count.
std::vector<std::u16string> GenerateModule(std::int32_t lineCount);

// The module above at the largest size the IDE holds.
inline std::vector<std::u16string> GenerateLargeModule() { return GenerateModule(kMaxModuleLines); }

// Where the outer If and its "End If" stand in that module (1-based, as the IDE counts).
inline constexpr std::int32_t kOuterIfLine = 2;
inline constexpr std::int32_t kOuterEndIfLine = kMaxModuleLines - 1;
inline constexpr std::int32_t kOuterIfColumn = 5;

}  // namespace tandrel::bench
