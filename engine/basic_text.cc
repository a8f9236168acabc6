#include "engine/basic_text.h"

#include <algorithm>

#include "engine/unit_search.h"

namespace tandrel::engine {

Text Mid(Text text, std::int64_t start, std::int64_t length) {
  const std::int64_t first = std::max<std::int64_t>(start, 1);
  const std::int64_t last = std::min<std::int64_t>(start + std::max<std::int64_t>(length, 0) - 1, Len(text));
  if (first > last) return {};
  return text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}

// From a column before the text, the range reaches its end all the same.
Text Mid(Text text, std::int64_t start) { return Mid(text, std::max<std::int64_t>(start, 1), Len(text)); }

// Plain loops: the library's find_first_not_of tests each character against a set, and every line a search
// reaches is trimmed or measured this way.
Text LTrim(Text text) {
  std::size_t first = 0;
  while (first < text.size() && text[first] == u' ') ++first;
  return text.substr(first);
}

Text RTrim(Text text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == u' ') --end;
  return text.substr(0, end);
}

// Both searches look for the match's first unit a block at a time, then compare the rest: lines are
// searched for one-unit marks over and over.
std::int32_t InStr(std::int64_t start, Text text, Text match) {
  const std::int64_t from = std::max<std::int64_t>(start, 1);
  if (from > Len(text)) return 0;
  if (match.empty()) return static_cast<std::int32_t>(from);
  const UnitSet first(match.substr(0, 1));
  for (auto at = static_cast<std::size_t>(from - 1);; ++at) {
    at = first.FindIn(text, at);
    if (at == Text::npos || match.size() > text.size() - at) return 0;
    if (text.substr(at, match.size()) == match) return static_cast<std::int32_t>(at + 1);
  }
}

std::int32_t LastEndingBy(Text text, Text match, std::int64_t end) {
  const std::int64_t last = std::min<std::int64_t>(end, Len(text)) - Len(match);
  if (last < 0) return 0;
  if (match.empty()) return static_cast<std::int32_t>(last + 1);
  const UnitSet first(match.substr(0, 1));
  for (auto before = static_cast<std::size_t>(last + 1);;) {
    const std::size_t at = first.FindLastIn(text, before);
    if (at == Text::npos) return 0;
    if (text.substr(at, match.size()) == match) return static_cast<std::int32_t>(at + 1);
    before = at;
  }
}

std::int32_t FirstNonSpace(Text text) { return Len(text) - Len(LTrim(text)) + 1; }

std::int32_t InStrRev(Text text, Text match, std::int64_t start) {
  if (start < 1 || start > Len(text)) return 0;
  return LastEndingBy(text, match, start);
}

}  // namespace tandrel::engine
