#include "engine/unit_search.h"

#include <bit>
#include <cstring>
#include <stdexcept>
#include <type_traits>

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
  // Forgets the units before `unit` (0 to 8), or those from it on: a block read that overlaps units
  // already searched, or lying outside the range searched, keeps only the others.
  void KeepFrom(std::size_t unit) {
    low &= HalfFrom(unit);
    high &= unit <= 4 ? ~std::uint64_t{0} : HalfFrom(unit - 4);
  }
  void KeepBefore(std::size_t unit) {
    low &= ~HalfFrom(unit);
    high &= unit <= 4 ? 0 : ~HalfFrom(unit - 4);
  }

 private:
  // The bits of a half's units from `unit` on.
  static std::uint64_t HalfFrom(std::size_t unit) { return unit >= 4 ? 0 : ~std::uint64_t{0} << (16 * unit); }
};

UnitSet::UnitSet(std::u16string_view units) : count_(units.size()) {
  if (units.size() > kMaxUnits) throw std::length_error("too many units to search for at once");
  for (std::size_t i = 0; i < count_; ++i) {
    units_[i] = units[i];
    // The unit is widened by hand: clang 14 crashes on a char16_t operand beside a vector.
    broadcast_[i] = Block{} + static_cast<std::uint16_t>(units[i]);
  }
}

template <std::size_t kUnits>
UnitSet::Hits UnitSet::HitsIn(const char16_t* start) const {
  Block block;
  std::memcpy(&block, start, sizeof block);
  Block matches{};
#pragma GCC unroll 8
  for (std::size_t i = 0; i < kUnits; ++i) matches |= static_cast<Block>(block == broadcast_[i]);
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

template <std::size_t kUnits>
std::size_t UnitSet::FindInOf(std::u16string_view text, std::size_t from) const {
  std::size_t at = from;
  for (; at + kBlockUnits <= text.size(); at += kBlockUnits) {
    if (const Hits hits = HitsIn<kUnits>(text.data() + at)) return at + hits.First();
  }
  if (at >= text.size()) return std::u16string_view::npos;
  // The last few units are read as the text's last block, which overlaps units already searched.
  if (text.size() >= kBlockUnits) {
    const std::size_t start = text.size() - kBlockUnits;
    Hits hits = HitsIn<kUnits>(text.data() + start);
    hits.KeepFrom(at - start);
    return hits ? start + hits.First() : std::u16string_view::npos;
  }
  for (; at < text.size(); ++at) {
    if (Holds(text[at])) return at;
  }
  return std::u16string_view::npos;
}

template <std::size_t kUnits>
std::size_t UnitSet::FindLastInOf(std::u16string_view text, std::size_t end) const {
  std::size_t before = end < text.size() ? end : text.size();
  for (; before >= kBlockUnits; before -= kBlockUnits) {
    if (const Hits hits = HitsIn<kUnits>(text.data() + before - kBlockUnits))
      return before - kBlockUnits + hits.Last();
  }
  if (before == 0) return std::u16string_view::npos;
  if (text.size() >= kBlockUnits) {
    Hits hits = HitsIn<kUnits>(text.data());
    hits.KeepBefore(before);
    return hits ? hits.Last() : std::u16string_view::npos;
  }
  for (; before > 0; --before) {
    if (Holds(text[before - 1])) return before - 1;
  }
  return std::u16string_view::npos;
}

namespace {

// Calls `search` with the set's size as a compile-time constant, one case for each size up to kMaxUnits; an
// empty set finds nothing.
template <typename Search>
std::size_t WithUnitCount(std::size_t count, Search search) {
  using std::integral_constant;
  switch (count) {
    case 1:
      return search(integral_constant<std::size_t, 1>{});
    case 2:
      return search(integral_constant<std::size_t, 2>{});
    case 3:
      return search(integral_constant<std::size_t, 3>{});
    case 4:
      return search(integral_constant<std::size_t, 4>{});
    case 5:
      return search(integral_constant<std::size_t, 5>{});
    case 6:
      return search(integral_constant<std::size_t, 6>{});
    default:
      return std::u16string_view::npos;
  }
}

}  // namespace

std::size_t UnitSet::FindIn(std::u16string_view text, std::size_t from) const {
  return WithUnitCount(count_, [&](auto units) { return FindInOf<units()>(text, from); });
}

std::size_t UnitSet::FindLastIn(std::u16string_view text, std::size_t end) const {
  return WithUnitCount(count_, [&](auto units) { return FindLastInOf<units()>(text, end); });
}

}  // namespace tandrel::engine
