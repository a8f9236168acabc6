#include "addin5/vb5_rules.h"

#include "addin5/reverse_find.h"
#include "engine/basic_text.h"

namespace tandrel::addin5 {
namespace {

command::LineComment FirstCommentMark(std::u16string_view lineText, std::u16string_view quoteMark,
                                      std::u16string_view commentMark) {
  const std::int32_t commentStart = engine::InStr(1, lineText, commentMark);
  const std::int32_t firstQuote = engine::InStr(1, lineText, quoteMark);
  return {commentStart, firstQuote == 0 || firstQuote > commentStart};
}

}  // namespace

const command::MatchRules kVb5Rules{ReverseFind, FirstCommentMark, true};

}  // namespace tandrel::addin5
