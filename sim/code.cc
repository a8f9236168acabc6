#include "sim/code.h"

#include <algorithm>

#include "ide/error.h"

namespace tandrel::sim {
namespace {

// A selection dragged upwards or leftwards has its anchor after its caret; the pane reports it from the end
// nearer the top of the module.
ide::Selection StartFirst(const ide::Selection& selection) {
  const bool backward =
      selection.endLine < selection.startLine ||
      (selection.endLine == selection.startLine && selection.endColumn < selection.startColumn);
  if (!backward) return selection;
  return {selection.endLine, selection.endColumn, selection.startLine, selection.startColumn};
}

}  // namespace

Module::Module(std::shared_ptr<CallLog> calls, std::shared_ptr<const ModuleText> text)
    : calls_(std::move(calls)), text_(std::move(text)) {}

std::u16string Module::Lines(std::int32_t startLine, std::int32_t count) {
  std::u16string text;
  ReadLines(startLine, count, text);
  return text;
}

void Module::ReadLines(std::int32_t startLine, std::int32_t count, std::u16string& text) {
  calls_->Enter("Lines");
  if (startLine < 1 || count < 0) throw ide::Error(u"Invalid procedure call or argument");
  const auto first = static_cast<std::size_t>(startLine) - 1;
  const std::size_t last = std::min(text_->LineCount(), first + static_cast<std::size_t>(count));
  text.clear();
  for (std::size_t i = first; i < last; ++i) {
    if (i > first) text += u"\r\n";
    text += text_->Line(i);
  }
}

std::int32_t Module::CountOfLines() {
  calls_->Enter("CountOfLines");
  return static_cast<std::int32_t>(text_->LineCount());
}

std::shared_ptr<ide::CodePane> Module::CodePane() {
  calls_->Enter("CodePane");
  return pane_.lock();
}

Pane::Pane(std::shared_ptr<CallLog> calls, std::shared_ptr<Record> record, std::shared_ptr<Module> module)
    : calls_(std::move(calls)), record_(std::move(record)), module_(std::move(module)) {}

ide::Selection Pane::GetSelection() {
  calls_->Enter("GetSelection");
  return selection_;
}

void Pane::SetSelection(std::int32_t startLine, std::int32_t startColumn, std::int32_t endLine,
                        std::int32_t endColumn) {
  calls_->Enter("SetSelection");
  const ide::Selection passed{startLine, startColumn, endLine, endColumn};
  selection_ = StartFirst(passed);
  selectionsSet_.push_back(passed);
  record_->Add(SelectionSet{passed});
}

void Pane::Select(const ide::Selection& selection) { selection_ = StartFirst(selection); }

std::shared_ptr<ide::CodeModule> Pane::CodeModule() {
  calls_->Enter("CodeModule");
  return module_;
}

}  // namespace tandrel::sim
