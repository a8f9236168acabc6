#include "engine/word_search.h"

#include "engine/basic_text.h"
#include "engine/unit_search.h"

namespace tandrel::engine {
namespace {

bool StandsAlone(std::u16string_view line, std::int32_t col, std::int32_t length) {
  if (length == 1) return true;
  const bool before = StartsWholeWord(line, col);
  const std::int64_t next = static_cast<std::int64_t>(col) + length;
  const bool after = next > Len(line) || line[static_cast<std::size_t>(next - 1)] == u' ';
  return before && after;
}

// Moves `col` in `direction` past the columns where no word can stand, staying within the line or stopping
// just off it: the word tests at the skipped columns would all have failed.
std::int32_t SkipToCandidate(std::u16string_view line, std::int32_t col, std::int32_t direction,
                             const WordList& words) {
  if (col < 1 || col > Len(line)) return col;
  if (direction > 0) {
    for (auto at = static_cast<std::size_t>(col - 1);; ++at) {
      at = words.FirstCharacters().FindIn(line, at);
      if (at == std::u16string_view::npos) return Len(line) + 1;
      if (words.MayStandAt(line, at)) return static_cast<std::int32_t>(at + 1);
    }
  }
  for (auto end = static_cast<std::size_t>(col);;) {
    const std::size_t at = words.FirstCharacters().FindLastIn(line, end);
    if (at == std::u16string_view::npos) return 0;
    if (words.MayStandAt(line, at)) return static_cast<std::int32_t>(at + 1);
    end = at;
  }
}

// Word comparisons are short; a loop beats a call to memcmp.
bool OccursAt(std::u16string_view line, std::size_t at, std::u16string_view word) {
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (line[at + i] != word[i]) return false;
  }
  return true;
}

// Each first character once: a list of five words begins with at most five.
std::u16string DistinctFirstCharacters(const std::vector<std::u16string>& words) {
  std::u16string firsts;
  for (const auto& word : words) {
    if (!word.empty() && firsts.find(word[0]) == std::u16string::npos) firsts += word[0];
  }
  return firsts;
}

}  // namespace

WordList::WordList(std::vector<std::u16string> words)
    : words_(std::move(words)), firstCharacters_(DistinctFirstCharacters(words_)) {
  for (const auto& word : words_) {
    if (!word.empty()) (word.size() == 1 ? anywhere_ : wholeWords_).Add(word[0]);
  }
}

std::u16string_view WordAt(std::u16string_view line, std::int32_t col, const WordList& words) {
  if (col < 1 || col > Len(line)) return {};
  const char16_t first = line[static_cast<std::size_t>(col - 1)];
  for (const auto& word : words.Words()) {
    if (word.empty() || word[0] != first) continue;
    const std::int32_t length = Len(word);
    if (static_cast<std::int64_t>(col) + length - 1 > Len(line)) continue;
    if (!OccursAt(line, static_cast<std::size_t>(col - 1), word)) continue;
    if (StandsAlone(line, col, length)) return word;
  }
  return {};
}

std::u16string_view FindNextWord(ScanPosition& position, const WordList& words, ModuleLines& lines) {
  // The walk moves `position` itself; a walk that finds nothing puts its line and column back.
  const std::int32_t startLine = position.lineNo;
  const std::int32_t startColumn = position.col;
  lines.Load(position.lineText, position.lineNo);
  for (;;) {
    // A blank line is not tested. Only the columns where a word can stand are, so the test for a blank line
    // is needed only when a word could stand among spaces.
    const std::int32_t lineNo = position.lineNo;
    const bool blank = words.MayStandOnBlankLine() && position.lineText.IsBlank();
    do {
      if (!blank) {
        const std::u16string_view line = position.lineText.View();
        position.col = SkipToCandidate(line, position.col, position.direction, words);
        if (auto word = WordAt(line, position.col, words); !word.empty()) return word;
      }
      if (!StepPosition(position, 1, lines)) {
        position.lineNo = startLine;
        position.col = startColumn;
        return {};
      }
    } while (position.lineNo == lineNo);
  }
}

}  // namespace tandrel::engine
