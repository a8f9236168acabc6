#include "engine/unit_search.h"

#include <bit>
#include <cstring>
#include <stdexcept>

namespace tandrel::engine {

// The lane arithmetic below reads the first unit of a block from the low bits.
static_assert(std::endian::native == std::endian::little);

// Which of a block's eight units are in the set: 16 bits a unit, the first unit lowest.
struct UnitSet::Hits {
  std::uint64_t low = 0;   // units 0 to 3
  std::uint64_t high = 0;  // units 4 to 7

  explicit operator bool() const { return (low | high) != 0; }
  std::size_t First() const {
    return low != 0 ? static_cast<std::size_t>(std::countr_zero(low)) / 16
                    : 4 + static_cast<std::size_t>(std::countr_zero(high)) / 16;
  }
  std::size_t Last() const {
    return high != 0 ? 4 + static_cast<std::size_t>(63 - std::countl_zero(high)) / 16
                     : static_cast<std::size_t>(63 - std::countl_zero(low)) / 16;
  }
};

UnitSet::UnitSet(std::u16string_view units) : count_(units.size()) {
  if (units.size() > kMaxUnits) throw std::length_error("too many units to search for at once");
  // Every block is tested against all kMaxUnits entries, a loop the compiler unrolls; the entries past the
  // set's own repeat its first unit, which changes no result.
  for (std::size_t i = 0; i < kMaxUnits; ++i) {
    units_[i] = i < units.size() ? units[i] : units.empty() ? char16_t{0} : units[0];
    // The unit is widened by hand: clang 14 crashes on a char16_t operand beside a vector.
    broadcast_[i] = Block{} + static_cast<std::uint16_t>(units_[i]);
  }
}

UnitSet::Hits UnitSet::HitsIn(const char16_t* start) const {
  Block block;
  std::memcpy(&block, start, sizeof block);
  Block matches{};
  for (const Block& unit : broadcast_) matches |= static_cast<Block>(block == unit);
  Hits hits;
  std::memcpy(&hits.low, &matches, sizeof hits.low);
  std::memcpy(&hits.high, reinterpret_cast<const char*>(&matches) + sizeof hits.low, sizeof hits.high);
  return hits;
}

bool UnitSet::Holds(char16_t unit) const {
  for (std::size_t i = 0; i < count_; ++i) {
    if (units_[i] == unit) return true;
  }
  return false;
}

std::size_t UnitSet::FindIn(std::u16string_view text, std::size_t from) const {
  if (count_ == 0) return std::u16string_view::npos;
  std::size_t at = from;
  for (; at + kBlockUnits <= text.size(); at += kBlockUnits) {
    if (const Hits hits = HitsIn(text.data() + at)) return at + hits.First();
  }
  for (; at < text.size(); ++at) {
    if (Holds(text[at])) return at;
  }
  return std::u16string_view::npos;
}

std::size_t UnitSet::FindLastIn(std::u16string_view text, std::size_t end) const {
  if (count_ == 0) return std::u16string_view::npos;
  std::size_t before = end < text.size() ? end : text.size();
  for (; before >= kBlockUnits; before -= kBlockUnits) {
    if (const Hits hits = HitsIn(text.data() + before - kBlockUnits))
      return before - kBlockUnits + hits.Last();
  }
  for (; before > 0; --before) {
    if (Holds(text[before - 1])) return before - 1;
  }
  return std::u16string_view::npos;
}

}  // namespace tandrel::engine
