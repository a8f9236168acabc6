#include "cli/lsp/blocks.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <tuple>

#include "cli/lsp/partner.h"
#include "ide/ascii_case.h"

namespace tandrel::cli::lsp {
namespace {

// The openers clicked. Then, Else and ElseIf open what their If opens; the pair table's other rows are of
// other languages.
constexpr std::array<std::u16string_view, 11> kOpeners = {
    u"If", u"For", u"Select", u"While", u"Do", u"Sub", u"Function", u"Property", u"Type", u"With", u"Enum"};

bool IsWordUnit(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

using ide::SameIgnoringAsciiCase;

bool IsOpener(std::u16string_view word) {
  return std::any_of(kOpeners.begin(), kOpeners.end(),
                     [word](std::u16string_view opener) { return SameIgnoringAsciiCase(word, opener); });
}

// Words after which an opener's word opens nothing: "Exit Sub", "End If", "Declare Function", "Declare
// PtrSafe Sub", "Loop While", "Do Until".
bool OpensNothingAfter(std::u16string_view previous) {
  return std::ranges::any_of(
      std::array<std::u16string_view, 6>{u"Exit", u"End", u"Declare", u"PtrSafe", u"Loop", u"Do"},
      [previous](std::u16string_view word) { return SameIgnoringAsciiCase(previous, word); });
}

// The 0-based columns of the openers in `line` outside string literals and before a comment.
std::vector<std::int32_t> OpenerColumns(std::u16string_view line) {
  std::vector<std::int32_t> columns;
  std::u16string_view previous;  // the word before, or "." after a member access
  bool inString = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == u'"') inString = !inString;
    if (inString) continue;
    if (line[i] == u'\'') break;
    if (line[i] == u'.') previous = u".";
    if (!IsWordUnit(line[i]) || (i > 0 && IsWordUnit(line[i - 1]))) continue;
    std::size_t end = i;
    while (end < line.size() && IsWordUnit(line[end])) ++end;
    const std::u16string_view word = line.substr(i, end - i);
    if (SameIgnoringAsciiCase(word, u"Rem")) break;
    if (IsOpener(word) && previous != u"." && !OpensNothingAfter(previous)) {
      columns.push_back(static_cast<std::int32_t>(i));
    }
    previous = word;
    i = end - 1;
  }
  return columns;
}

bool Holds(const Range& range, Position at) { return range.start <= at && at <= range.end; }

}  // namespace

const std::vector<Range>& Blocks(Document& document, Build build) {
  auto& cache = document.BlocksCache();
  if (cache) return *cache;
  const ModuleSource& module = document.Module();
  const auto code = module.Code();
  AddinSession session(code, build);
  std::vector<Range> blocks;
  const std::int32_t lines = module.LineCount(LineNumbering::kCodeWindow);
  for (std::int32_t line = 1; line <= lines; ++line) {
    for (const std::int32_t column : OpenerColumns(code->Line(static_cast<std::size_t>(line) - 1))) {
      const MatchRun run = session.Click({line, column + 1, line, column + 1}, Entry::kCodeWindow);
      if (!run.selection || run.selection->endLine <= line) continue;
      const auto inFile = [&module](std::int32_t codeLine, std::int32_t col) {
        return Position{module.FromCodeWindow(codeLine, LineNumbering::kFile) - 1, col - 1};
      };
      blocks.push_back({inFile(run.selection->startLine, run.selection->startColumn),
                        inFile(run.selection->endLine, run.selection->endColumn)});
    }
  }
  std::sort(blocks.begin(), blocks.end(), [](const Range& a, const Range& b) {
    return std::tie(a.start, a.end) < std::tie(b.start, b.end);
  });
  blocks.erase(std::unique(blocks.begin(), blocks.end()), blocks.end());
  cache = std::move(blocks);
  return *cache;
}

std::vector<Range> EnclosingRanges(Document& document, Position caret, Build build) {
  std::vector<Range> ranges;
  for (const Range& mark : PartnerHighlights(document, caret, build)) {
    if (Holds(mark, caret)) {
      ranges.push_back(mark);
      break;
    }
  }
  std::vector<Range> holding;
  for (const Range& block : Blocks(document, build)) {
    if (Holds(block, caret)) holding.push_back(block);
  }
  // Blocks nest: the later a block starts, the further inside it lies.
  std::reverse(holding.begin(), holding.end());
  for (const Range& block : holding) {
    if (ranges.empty() || ranges.back() != block) ranges.push_back(block);
  }
  if (ranges.empty()) ranges.push_back({caret, caret});
  return ranges;
}

}  // namespace tandrel::cli::lsp
