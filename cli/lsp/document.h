#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/module_source.h"

namespace tandrel::cli::lsp {

// A place in a document as the protocol gives it: a 0-based line of the file and a 0-based offset in UTF-16
// code units, the IDE's own column unit.
struct Position {
  std::int32_t line = 0;
  std::int32_t character = 0;
  friend auto operator<=>(const Position&, const Position&) = default;
};

struct Range {
  Position start;
  Position end;
  friend bool operator==(const Range&, const Range&) = default;
};

// An open document: the file's own lines as the editor holds them, edited in place, and the module that the
// code window would show of them, made again only after an edit that changes more than one line's text.
class Document {
 public:
  explicit Document(std::u16string_view text) { ReplaceAll(text); }

  void ReplaceAll(std::u16string_view text);
  // Replaces the text from `from` to `to`; false, and nothing changed, when either lies beyond the last line
  // or `to` comes before `from`. A character past the end of its line stands for the line's end.
  bool Replace(Position from, Position to, std::u16string_view text);

  std::int32_t LineCount() const { return static_cast<std::int32_t>(lines_.size()); }
  std::u16string_view Line(std::int32_t line) const { return lines_[static_cast<std::size_t>(line)]; }
  // Whether `position` names a line of the document and a place within it or at its end.
  bool Holds(Position position) const;

  // The document as a module file that the IDE opened: the code window leaves out the saved header and
  // the member attribute lines.
  const ModuleSource& Module();
  // Where the blocks found in this text are kept until the next edit.
  std::optional<std::vector<Range>>& BlocksCache() { return blocks_; }

 private:
  std::vector<std::u16string> lines_;  // always at least one; line breaks left out
  std::optional<ModuleSource> module_;
  std::optional<std::vector<Range>> blocks_;
  // Text the view holds for lines edited since it was made.
  std::size_t unusedUnits_ = 0;
};

}  // namespace tandrel::cli::lsp
