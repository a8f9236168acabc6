// Every keyword, parenthesis and quotation mark of real modules clicked through every build: each click must
// end within its bound on IDE calls, and either select a span whose two ends hold the token and its partner
// or say that the partner is missing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bench/generated_module.h"
#include "cli/module_file.h"
#include "command/messages.h"
#include "engine/pair_table.h"
#include "tests/support/addin_session.h"
#include "tests/support/match_run.h"

namespace tandrel::testing {
namespace {

using Lines = std::vector<std::u16string>;

// A place to click and the token the command must take there.
struct Click {
  std::int32_t line = 0;
  std::int32_t col = 0;          // where the caret goes
  std::int32_t tokenColumn = 0;  // where the token starts
  std::u16string token;
};

std::u16string Mid(const std::u16string& text, std::int64_t col, std::int64_t length) {
  if (col < 1 || col > static_cast<std::int64_t>(text.size())) return {};
  return text.substr(static_cast<std::size_t>(col - 1), static_cast<std::size_t>(length));
}

// The clicks on one line: each parenthesis and quotation mark, and each space-delimited word of the pair
// table, a closer such as "End If" clicked on both its words.
std::vector<Click> ClicksOn(std::int32_t lineNo, const std::u16string& line, const engine::PairTable& table) {
  std::vector<Click> clicks;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto col = static_cast<std::int32_t>(i + 1);
    if (line[i] == u'(' || line[i] == u')' || line[i] == u'"')
      clicks.push_back({lineNo, col, col, {line[i]}});
  }
  struct Word {
    std::int32_t col;
    std::u16string text;
  };
  std::vector<Word> words;
  for (std::size_t start = 0; start < line.size();) {
    const std::size_t end = std::min(line.find(u' ', start), line.size());
    if (end > start) words.push_back({static_cast<std::int32_t>(start + 1), line.substr(start, end - start)});
    start = end + 1;
  }
  const auto known = [&](const std::u16string& token) {
    std::int32_t direction = 0;
    return !engine::FindPartner(token, table, direction).empty();
  };
  for (std::size_t w = 0; w < words.size(); ++w) {
    Word word = words[w];
    // The word at the caret drops an apostrophe glued to its front.
    if (word.text.starts_with(u'\'')) {
      word.text.erase(0, 1);
      ++word.col;
    }
    const bool spaceAfter = w + 1 < words.size() && words[w + 1].col == word.col + std::ssize(word.text) + 1;
    if (word.text == u"End" && spaceAfter && known(u"End " + words[w + 1].text)) {
      const std::u16string closer = u"End " + words[w + 1].text;
      clicks.push_back({lineNo, word.col, word.col, closer});
      clicks.push_back({lineNo, words[w + 1].col, word.col, closer});
      ++w;
      continue;
    }
    // A word right after ‹End·› is joined with it even when "End" ends a longer word; such lines are not
    // clicked.
    if (word.col >= 5 && Mid(line, word.col - 4, 4) == u"End ") continue;
    if (known(word.text)) clicks.push_back({lineNo, word.col, word.col, word.text});
  }
  return clicks;
}

// Whether `outcome` is a sound end for `click`: a span between the token and a partner, or a report that none
// was found. Empty when it is, else what is wrong.
std::string Judge(const Lines& lines, const Click& click, Build build, const SessionOutcome& outcome) {
  const std::u16string contact(deliverables::Of(build).contactAddress);
  engine::PairTable table;
  engine::FillPairTable(table);
  std::int32_t direction = 0;
  const std::u16string partner = engine::FindPartner(click.token, table, direction);
  const bool ifFamily = click.token == u"If" || click.token == u"Then" || click.token == u"Else";
  if (outcome.clickError) return "the click failed: " + U8(*outcome.clickError);
  if (outcome.clickHandlers != 1)
    return "the click reached the add-in " + std::to_string(outcome.clickHandlers) + " times";

  if (outcome.selectionsSet.empty()) {
    const std::u16string searched = ifFamily ? u"If" : click.token;
    const std::u16string notFound = command::NotFoundMessage(partner, searched, direction, contact);
    const auto& boxes = outcome.clickMessages;
    if (boxes.size() == 1 && boxes[0].prompt == notFound) return "";
    if (boxes.size() == 2 && boxes[0].prompt == command::SearchErrorMessage(contact) &&
        boxes[1].prompt == notFound) {
      return "";
    }
    return "neither a selection nor the not-found message";
  }
  if (outcome.selectionsSet.size() != 1) return "more than one selection set";

  const ide::Selection& set = outcome.selectionsSet.front();
  const auto lineCount = static_cast<std::int32_t>(lines.size());
  if (set.startLine < 1 || set.startLine > lineCount || set.endLine < 1 || set.endLine > lineCount) {
    return "a selection outside the module";
  }
  const std::u16string& startText = lines[static_cast<std::size_t>(set.startLine) - 1];
  const std::u16string& endText = lines[static_cast<std::size_t>(set.endLine) - 1];
  const auto tokenLength = std::ssize(click.token);
  if (set.startLine != click.line) return "the selection does not start on the clicked line";
  if (direction == 1) {
    if (set.startColumn != click.tokenColumn || Mid(startText, set.startColumn, tokenLength) != click.token) {
      return "the selection does not start on the token";
    }
    const bool endsOnPartner =
        Mid(endText, set.endColumn - std::ssize(partner), std::ssize(partner)) == partner;
    const bool endsOnThen = ifFamily && Mid(endText, set.endColumn - 4, 4) == u"Then";
    if (!endsOnPartner && !endsOnThen) return "the selection does not end on a partner";
  } else {
    if (set.startColumn != click.tokenColumn + tokenLength ||
        Mid(startText, set.startColumn - tokenLength, tokenLength) != click.token) {
      return "the selection is not anchored after the token";
    }
    if (Mid(endText, set.endColumn, std::ssize(partner)) != partner)
      return "the selection does not reach a partner";
  }
  const bool stringLength = click.token == u"\"";
  if (outcome.clickMessages.size() != (stringLength ? 1U : 0U)) return "a message beside the selection";
  if (stringLength && !U8(outcome.clickMessages[0].prompt).starts_with("String length: ")) {
    return "no string length for a string literal";
  }
  return "";
}

// Clicks everything clickable in `lines` through every build, taking the entries in turn.
void ClickEverything(const std::string& name, const Lines& lines) {
  engine::PairTable table;
  engine::FillPairTable(table);
  int clicks = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    for (const Click& click : ClicksOn(static_cast<std::int32_t>(i + 1), lines[i], table)) {
      for (const deliverables::Deliverable& deliverable : deliverables::All()) {
        const Build build = deliverable.build;
        const auto entry = static_cast<Entry>(clicks++ % 3);
        CallRecorder calls(CallLimit(lines));
        std::string verdict;
        try {
          verdict =
              Judge(lines, click, build,
                    RunSession(lines, {click.line, click.col, click.line, click.col}, build, entry, calls));
        } catch (const CallLimitExceeded& error) {
          verdict = error.what();
        }
        EXPECT_EQ(verdict, "") << name << " " << click.line << ":" << click.col << " on '" << U8(click.token)
                               << "', " << NameOf(build) << " through " << NameOf(entry) << ": "
                               << U8(lines[i]);
        // Reading blocks of lines, as through COM, ends the same.
        const ide::Selection caret{click.line, click.col, click.line, click.col};
        CallRecorder lineCalls(CallLimit(lines));
        CallRecorder blockCalls(CallLimit(lines));
        const SessionOutcome byLine = RunSession(lines, caret, build, entry, lineCalls);
        const SessionOutcome byBlock = RunSession(lines, caret, build, entry, blockCalls, 64);
        EXPECT_EQ(std::tie(byBlock.selectionsSet, byBlock.clickMessages),
                  std::tie(byLine.selectionsSet, byLine.clickMessages))
            << name << " " << click.line << ":" << click.col << ", " << NameOf(build) << ", read in blocks";
      }
    }
  }
  EXPECT_GT(clicks, 0) << name;
}

