#pragma once

#include <cstdint>
#include <string_view>

// Basic's string functions over the IDE's 16-bit text, 1-based as Basic counts. Positions outside the text
// hold no character: where Basic would raise an error for a start before column 1, these take the part of the
// range that lies in the text, so no column ever reads outside a line.
namespace tandrel::engine {

using Text = std::u16string_view;

inline std::int32_t Len(Text text) { return static_cast<std::int32_t>(text.size()); }

// The characters at positions start .. start + length - 1 that exist in `text`.
Text Mid(Text text, std::int64_t start, std::int64_t length);
// The characters from `start` to the end of `text`.
Text Mid(Text text, std::int64_t start);
inline Text Left(Text text, std::int64_t length) { return Mid(text, 1, length); }

// Trimming removes spaces (code 32) only; a tab is kept.
Text LTrim(Text text);
Text RTrim(Text text);
inline Text Trim(Text text) { return LTrim(RTrim(text)); }

// The first position at or after `start` where `match` begins; 0 when there is none.
std::int32_t InStr(std::int64_t start, Text text, Text match);
// The last position at which `match` begins and ends at or before `end`; 0 when there is none.
std::int32_t LastEndingBy(Text text, Text match, std::int64_t end);

// The column of the first character that is not a space; Len + 1 for a blank line.
std::int32_t FirstNonSpace(Text text);
inline bool IsBlank(Text text) { return FirstNonSpace(text) > Len(text); }

// True when position `col` holds exactly the one-character `mark`.
inline bool HoldsMark(Text text, std::int64_t col, Text mark) {
  return mark.size() == 1 && col >= 1 && col <= Len(text) &&
         text[static_cast<std::size_t>(col - 1)] == mark[0];
}

// The run time's reverse search: the last position at which `match` begins and ends at or before `start`;
// 0 when there is none, and always 0 for a start before column 1 or past the end of the text.
std::int32_t InStrRev(Text text, Text match, std::int64_t start);

}  // namespace tandrel::engine
