#include "cli/lsp/document.h"

#include <algorithm>
#include <iterator>

#include "sim/module_text.h"

namespace tandrel::cli::lsp {
namespace {

// The lines of `text` split at CR LF, LF or a lone CR; a final line break starts an empty last line, as an
// editor shows it.
std::vector<std::u16string> EditorLines(std::u16string_view text) {
  std::vector<std::u16string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

}  // namespace

void Document::ReplaceAll(std::u16string_view text) {
  lines_ = EditorLines(text);
  module_.reset();
  blocks_.reset();
}

bool Document::Holds(Position position) const {
  return position.line >= 0 && position.line < LineCount() && position.character >= 0 &&
         static_cast<std::size_t>(position.character) <= Line(position.line).size();
}

bool Document::Replace(Position from, Position to, std::u16string_view text) {
  if (from.line < 0 || to.line >= LineCount() || from.character < 0 || to.character < 0 || to < from)
    return false;
  const auto clamp = [this](Position at) {
    return std::min(static_cast<std::size_t>(at.character), Line(at.line).size());
  };
  std::u16string joined(Line(from.line).substr(0, clamp(from)));
  joined += text;
  joined += Line(to.line).substr(clamp(to));
  std::vector<std::u16string> replacement = EditorLines(joined);
  const auto first = lines_.begin() + from.line;
  const auto last = lines_.begin() + to.line + 1;
  blocks_.reset();
  // The common edit, one line for one, moves no other line, here nor in the code window's view, which takes
  // the new line as it is until the text it leaves unused outgrows the rest.
  if (replacement.size() == 1 && from.line == to.line) {
    *first = std::move(replacement.front());
    // An empty last line is the editor's, after a final line break, and no line of the module.
    const bool emptiedLast = from.line == LineCount() - 1 && first->empty();
    const std::size_t held = module_ ? module_->Code()->TextUnits() : 0;
    if (module_ && !emptiedLast && unusedUnits_ + first->size() <= held / 2 &&
        module_->ReplaceCodeLine(from.line + 1, *first)) {
      unusedUnits_ += first->size();
      return true;
    }
  } else {
    const auto at = lines_.erase(first, last);
    lines_.insert(at, std::make_move_iterator(replacement.begin()),
                  std::make_move_iterator(replacement.end()));
  }
  module_.reset();
  return true;
}

const ModuleSource& Document::Module() {
  if (!module_) {
    // The lines are known: joined once, without splitting the text again. An editor's empty last line,
    // after a final line break, is no line of the module.
    std::size_t units = 0;
    for (const auto& line : lines_) units += line.size() + 2;
    std::u16string text;
    text.reserve(units);
    std::vector<sim::LineSpan> spans;
    spans.reserve(lines_.size());
    const std::size_t count = lines_.size() - (lines_.back().empty() ? 1 : 0);
    for (std::size_t i = 0; i < count; ++i) {
      spans.push_back(
          {static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(lines_[i].size())});
      text.append(lines_[i]).append(u"\r\n");
    }
    module_.emplace(sim::ModuleText(std::move(text), std::move(spans)), false);
    unusedUnits_ = 0;
  }
  return *module_;
}

}  // namespace tandrel::cli::lsp
