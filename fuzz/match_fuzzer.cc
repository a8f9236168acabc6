// The match command of every build, clicked through each entry, on any module and any selection. Beside the
// sanitizers' findings, a session is a finding when it makes more IDE calls than its module justifies (a
// walk that would not end, or one that grows faster than the module), or when it leaves the IDE in a state
// the add-in must never leave it in.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/match_input.h"
#include "ide/runtime.h"
#include "tests/support/addin_session.h"

namespace tandrel::fuzz {
namespace {

[[noreturn]] void Finding(const MatchInput& input, const std::string& what) {
  const ide::Selection& s = input.selection;
  std::fprintf(stderr, "finding: %s\n  build %s, entry %s, selection %d:%d-%d:%d, %zu lines\n", what.c_str(),
               testing::NameOf(input.build), testing::NameOf(input.entry), s.startLine, s.startColumn,
               s.endLine, s.endColumn, input.lines.size());
  std::abort();
}

// The pointer is the hourglass only around the search: set once, and back to the default at the end.
bool PointerPutBack(const std::vector<std::int32_t>& pointers) {
  if (pointers.empty()) return true;
  int hourglasses = 0;
  for (std::int32_t pointer : pointers) hourglasses += pointer == ide::kPointerHourglass ? 1 : 0;
  return pointers.front() == ide::kPointerHourglass && hourglasses == 1 &&
         pointers.back() == ide::kPointerDefault;
}

void Check(const MatchInput& input, const testing::SessionOutcome& outcome) {
  if (!outcome.connectionMessages.empty() || !outcome.disconnectionMessages.empty()) {
    Finding(input, "connection or disconnection showed a message with every bar present");
  }
  // A click that failed was reached by a handler, whose error ended it.
  if (!outcome.clickError && outcome.clickHandlers != 1)
    Finding(input, "the click reached no handler, or two");
  if (outcome.controlsLeft != 0) Finding(input, "an entry stayed on its bar after disconnection");
  if (!PointerPutBack(outcome.pointers)) Finding(input, "the mouse pointer was not put back");
  if (outcome.clickMessages.size() > 2) Finding(input, "more than two message boxes for one click");
  if (outcome.selectionsSet.size() > 1) Finding(input, "more than one selection set for one click");
  const auto lineCount = static_cast<std::int32_t>(input.lines.size());
  for (const auto& set : outcome.selectionsSet) {
    if (set.startLine < 1 || set.startLine > lineCount || set.endLine < 1 || set.endLine > lineCount) {
      Finding(input, "a selection was set on a line outside the module");
    }
  }
  // The IDE refuses requests only about places no pane can hold; a real selection never makes it fail.
  if (outcome.clickError && PaneCanHold(input.selection, input.lines)) {
    Finding(input, "the click failed on a selection the pane can hold");
  }
}

}  // namespace
}  // namespace tandrel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tandrel;
  const fuzz::MatchInput input = fuzz::DecodeMatchInput(data, size);
  testing::CallRecorder calls(testing::CallLimit(input.lines));
  try {
    fuzz::Check(input, testing::RunSession(input.lines, input.selection, input.build, input.entry, calls));
  } catch (const testing::CallLimitExceeded& error) {
    fuzz::Finding(input, error.what());
  }
  return 0;
}
