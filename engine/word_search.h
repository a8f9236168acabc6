#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/module_lines.h"
#include "engine/scan_position.h"
#include "engine/unit_search.h"

namespace tandrel::engine {

// A set of characters, exact for ASCII (nearly all of any module) and coarse above it.
class CharacterSet {
 public:
  void Add(char16_t c) { (c < 128 ? ascii_[c >> 6U] : other_) |= std::uint64_t{1} << (c & 63U); }
  // False only when `c` was never added.
  bool MayHold(char16_t c) const { return ((c < 128 ? ascii_[c >> 6U] : other_) >> (c & 63U)) & 1U; }

 private:
  std::array<std::uint64_t, 2> ascii_{};
  std::uint64_t other_ = 0;
};

// Whether a whole word can begin at column `col` of `line` (which lies on the line): at the line's start, or
// after a space or an apostrophe.
inline bool StartsWholeWord(std::u16string_view line, std::int64_t col) {
  return col == 1 || line[static_cast<std::size_t>(col - 2)] == u' ' ||
         line[static_cast<std::size_t>(col - 2)] == u'\'';
}

// The words a walk stops at, in order of precedence. It also knows where one of them can begin, so that a
// walk passes over the rest of a line without testing every word at every column: a one-character word
// anywhere, a longer one only where a whole word can start.
class WordList {
 public:
  // The words may begin with at most six different characters; a search's list has five words at most.
  explicit WordList(std::vector<std::u16string> words);

  const std::vector<std::u16string>& Words() const { return words_; }
  // Whether a word could stand on a line of spaces; none of the add-in's ever does.
  bool MayStandOnBlankLine() const { return wholeWords_.MayHold(u' ') || anywhere_.MayHold(u' '); }
  // The characters the words begin with.
  const UnitSet& FirstCharacters() const { return firstCharacters_; }
  // False only when no word can stand at index `at` of `line`.
  bool MayStandAt(std::u16string_view line, std::size_t at) const {
    const char16_t c = line[at];
    if (anywhere_.MayHold(c)) return true;
    return wholeWords_.MayHold(c) && StartsWholeWord(line, static_cast<std::int64_t>(at) + 1);
  }

 private:
  std::vector<std::u16string> words_;
  UnitSet firstCharacters_;
  CharacterSet anywhere_;    // first characters of one-character words
  CharacterSet wholeWords_;  // first characters of longer words
};

// The first word of `words` standing at column `col` of `line`, or empty. A one-character word stands
// anywhere; a longer word only as a whole word: at the line's start or after a space or an apostrophe, and
// before a space or the line's end.
std::u16string_view WordAt(std::u16string_view line, std::int32_t col, const WordList& words);

// Walks from `position` (itself examined) in its direction, column by column and line by line, to the first
// place where a word of `words` stands. On a find, `position` holds its line and first column and the word is
// returned; when the walk runs off the module the result is empty and only `lineText` has moved (to the last
// line visited).
std::u16string_view FindNextWord(ScanPosition& position, const WordList& words, ModuleLines& lines);

}  // namespace tandrel::engine
