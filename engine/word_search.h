#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/module_lines.h"
#include "engine/scan_position.h"

namespace tandrel::engine {

// The words a walk stops at, in order of precedence. It also knows which characters can begin one of them,
// so that a walk passes over the rest of a line without testing every word at every column.
class WordList {
 public:
  explicit WordList(std::vector<std::u16string> words);

  const std::vector<std::u16string>& Words() const { return words_; }
  // False only when no word begins with `c`. Exact for ASCII, which is nearly all of any module: a letter
  // that shared a bit with a word's first character would send the walk to test every word at its columns.
  bool MayStart(char16_t c) const {
    return c < 128 ? (asciiFirst_[c >> 6U] >> (c & 63U)) & 1U : (otherFirst_ >> (c & 63U)) & 1U;
  }

  friend bool operator==(const WordList& a, const WordList& b) { return a.words_ == b.words_; }

 private:
  std::vector<std::u16string> words_;
  std::array<std::uint64_t, 2> asciiFirst_{};
  std::uint64_t otherFirst_ = 0;
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
