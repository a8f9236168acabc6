#include "cli/lsp/partner.h"

#include <algorithm>
#include <string_view>

#include "engine/pair_table.h"
#include "ide/ascii_case.h"

namespace tandrel::cli::lsp {
namespace {

// The length of the longest word or mark of the pair table that `text` starts with (`atEnd`: ends with);
// 1 when none does.
std::size_t TokenLength(std::u16string_view text, bool atEnd) {
  static const engine::PairTable table = [] {
    engine::PairTable filled;
    engine::FillPairTable(filled);
    return filled;
  }();
  std::size_t longest = 0;
  for (const auto& row : table) {
    for (std::size_t column = 0; column < 2; ++column) {
      const std::u16string& word = row[column];
      if (word.empty() || word.size() > text.size() || word.size() <= longest) continue;
      const auto piece = atEnd ? text.substr(text.size() - word.size()) : text.substr(0, word.size());
      if (ide::SameIgnoringAsciiCase(piece, word)) longest = word.size();
    }
  }
  return longest == 0 ? 1 : longest;
}

}  // namespace

Click ClickAt(Document& document, Position caret, Build build) {
  const ModuleSource& module = document.Module();
  const auto codeLine = module.ToCodeWindow(caret.line + 1, LineNumbering::kFile);
  // The editor's empty line after a final line break is no line of the module.
  if (!codeLine || *codeLine > module.LineCount(LineNumbering::kCodeWindow)) return {};
  const std::int32_t column = caret.character + 1;
  const MatchRun run =
      RunMatch(module.Code(), {*codeLine, column, *codeLine, column}, build, Entry::kCodeWindow);
  Click click;
  click.messages = run.messages;
  if (run.selection) {
    const auto inFile = [&module](std::int32_t line, std::int32_t col) {
      return Position{module.FromCodeWindow(line, LineNumbering::kFile) - 1, col - 1};
    };
    click.anchor = inFile(run.selection->startLine, run.selection->startColumn);
    click.active = inFile(run.selection->endLine, run.selection->endColumn);
  }
  return click;
}

std::vector<Range> PartnerHighlights(Document& document, Position caret, Build build) {
  const Click click = ClickAt(document, caret, build);
  if (!click.anchor) return {};
  const Position first = std::min(*click.anchor, *click.active);
  const Position last = std::max(*click.anchor, *click.active);
  const std::u16string_view firstLine = document.Line(first.line);
  const std::u16string_view lastLine = document.Line(last.line);
  const auto firstLength = TokenLength(
      firstLine.substr(std::min(static_cast<std::size_t>(first.character), firstLine.size())), false);
  const std::u16string_view beforeLast =
      lastLine.substr(0, std::min(static_cast<std::size_t>(last.character), lastLine.size()));
  const auto lastLength = std::min(TokenLength(beforeLast, true), beforeLast.size());
  const auto offset = [](Position at, std::size_t by, int sign) {
    return Position{at.line, at.character + sign * static_cast<std::int32_t>(by)};
  };
  return {{first, offset(first, firstLength, 1)}, {offset(last, lastLength, -1), last}};
}

}  // namespace tandrel::cli::lsp
