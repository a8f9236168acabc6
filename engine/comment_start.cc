#include "engine/comment_start.h"

#include "engine/unit_search.h"

namespace tandrel::engine {

std::int32_t FindCommentStart(std::u16string_view lineText, std::u16string_view quoteMark,
                              std::u16string_view commentMark) {
  // Only one-character marks are ever recognised.
  if (commentMark.size() != 1) return 0;
  // Most lines hold no comment mark at all, which one pass tells.
  if (UnitSet(commentMark).FindIn(lineText, 0) == std::u16string_view::npos) return 0;
  const char16_t marks[] = {commentMark[0], quoteMark.empty() ? commentMark[0] : quoteMark[0]};
  const UnitSet markSet(std::u16string_view(marks, quoteMark.size() == 1 ? 2 : 1));
  bool inLiteral = false;
  for (std::size_t at = 0;; ++at) {
    at = markSet.FindIn(lineText, at);
    if (at == std::u16string_view::npos) return 0;
    if (quoteMark.size() == 1 && lineText[at] == quoteMark[0]) {
      inLiteral = !inLiteral;  // a doubled quotation mark flips twice
    } else if (!inLiteral) {
      return static_cast<std::int32_t>(at + 1);
    }
  }
}

}  // namespace tandrel::engine
