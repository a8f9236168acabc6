#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tandrel::bench {

// The largest module the IDE holds.
inline constexpr std::int32_t kMaxModuleLines = 65534;

// A module of `lineCount` lines (at least kMinModuleLines): one Sub whose block If opens on line 2 and closes
// with the "End If" on the last line but one. Between them lie nested If, For, Do, Select and With blocks,
// single-line Ifs, string literals with doubled quotation marks and block words inside them, parentheses,
// comments that name block words, and blank lines, indented as the IDE's editor would. The same count and
// seed give the same text.
inline constexpr std::int32_t kMinModuleLines = 4;
inline constexpr std::uint32_t kLargeModuleSeed = 0x2545F491U;
std::vector<std::u16string> GenerateModule(std::int32_t lineCount, std::uint32_t seed = kLargeModuleSeed);

// The module above at `kMaxModuleLines` lines, the same text on every call.
std::vector<std::u16string> GenerateLargeModule();

// Where the outer If and its "End If" stand in the large module (1-based, as the IDE counts).
inline constexpr std::int32_t kOuterIfLine = 2;
inline constexpr std::int32_t kOuterEndIfLine = kMaxModuleLines - 1;
inline constexpr std::int32_t kOuterIfColumn = 5;

}  // namespace tandrel::bench
