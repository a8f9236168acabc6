#pragma once

#include <cstdint>
#include <string_view>

#include "engine/word_at_cursor.h"

namespace tandrel::command {

// Where a line's comment starts, as the partner search sees it.
struct LineComment {
  std::int32_t start = 0;  // column of the comment mark, 0 when the line has none
  // Whether a backward walk that stops inside the comment jumps to before it.
  bool skippedBackward = true;
};

// The rules by which the two builds search a line's text differently; everything else is shared.
struct MatchRules {
  // Finds the last space at or before the caret, and the quotation mark before a column in a backward walk.
  engine::ReverseSearch reverseFind;
  LineComment (*findComment)(std::u16string_view lineText, std::u16string_view quoteMark,
                             std::u16string_view commentMark);
  // Whether a "Then" on a comment line of a search that started in a comment is cut before its comment too.
  bool cutsThenLineInCommentMode;
};

// The VB6 build's rules: the run time's reverse search, and comments that start outside string literals.
extern const MatchRules kStandardRules;

}  // namespace tandrel::command
