#include "cli/windows1252.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "cli/ascii_block.h"

namespace tandrel::cli {
namespace {

// 0x80 to 0x9F; every other byte is the code point of the same number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t FromByte(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t{byte};
}

}  // namespace

bool NamesWindows1252(std::string_view name) {
  const auto is = [name](std::string_view known) {
    return std::ranges::equal(name, known, [](char given, char lower) {
      return (given >= 'A' && given <= 'Z' ? static_cast<char>(given - 'A' + 'a') : given) == lower;
    });
  };
  return is("cp1252") || is("windows-1252");
}

void AppendWindows1252(std::string_view bytes, std::u16string& out) {
  const std::size_t start = out.size();
  out.resize(start + bytes.size());
  char16_t* next = out.data() + start;
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  while (i < size) {
    if (i + kBlockBytes <= size && WidenAscii(in + i, next)) {
      next += kBlockBytes;
      i += kBlockBytes;
      continue;
    }
    *next++ = FromByte(in[i++]);
  }
}

void RereadUtf8AsWindows1252(std::u16string& text) {
  // Each character becomes as many characters as UTF-8 gave it bytes, never fewer than it has units, so
  // working back from the end never overwrites a unit not yet read.
  std::size_t grown = text.size();
  for (const char16_t unit : text) {
    if (unit >= 0x80) grown += unit < 0x800 ? 1 : unit >= 0xD800 && unit <= 0xDFFF ? 1 : 2;
  }
  std::size_t from = text.size();
  text.resize(grown);
  std::size_t to = grown;
  const auto put = [&](std::uint32_t byte) { text[--to] = FromByte(static_cast<unsigned char>(byte)); };
  while (from > 0) {
    char32_t codePoint = text[--from];
    if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) {
      // Valid UTF-8 gives surrogates only in pairs.
      codePoint = 0x10000 + ((char32_t{text[--from]} - 0xD800) << 10) + (codePoint - 0xDC00);
    }
    if (codePoint < 0x80) {
      put(codePoint);
    } else if (codePoint < 0x800) {
      put(0x80 | (codePoint & 0x3F));
      put(0xC0 | codePoint >> 6);
    } else if (codePoint < 0x10000) {
      put(0x80 | (codePoint & 0x3F));
      put(0x80 | (codePoint >> 6 & 0x3F));
      put(0xE0 | codePoint >> 12);
    } else {
      put(0x80 | (codePoint & 0x3F));
      put(0x80 | (codePoint >> 6 & 0x3F));
      put(0x80 | (codePoint >> 12 & 0x3F));
      put(0xF0 | codePoint >> 18);
    }
  }
}

}  // namespace tandrel::cli
