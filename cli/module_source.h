#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/module_text.h"

namespace tandrel::cli {

// What line numbers count: the lines the code window shows (the IDE's own numbers, which the add-in sees),
// or the file's lines, hidden ones included (an editor's numbers).
enum class LineNumbering { kCodeWindow, kFile };

// A module file as the add-in and a person see it: the code module that the code window shows, and where its
// lines stand among the file's own. Lines are 1-based, as both the IDE and editors count them.
class ModuleSource {
 public:
  // The lines of `file`, of which the code window shows all when `raw`, and otherwise all but the saved
  // header and the member attribute lines. Throws InvocationError when there are more lines than 32-bit
  // line numbers reach.
  ModuleSource(sim::ModuleText file, bool raw);

  // The code module, shared with the IDE that the add-in runs in.
  std::shared_ptr<const sim::ModuleText> Code() const { return code_; }
  std::size_t HeaderLines() const { return headerLines_; }
  // Hidden lines below the header.
  std::size_t AttributeLines() const { return hidden_.size() - headerLines_; }

  std::int32_t LineCount(LineNumbering numbering) const;
  // The text of line `line` in `numbering`, which must be from 1 to LineCount(numbering); a hidden line of
  // the file has its text too.
  std::u16string_view LineText(std::int32_t line, LineNumbering numbering) const;
  // The code window's line that line `line` of `numbering` is, or none when the code window hides it.
  std::optional<std::int32_t> ToCodeWindow(std::int32_t line, LineNumbering numbering) const;
  // Line `codeLine` of the code window as `numbering` counts it.
  std::int32_t FromCodeWindow(std::int32_t codeLine, LineNumbering numbering) const;

  // Gives line `fileLine` of the file the text `line` where that changes no line's place in the code window:
  // the line is a code line below the line after the header, and `line` is no member attribute line; nobody
  // else may hold the code module meanwhile. False, and nothing changed, where it would.
  bool ReplaceCodeLine(std::int32_t fileLine, std::u16string_view line);

 private:
  struct HiddenLine {
    std::int32_t fileLine;
    sim::LineSpan span;
  };

  // How many hidden lines stand at or before line `fileLine` of the file.
  std::size_t HiddenUpTo(std::int32_t fileLine) const;

  std::shared_ptr<sim::ModuleText> code_;
  std::vector<HiddenLine> hidden_;  // in file order
  std::size_t headerLines_ = 0;
};

}  // namespace tandrel::cli
