#include "command/match_rules.h"

#include "engine/basic_text.h"
#include "engine/comment_start.h"

namespace tandrel::command {
namespace {

LineComment StandardComment(std::u16string_view lineText, std::u16string_view quoteMark,
                            std::u16string_view commentMark) {
  return {engine::FindCommentStart(lineText, quoteMark, commentMark), true};
}

}  // namespace

const MatchRules kStandardRules{engine::InStrRev, StandardComment, false};

}  // namespace tandrel::command
