#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tandrel::engine {

// Every token the add-in can match, one row per pair: column 0 the opener, column 1 its closer. Column 2 and
// the last row stay empty. The row order decides between rows that share an entry.
inline constexpr std::size_t kPairRows = 27;
inline constexpr std::size_t kPairColumns = 3;
using PairTable = std::array<std::array<std::u16string, kPairColumns>, kPairRows>;

// Writes rows 0 to 25, each opener before its closer.
void FillPairTable(PairTable& table);

// The partner of `word`: the closer when `word` is an opener (direction becomes +1), the opener when it is a
// closer (direction becomes -1), or the empty string with `direction` untouched when no row holds it.
std::u16string FindPartner(std::u16string_view word, const PairTable& table, std::int32_t& direction);

}  // namespace tandrel::engine
