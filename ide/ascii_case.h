#pragma once

#include <algorithm>
#include <string_view>

namespace tandrel::ide {

// ASCII letters in either case, as Basic's keywords and the names of keys are written: nothing beyond ASCII
// folds.
inline char16_t AsciiUpper(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

inline bool SameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return AsciiUpper(x) == AsciiUpper(y); });
}

}  // namespace tandrel::ide
