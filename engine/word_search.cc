#include "engine/word_search.h"

#include "engine/basic_text.h"

namespace tandrel::engine {
namespace {

bool StandsAlone(std::u16string_view line, std::int32_t col, std::int32_t length) {
  if (length == 1) return true;
  const bool before = col == 1 || line[static_cast<std::size_t>(col - 2)] == u' ' ||
                      line[static_cast<std::size_t>(col - 2)] == u'\'';
  const std::int64_t next = static_cast<std::int64_t>(col) + length;
  const bool after = next > Len(line) || line[static_cast<std::size_t>(next - 1)] == u' ';
  return before && after;
}

// Moves `col` in `direction` past the characters that begin no word, staying within the line or stopping
// just off it. The word tests at the skipped columns would all have failed.
std::int32_t SkipToCandidate(std::u16string_view line, std::int32_t col, std::int32_t direction,
                             const WordList& words) {
  const std::int32_t length = Len(line);
  while (col >= 1 && col <= length && !words.MayStart(line[static_cast<std::size_t>(col - 1)]))
    col += direction;
  return col;
}

}  // namespace

WordList::WordList(std::vector<std::u16string> words) : words_(std::move(words)) {
  for (const auto& word : words_) {
    if (word.empty()) continue;
    const char16_t first = word[0];
    (first < 128 ? asciiFirst_[first >> 6U] : otherFirst_) |= std::uint64_t{1} << (first & 63U);
  }
}

std::u16string_view WordAt(std::u16string_view line, std::int32_t col, const WordList& words) {
  if (col < 1) return {};
  for (const auto& word : words.Words()) {
    const std::int32_t length = Len(word);
    if (length == 0 || static_cast<std::int64_t>(col) + length - 1 > Len(line)) continue;
    if (line[static_cast<std::size_t>(col - 1)] != word[0]) continue;
    if (line.substr(static_cast<std::size_t>(col - 1), word.size()) != word) continue;
    if (StandsAlone(line, col, length)) return word;
  }
  return {};
}

std::u16string_view FindNextWord(ScanPosition& position, const WordList& words, ModuleLines& lines) {
  ScanPosition walk = position;
  position.lineText = lines.Line(position.lineNo);
  walk.lineText = position.lineText;
  for (;;) {
    // Within a line only columns where a word can begin are tested. A line of spaces offers none unless a
    // word begins with a space; only then is the blank test, settled once per line, worth its pass over the
    // indentation.
    const std::int32_t lineNo = walk.lineNo;
    const bool blank = words.MayStart(u' ') && IsBlank(walk.lineText.View());
    do {
      if (!blank) {
        const std::u16string_view line = walk.lineText.View();
        walk.col = SkipToCandidate(line, walk.col, walk.direction, words);
        if (auto word = WordAt(line, walk.col, words); !word.empty()) {
          position.lineNo = walk.lineNo;
          position.col = walk.col;
          position.lineText = walk.lineText;
          return word;
        }
      }
      if (!StepPosition(walk, 1, lines)) {
        position.lineText = walk.lineText;
        return {};
      }
    } while (walk.lineNo == lineNo);
  }
}
}  // namespace tandrel::engine
