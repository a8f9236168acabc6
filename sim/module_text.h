#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel::sim {

// Splits source text into the lines a code module shows. CR LF, LF and a lone CR each end a line; a final
// line break does not start another (empty) line, so empty text is a module of no lines.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// Where one line stands in a module's text, its line break left out.
struct LineSpan {
  std::uint32_t start = 0;
  std::uint32_t length = 0;
  friend bool operator==(const LineSpan&, const LineSpan&) = default;
};

// The spans of `text`'s lines, split as SplitLines splits. Text beyond what 32-bit offsets reach is the
// caller's to refuse (see ModuleText::kMaxUnits).
std::vector<LineSpan> LineSpans(std::u16string_view text);

// A module's lines kept as spans of one text: a file read whole becomes a module without a string per
// line, and lines can be left out (as the code window leaves out a saved file's header) without moving any
// text.
class ModuleText {
 public:
  static constexpr std::size_t kMaxUnits = UINT32_MAX;

  ModuleText() = default;
  // Every line of `text`, split as SplitLines splits.
  explicit ModuleText(std::u16string text);
  // The lines given by `lines`, spans of `text` in any order and overlap; each must lie inside `text`.
  ModuleText(std::u16string text, std::vector<LineSpan> lines);
  // The lines as they stand, each its own line whatever it holds.
  static ModuleText FromLines(const std::vector<std::u16string>& lines);

  std::size_t LineCount() const { return lines_.size(); }
  // The line at 0-based `index`, which must be below LineCount().
  std::u16string_view Line(std::size_t index) const { return Span(lines_[index]); }
  std::u16string_view Span(const LineSpan& span) const {
    return std::u16string_view(text_).substr(span.start, span.length);
  }
  const std::vector<LineSpan>& Spans() const { return lines_; }

  // Gives the line at 0-based `index` the text `line`, written after the text there is (the old line's text
  // stays, unused), so that no other line moves; false, and nothing changed, when the text would grow past
  // kMaxUnits.
  bool ReplaceLine(std::size_t index, std::u16string_view line);
  // Units of text held, the unused ones that ReplaceLine leaves included.
  std::size_t TextUnits() const { return text_.size(); }

  // Keeps only the lines for which `keep(index)` holds, in order; the text stays as it is.
  template <typename Keep>
  void KeepLines(Keep keep) {
    std::size_t kept = 0;
    for (std::size_t index = 0; index < lines_.size(); ++index) {
      if (keep(index)) lines_[kept++] = lines_[index];
    }
    lines_.resize(kept);
  }

 private:
  std::u16string text_;
  std::vector<LineSpan> lines_;
};

}  // namespace tandrel::sim
