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

std::size_t HeaderLineCount(const sim::ModuleText& file) {
  std::size_t next = 0;
  const auto firstWordIs = [&](std::u16string_view keyword) {
    return next < file.LineCount() && IsKeyword(FirstWord(file.Line(next)), keyword);
  };

  if (firstWordIs(u"version")) {
    ++next;
    while (firstWordIs(u"object")) ++next;
    if (firstWordIs(u"begin")) {
      // Controls nest their own Begin ... End, and property groups BeginProperty ... EndProperty.
      int depth = 0;
      for (; next < file.LineCount(); ++next) {
        const auto word = FirstWord(file.Line(next));
        if (IsKeyword(word, u"begin") || IsKeyword(word, u"beginproperty")) ++depth;
        if (IsKeyword(word, u"end") || IsKeyword(word, u"endproperty")) --depth;
        if (depth == 0) break;
      }
      if (next == file.LineCount()) return 0;
      ++next;
    }
  }
  while (firstWordIs(u"attribute")) ++next;
  return next;
}

bool IsMemberAttributeLine(std::u16string_view line) {
  // The IDE writes them from the first column; most lines are done with at their first character.
  if (line.empty() || (line[0] != u'A' && line[0] != u'a')) return false;
  const std::u16string_view word = FirstWord(line);
  if (!IsKeyword(word, u"attribute")) return false;
  std::u16string_view rest = line.substr(word.size());
  const std::size_t name = rest.find_first_not_of(u" \t");
  if (name == 0 || name == std::u16string_view::npos) return false;
  rest.remove_prefix(name);
  const std::size_t point = rest.find_first_of(u". \t");
  if (point == 0 || point == std::u16string_view::npos || rest[point] != u'.') return false;
  return IsKeyword(rest.substr(point + 1, 3), u"vb_");
}

}  // namespace tandrel::cli
