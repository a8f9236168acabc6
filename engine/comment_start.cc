#include "engine/comment_start.h"

#include "engine/basic_text.h"

namespace tandrel::engine {

std::int32_t FindCommentStart(std::u16string_view lineText, std::u16string_view quoteMark,
                              std::u16string_view commentMark) {
  bool inLiteral = false;
  for (std::int32_t col = 1; col <= Len(lineText); ++col) {
    if (HoldsMark(lineText, col, quoteMark)) {
      inLiteral = !inLiteral;  // a doubled quotation mark flips twice
    } else if (!inLiteral && HoldsMark(lineText, col, commentMark)) {
      return col;
    }
  }
  return 0;
}

}  // namespace tandrel::engine
