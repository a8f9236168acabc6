#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tandrel::cli {

// Source text is mostly ASCII, which every encoding read here without iconv maps to the same code points:
// its decoders take sixteen plain bytes at a time while there are.
inline constexpr std::size_t kBlockBytes = 16;

// Writes the sixteen bytes at `bytes` to `out` as 16-bit units when all of them are ASCII; returns whether
// they were.
inline bool WidenAscii(const unsigned char* bytes, char16_t* out) {
  using Bytes = std::uint8_t __attribute__((vector_size(kBlockBytes)));
  using Units = std::uint16_t __attribute__((vector_size(kBlockBytes * 2)));
  Bytes block;
  std::memcpy(&block, bytes, sizeof block);
  std::uint64_t halves[2];
  std::memcpy(halves, &block, sizeof halves);
  if (((halves[0] | halves[1]) & 0x8080808080808080ULL) != 0) return false;
  const Units units = __builtin_convertvector(block, Units);
  std::memcpy(out, &units, sizeof units);
  return true;
}

}  // namespace tandrel::cli
