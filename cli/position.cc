#include "cli/position.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <system_error>

#include "cli/failure.h"

namespace tandrel::cli {
namespace {

// Reads the numbers and separators of a position left to right; any mismatch fails the whole text.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text), at_(text.data()) {}

  // False when no number starts here. A number that does not fit the IDE's 32 bits is an error of its own,
  // so that the user is not told that a long number is no number.
  bool Number(std::int32_t& value) {
    const char* end = text_.data() + text_.size();
    const auto [next, error] = std::from_chars(at_, end, value);
    if (error == std::errc::result_out_of_range) {
      throw InvocationError(std::string(at_, next) + " does not fit in 32 bits");
    }
    if (error != std::errc()) return false;
    at_ = next;
    return true;
  }
  bool Separator(char separator) {
    if (at_ == text_.data() + text_.size() || *at_ != separator) return false;
    ++at_;
    return true;
  }
  bool AtEnd() const { return at_ == text_.data() + text_.size(); }

 private:
  std::string_view text_;
  const char* at_;
};

std::string Decimal(std::int32_t number) { return std::to_string(number); }

// The code window's line for `line` of `numbering`, once the caret may stand at `line`:`column` there.
std::int32_t CheckPlace(std::int32_t line, std::int32_t column, const ModuleSource& module,
                        LineNumbering numbering) {
  const std::string place = Decimal(line) + ":" + Decimal(column);
  const std::int32_t count = module.LineCount(numbering);
  if (count == 0) {
    if (line != 1 || column != 1)
      throw InvocationError(place + ": the module has no lines; only 1:1 is valid");
    return 1;
  }
  if (line < 1 || line > count) {
    throw InvocationError(place + ": line " + Decimal(line) + " is outside the " +
                          (numbering == LineNumbering::kFile ? "file" : "module") + " (lines 1 to " +
                          Decimal(count) + ")");
  }
  const std::optional<std::int32_t> codeLine = module.ToCodeWindow(line, numbering);
  if (!codeLine) {
    throw InvocationError(place + ": line " + Decimal(line) + " is " +
                          (static_cast<std::size_t>(line) <= module.HeaderLines()
                               ? "part of the file's header"
                               : "a member's attribute line") +
                          ", which the code window does not show");
  }
  const auto length = static_cast<std::int64_t>(module.LineText(line, numbering).size());
  if (column < 1) throw InvocationError(place + ": columns start at 1");
  if (column > length + 1) {
    throw InvocationError(place + ": line " + Decimal(line) + " has " + std::to_string(length) +
                          " characters, so the caret goes up to column " + std::to_string(length + 1));
  }
  return *codeLine;
}

}  // namespace

ide::Selection ParseCaret(std::string_view text) {
  Reader reader(text);
  ide::Selection selection;
  if (!(reader.Number(selection.startLine) && reader.Separator(':') && reader.Number(selection.startColumn) &&
        reader.AtEnd())) {
    throw InvocationError("'" + std::string(text) + "' is not L:C (such as 12:5)");
  }
  selection.endLine = selection.startLine;
  selection.endColumn = selection.startColumn;
  return selection;
}

ide::Selection ParseSelection(std::string_view text) {
  Reader reader(text);
  ide::Selection selection;
  if (!(reader.Number(selection.startLine) && reader.Separator(':') && reader.Number(selection.startColumn) &&
        reader.Separator('-') && reader.Number(selection.endLine) && reader.Separator(':') &&
        reader.Number(selection.endColumn) && reader.AtEnd())) {
    throw InvocationError("'" + std::string(text) + "' is not L1:C1-L2:C2 (such as 12:5-14:11)");
  }
  return selection;
}

ide::Selection CodeWindowSelection(const ide::Selection& selection, const ModuleSource& module,
                                   LineNumbering numbering) {
  ide::Selection code = selection;
  code.startLine = CheckPlace(selection.startLine, selection.startColumn, module, numbering);
  code.endLine = CheckPlace(selection.endLine, selection.endColumn, module, numbering);
  if (selection.endLine < selection.startLine ||
      (selection.endLine == selection.startLine && selection.endColumn < selection.startColumn)) {
    throw InvocationError(FormatSelection(selection) + ": the selection ends before it starts");
  }
  return code;
}

ide::Selection NumberedSelection(const ide::Selection& selection, const ModuleSource& module,
                                 LineNumbering numbering) {
  ide::Selection numbered = selection;
  numbered.startLine = module.FromCodeWindow(selection.startLine, numbering);
  numbered.endLine = module.FromCodeWindow(selection.endLine, numbering);
  return numbered;
}

std::string FormatSelection(const ide::Selection& selection) {
  return Decimal(selection.startLine) + ":" + Decimal(selection.startColumn) + "-" +
         Decimal(selection.endLine) + ":" + Decimal(selection.endColumn);
}

}  // namespace tandrel::cli
