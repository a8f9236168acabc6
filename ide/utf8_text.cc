#include "ide/utf8_text.h"

namespace tandrel::ide {

std::string ToUtf8(std::u16string_view text) {
  std::string utf8;
  utf8.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t codePoint = text[i];
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
      const bool pair =
          codePoint <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
      codePoint = pair ? 0x10000 + ((codePoint - 0xD800) << 10) + (text[++i] - 0xDC00) : 0xFFFD;
    }
    if (codePoint < 0x80) {
      utf8 += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
      utf8 += static_cast<char>(0xC0 | codePoint >> 6);
      utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
      utf8 += static_cast<char>(0xE0 | codePoint >> 12);
      utf8 += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
      utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | codePoint >> 18);
      utf8 += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
      utf8 += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
      utf8 += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
  }
  return utf8;
}

}  // namespace tandrel::ide
