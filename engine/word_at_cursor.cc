#include "engine/word_at_cursor.h"

#include "engine/basic_text.h"

namespace tandrel::engine {

std::u16string GetWordAtCursor(ide::CodeModule& module, std::int32_t lineNo, std::int32_t& col,
                               ReverseSearch lastOccurrence) {
  const std::u16string line = module.Lines(lineNo, 1);
  const Text text = line;

  std::int32_t wordEnd = InStr(col, text, u" ");
  if (wordEnd == 0) wordEnd = Len(text);
  // The word is cut from the delimiting space itself; trimming drops it again.
  std::int32_t cutStart = lastOccurrence(text, u" ", col);
  std::int32_t startColumn = cutStart + 1;
  if (cutStart == 0) cutStart = startColumn = 1;
  col = startColumn;
  if (cutStart > wordEnd) return {};

  Text word = Trim(Mid(text, cutStart, wordEnd - cutStart + 1));
  if (!word.empty() && word.front() == u'\'') {
    word.remove_prefix(1);
    ++col;
  }
  if (word == u"End") {
    const std::int32_t nextSpace = InStr(static_cast<std::int64_t>(wordEnd) + 1, text, u" ");
    return std::u16string(nextSpace == 0 ? Trim(Mid(text, cutStart))
                                         : Trim(Mid(text, cutStart, nextSpace - cutStart + 1)));
  }
  if (cutStart >= 4 && Mid(text, cutStart - 3, 3) == u"End") {
    col = cutStart - 3;
    return u"End " + std::u16string(word);
  }
  return std::u16string(word);
}

}  // namespace tandrel::engine
