#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tandrel::engine {

// A few UTF-16 units searched for together. The searches walk nearly every character of the lines they pass,
// so they test eight units at a time; the compiler maps that onto vector registers where the target has them.
class UnitSet {
 public:
  // At most six units; more raise std::length_error.
  explicit UnitSet(std::u16string_view units);

  // The index of the first unit at or after `from` that is in the set; npos when there is none.
  std::size_t FindIn(std::u16string_view text, std::size_t from) const;
  // The index of the last unit before `end` that is in the set; npos when there is none.
  std::size_t FindLastIn(std::u16string_view text, std::size_t end) const;

 private:
  using Block = std::uint16_t __attribute__((vector_size(16)));
  static constexpr std::size_t kBlockUnits = sizeof(Block) / sizeof(char16_t);
  static constexpr std::size_t kMaxUnits = 6;

  struct Hits;
  // The searches for a set of kUnits units: each block is compared with exactly those, in a loop the
  // compiler unrolls.
  template <std::size_t kUnits>
  Hits HitsIn(const char16_t* start) const;
  template <std::size_t kUnits>
  std::size_t FindInOf(std::u16string_view text, std::size_t from) const;
  template <std::size_t kUnits>
  std::size_t FindLastInOf(std::u16string_view text, std::size_t end) const;
  bool Holds(char16_t unit) const;

  std::array<char16_t, kMaxUnits> units_;
  std::array<Block, kMaxUnits> broadcast_;  // each unit repeated across a block; entries past count_ unset
  std::size_t count_ = 0;
};

}  // namespace tandrel::engine
