#include "tests/support/match_run.h"

#include <cstdio>

#include "command/match_selection.h"
#include "engine/pair_table.h"
#include "tests/support/actions.h"

namespace tandrel::testing {
namespace {

ide::Selection ParseSelection(const std::string& text) {
  ide::Selection selection;
  if (std::sscanf(text.c_str(), "%d:%d-%d:%d", &selection.startLine, &selection.startColumn,
                  &selection.endLine, &selection.endColumn) == 4) {
    return selection;
  }
  std::sscanf(text.c_str(), "%d:%d", &selection.startLine, &selection.startColumn);
  selection.endLine = selection.startLine;
  selection.endColumn = selection.startColumn;
  return selection;
}

std::string Shown(const std::u16string& prompt) {
  std::string text = U8(prompt);
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\n");
  return text;
}

}  // namespace

std::u16string U16(const std::string& text) { return {text.begin(), text.end()}; }

std::string U8(const std::u16string& text) {
  std::string narrow;
  for (char16_t unit : text) narrow.push_back(static_cast<char>(unit));
  return narrow;
}

MatchOutcome RunMatch(const std::vector<std::string>& lines, const std::string& selection,
                      const command::MatchRules& rules) {
  sim::Ide ide;
  std::vector<std::u16string> moduleLines;
  for (const auto& line : lines) moduleLines.push_back(U16(line));
  auto pane = ide.AddModule(std::move(moduleLines));
  pane->Select(ParseSelection(selection));

  sim::Runtime runtime({u"Tandrel", 2, 0, 12, u"Tandrel Software"}, ide.Record());
  engine::PairTable table;
  engine::FillPairTable(table);
  const command::MatchContext context{ide.Vbe(), table,           u"\"",   u"'",
                                      u"About",  u"bugs@example", runtime, rules};
  command::MatchSelection(context);

  MatchOutcome outcome;
  if (pane->SelectionsSet().empty()) {
    outcome.selection = "none";
  } else {
    const auto& set = pane->SelectionsSet().back();
    outcome.selection = std::to_string(set.startLine) + ":" + std::to_string(set.startColumn) + "-" +
                        std::to_string(set.endLine) + ":" + std::to_string(set.endColumn);
  }
  for (const auto& box : runtime.Messages()) {
    outcome.messages.push_back(std::to_string(box.style) + "|" + U8(box.title) + "|" + Shown(box.prompt));
  }
  outcome.pointers.assign(runtime.Pointers().begin(), runtime.Pointers().end());
  outcome.yields = runtime.Yields();
  outcome.linesCalls = ide.CallCount("Lines");
  outcome.actions = Briefs(ide.Actions());
  return outcome;
}

}  // namespace tandrel::testing
