#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ide/code.h"
#include "sim/call_log.h"
#include "sim/module_text.h"
#include "sim/record.h"

namespace tandrel::sim {

class Ide;
class Pane;

// A code module held as its lines; each Lines call joins the requested ones anew. The text may be shared
// with whoever made the module (a host that shows the lines itself), and is never changed.
class Module : public ide::CodeModule {
 public:
  Module(std::shared_ptr<CallLog> calls, std::shared_ptr<const ModuleText> text);

  // Lines from `startLine` on; a count that reaches past the last line returns the lines that exist, and a
  // start past the last line returns nothing. A start below 1 or a negative count raises an error.
  std::u16string Lines(std::int32_t startLine, std::int32_t count) override;
  void ReadLines(std::int32_t startLine, std::int32_t count, std::u16string& text) override;
  std::int32_t CountOfLines() override;
  std::shared_ptr<ide::CodePane> CodePane() override;
  // One line a read, as in process, unless a test asks for the blocks an IDE reached through COM gives.
  std::int32_t LinesPerRead() const override { return linesPerRead_; }
  void SetLinesPerRead(std::int32_t lines) { linesPerRead_ = lines; }

 private:
  friend class Ide;

  std::shared_ptr<CallLog> calls_;
  std::shared_ptr<const ModuleText> text_;
  std::int32_t linesPerRead_ = 1;
  std::weak_ptr<Pane> pane_;
};

// The one code window of a module: its selection is whatever was last set, by a test or by the add-in, kept
// start first as the IDE's pane keeps it, so that GetSelection reports a backward SetSelection turned round.
// Beyond that nothing is checked: a column below 1 or past a line's end + 1, or a line outside the module,
// which no real pane holds, stays possible for tests of how the add-in copes with it.
class Pane : public ide::CodePane {
 public:
  Pane(std::shared_ptr<CallLog> calls, std::shared_ptr<Record> record, std::shared_ptr<Module> module);

  ide::Selection GetSelection() override;
  void SetSelection(std::int32_t startLine, std::int32_t startColumn, std::int32_t endLine,
                    std::int32_t endColumn) override;
  std::shared_ptr<ide::CodeModule> CodeModule() override;

  // Test side: set or read the selection without counting a call (kept start first, as by SetSelection), and
  // see every SetSelection made, as it was passed.
  void Select(const ide::Selection& selection);
  sim::Module& OwnModule() const { return *module_; }
  const ide::Selection& Selection() const { return selection_; }
  const std::vector<ide::Selection>& SelectionsSet() const { return selectionsSet_; }

 private:
  std::shared_ptr<CallLog> calls_;
  std::shared_ptr<Record> record_;
  std::shared_ptr<Module> module_;
  ide::Selection selection_{1, 1, 1, 1};
  std::vector<ide::Selection> selectionsSet_;
};

}  // namespace tandrel::sim
