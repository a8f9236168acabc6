#include "command/match_selection.h"

#include <cstdlib>

#include "command/long_arithmetic.h"
#include "command/messages.h"
#include "command/partner_search.h"
#include "engine/basic_text.h"
#include "engine/word_at_cursor.h"
#include "ide/error.h"

namespace tandrel::command {
namespace {

// The partner search runs behind the hourglass; the pointer comes back even when an IDE call fails.
SearchResult SearchBehindHourglass(ide::CodeModule& module, SearchRequest request,
                                   const MatchContext& context) {
  context.runtime.SetMousePointer(ide::kPointerHourglass);
  context.runtime.DoEvents();
  try {
    SearchResult result = SearchPartner(module, std::move(request), context);
    context.runtime.SetMousePointer(ide::kPointerDefault);
    return result;
  } catch (...) {
    context.runtime.SetMousePointer(ide::kPointerDefault);
    throw;
  }
}

}  // namespace

void MatchSelection(const MatchContext& context) {
  const std::shared_ptr<ide::CodePane> pane =
      ide::Require(ide::Require(context.vbInstance)->ActiveCodePane());
  const ide::Selection selection = pane->GetSelection();
  std::int32_t startLine = selection.startLine;
  std::int32_t startColumn = selection.startColumn;
  // The IDE reports a bare caret as a one-character selection; across lines only the columns count.
  const std::int32_t selLength =
      startLine == selection.endLine && startColumn == selection.endColumn
          ? 1
          : CheckedLong(std::llabs(std::int64_t{selection.endColumn} - startColumn));

  const std::shared_ptr<ide::CodeModule> module = ide::Require(pane->CodeModule());
  // As many lines as the start column counts: only the start line matters, but a caret just past its end
  // then sees the CR of the line break that follows.
  const std::u16string text = module->Lines(startLine, startColumn);
  std::u16string selText(engine::Mid(text, startColumn, selLength));
  if (selText == u"End") {
    std::int32_t afterEnd = CheckedLong(std::int64_t{startColumn} + 4);
    selText = engine::GetWordAtCursor(*module, startLine, afterEnd, context.rules.reverseFind);
  }

  std::u16string token = selText;
  std::int32_t direction = 0;
  std::u16string partner = engine::FindPartner(selText, context.pairTable, direction);
  if (partner.empty() && selLength == 1) {
    token = engine::GetWordAtCursor(*module, startLine, startColumn, context.rules.reverseFind);
    partner = engine::FindPartner(token, context.pairTable, direction);
  }
  if (partner.empty()) {
    const bool quiet = engine::Trim(token).empty() || selText == u"\r";
    context.runtime.MsgBox(UsageMessage(quiet ? u"" : CantMatchPrefix(token), context.contactAddress),
                           ide::kMsgBoxInformation, std::u16string(context.aboutText));
    return;
  }

  const SearchResult result =
      SearchBehindHourglass(*module, {startLine, startColumn, token, partner, direction}, context);
  if (!result.found) {
    context.runtime.MsgBox(NotFoundMessage(partner, result.token, direction, context.contactAddress),
                           ide::kMsgBoxExclamation, std::u16string(context.aboutText));
    return;
  }

  const std::shared_ptr<ide::CodePane> selectionPane = ide::Require(module->CodePane());
  if (direction == -1) {
    selectionPane->SetSelection(startLine, CheckedLong(std::int64_t{startColumn} + engine::Len(result.token)),
                                result.lineNo, result.col);
  } else {
    selectionPane->SetSelection(startLine, startColumn, result.lineNo,
                                CheckedLong(std::int64_t{result.col} + engine::Len(result.foundWord)));
  }
  if (result.token == context.quoteMark) {
    const std::int64_t length = std::int64_t{result.col} - startColumn - 1 - result.doubledQuotes;
    context.runtime.MsgBox(StringLengthMessage(CheckedLong(length)), ide::kMsgBoxPlain, std::nullopt);
  }
}

}  // namespace tandrel::command