// Every line of an example file, its saved header too, in its own code page.
Lines ReadExample(const std::string& file, const std::string& encoding) {
  const cli::ModuleSource module =
      cli::LoadModule((std::filesystem::path(TANDREL_EXAMPLES_DIR) / file).string(), {true, encoding});
  Lines lines;
  for (std::int32_t line = 1; line <= module.LineCount(cli::LineNumbering::kCodeWindow); ++line) {
    lines.emplace_back(module.LineText(line, cli::LineNumbering::kCodeWindow));
  }
  return lines;
}

TEST(RealCode, EveryTokenOfTheBundledExamplesEndsOnItsPartnerOrSaysItIsMissing) {
  for (const auto& [file, encoding] : {std::pair{"Orders.bas", ""},
                                       {"Customer.cls", ""},
                                       {"OrderForm.frm", ""},
                                       {"Cyrillic.bas", "cp1251"}}) {
    ClickEverything(file, ReadExample(file, encoding));
  }
}

// The benchmark's worst cases, the outer If of the largest module and its End If, in every build: read in
// blocks as through COM, they end as read line by line.
TEST(RealCode, TheLargestModulesOuterBlockEndsTheSameReadInBlocks) {
  const Lines lines = bench::GenerateLargeModule();
  const ide::Selection forward{bench::kOuterIfLine, bench::kOuterIfColumn, bench::kOuterIfLine,
                               bench::kOuterIfColumn};
  const ide::Selection backward{bench::kOuterEndIfLine, bench::kOuterIfColumn, bench::kOuterEndIfLine,
                                bench::kOuterIfColumn};
  for (const deliverables::Deliverable& deliverable : deliverables::All()) {
    for (const ide::Selection& caret : {forward, backward}) {
      CallRecorder lineCalls(CallLimit(lines));
      CallRecorder blockCalls(CallLimit(lines));
      const SessionOutcome byLine =
          RunSession(lines, caret, deliverable.build, Entry::kCodeWindow, lineCalls);
      const SessionOutcome byBlock =
          RunSession(lines, caret, deliverable.build, Entry::kCodeWindow, blockCalls, 4096);
      EXPECT_EQ(std::tie(byBlock.selectionsSet, byBlock.clickMessages),
                std::tie(byLine.selectionsSet, byLine.clickMessages))
          << NameOf(deliverable.build) << " from line " << caret.startLine;
      EXPECT_FALSE(byLine.selectionsSet.empty() && byLine.clickMessages.empty());
    }
  }
}

TEST(RealCode, EveryTokenOfGeneratedModulesEndsOnItsPartnerOrSaysItIsMissing) {
  for (std::uint32_t seed : {1U, 2U, 3U}) {
    ClickEverything("generated module " + std::to_string(seed), bench::GenerateModule(150, seed));
  }
}

}  // namespace
}  // namespace tandrel::testing
