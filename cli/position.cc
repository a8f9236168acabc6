#include "cli/position.h"

#include <charconv>
#include <cstdint>
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

void CheckPlace(std::int32_t line, std::int32_t column, const std::vector<std::u16string>& lines) {
  const std::string place = Decimal(line) + ":" + Decimal(column);
  if (lines.empty()) {
    if (line != 1 || column != 1)
      throw InvocationError(place + ": the module has no lines; only 1:1 is valid");
    return;
  }
  if (line < 1 || static_cast<std::size_t>(line) > lines.size()) {
    throw InvocationError(place + ": line " + Decimal(line) + " is outside the module (lines 1 to " +
                          std::to_string(lines.size()) + ")");
  }
  const auto length = static_cast<std::int64_t>(lines[static_cast<std::size_t>(line) - 1].size());
  if (column < 1) throw InvocationError(place + ": columns start at 1");
  if (column > length + 1) {
    throw InvocationError(place + ": line " + Decimal(line) + " has " + std::to_string(length) +
                          " characters, so the caret goes up to column " + std::to_string(length + 1));
  }
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

void CheckSelection(const ide::Selection& selection, const std::vector<std::u16string>& lines) {
  CheckPlace(selection.startLine, selection.startColumn, lines);
  CheckPlace(selection.endLine, selection.endColumn, lines);
  if (selection.endLine < selection.startLine ||
      (selection.endLine == selection.startLine && selection.endColumn < selection.startColumn)) {
    throw InvocationError(FormatSelection(selection) + ": the selection ends before it starts");
  }
}

std::string FormatSelection(const ide::Selection& selection) {
  return Decimal(selection.startLine) + ":" + Decimal(selection.startColumn) + "-" +
         Decimal(selection.endLine) + ":" + Decimal(selection.endColumn);
}

}  // namespace tandrel::cli
