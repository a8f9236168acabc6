#include "cli/module_header.h"

#include <algorithm>
#include <string_view>

namespace tandrel::cli {
namespace {

// The header's keywords, which the IDE writes as "Begin" in forms and "BEGIN" in classes.
bool IsKeyword(std::u16string_view word, std::u16string_view lowerCaseKeyword) {
  return std::ranges::equal(word, lowerCaseKeyword, [](char16_t a, char16_t b) {
    return (a >= u'A' && a <= u'Z' ? static_cast<char16_t>(a - u'A' + u'a') : a) == b;
  });
}

std::u16string_view FirstWord(std::u16string_view line) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  const auto start = std::ranges::find_if_not(line, blank);
  const auto end = std::find_if(start, line.end(), blank);
  return line.substr(static_cast<std::size_t>(start - line.begin()), static_cast<std::size_t>(end - start));
}

}  // namespace

std::size_t HeaderLineCount(const std::vector<std::u16string>& lines) {
  std::size_t next = 0;
  const auto firstWordIs = [&](std::u16string_view keyword) {
    return next < lines.size() && IsKeyword(FirstWord(lines[next]), keyword);
  };

  if (firstWordIs(u"version")) {
    ++next;
    while (firstWordIs(u"object")) ++next;
    if (firstWordIs(u"begin")) {
      // Controls nest their own Begin ... End, and property groups BeginProperty ... EndProperty.
      int depth = 0;
      for (; next < lines.size(); ++next) {
        const auto word = FirstWord(lines[next]);
        if (IsKeyword(word, u"begin") || IsKeyword(word, u"beginproperty")) ++depth;
        if (IsKeyword(word, u"end") || IsKeyword(word, u"endproperty")) --depth;
        if (depth == 0) break;
      }
      if (next == lines.size()) return 0;
      ++next;
    }
  }
  while (firstWordIs(u"attribute")) ++next;
  return next;
}

}  // namespace tandrel::cli
