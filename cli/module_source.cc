#include "cli/module_source.h"

#include <algorithm>
#include <limits>

#include "cli/failure.h"
#include "cli/module_header.h"

namespace tandrel::cli {

ModuleSource::ModuleSource(sim::ModuleText file, bool raw) {
  // The IDE numbers lines with 32-bit integers, and so do editors' positions here.
  if (file.LineCount() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw InvocationError("too many lines for a code module");
  }
  if (!raw) {
    headerLines_ = HeaderLineCount(file);
    const auto& spans = file.Spans();
    for (std::size_t index = 0; index < spans.size(); ++index) {
      if (index < headerLines_ || IsMemberAttributeLine(file.Span(spans[index]))) {
        hidden_.push_back({static_cast<std::int32_t>(index + 1), spans[index]});
      }
    }
    if (!hidden_.empty()) {
      auto next = hidden_.begin();
      file.KeepLines([&](std::size_t index) {
        if (next == hidden_.end() || static_cast<std::size_t>(next->fileLine) != index + 1) return true;
        ++next;
        return false;
      });
    }
  }
  code_ = std::make_shared<sim::ModuleText>(std::move(file));
}

std::int32_t ModuleSource::LineCount(LineNumbering numbering) const {
  const std::size_t count = code_->LineCount() + (numbering == LineNumbering::kFile ? hidden_.size() : 0);
  return static_cast<std::int32_t>(count);
}

std::size_t ModuleSource::HiddenUpTo(std::int32_t fileLine) const {
  return static_cast<std::size_t>(
      std::partition_point(hidden_.begin(), hidden_.end(),
                           [&](const HiddenLine& hidden) { return hidden.fileLine <= fileLine; }) -
      hidden_.begin());
}

std::u16string_view ModuleSource::LineText(std::int32_t line, LineNumbering numbering) const {
  if (numbering == LineNumbering::kFile) {
    const std::size_t after = HiddenUpTo(line);
    if (after > 0 && hidden_[after - 1].fileLine == line) return code_->Span(hidden_[after - 1].span);
    line -= static_cast<std::int32_t>(after);
  }
  return code_->Line(static_cast<std::size_t>(line) - 1);
}

std::optional<std::int32_t> ModuleSource::ToCodeWindow(std::int32_t line, LineNumbering numbering) const {
  if (numbering == LineNumbering::kCodeWindow) return line;
  const std::size_t after = HiddenUpTo(line);
  if (after > 0 && hidden_[after - 1].fileLine == line) return std::nullopt;
  return line - static_cast<std::int32_t>(after);
}

std::int32_t ModuleSource::FromCodeWindow(std::int32_t codeLine, LineNumbering numbering) const {
  if (numbering == LineNumbering::kCodeWindow) return codeLine;
  // Before the i-th hidden line (0-based) stand fileLine - 1 - i code lines, which never decreases with i;
  // the hidden lines with fewer code lines before them than `codeLine` all come ahead of it in the file.
  std::size_t ahead = 0;
  std::size_t beyond = hidden_.size();
  while (ahead < beyond) {
    const std::size_t middle = ahead + (beyond - ahead) / 2;
    const auto codeLinesBefore =
        static_cast<std::int64_t>(hidden_[middle].fileLine) - 1 - static_cast<std::int64_t>(middle);
    if (codeLinesBefore < codeLine) {
      ahead = middle + 1;
    } else {
      beyond = middle;
    }
  }
  return codeLine + static_cast<std::int32_t>(ahead);
}

bool ModuleSource::ReplaceCodeLine(std::int32_t fileLine, std::u16string_view line) {
  // A line up to the one after the header may join it or leave it; a member attribute line is hidden.
  if (code_.use_count() != 1 || fileLine <= static_cast<std::int32_t>(headerLines_) + 1 ||
      fileLine > LineCount(LineNumbering::kFile) || IsMemberAttributeLine(line)) {
    return false;
  }
  const auto codeLine = ToCodeWindow(fileLine, LineNumbering::kFile);
  return codeLine && code_->ReplaceLine(static_cast<std::size_t>(*codeLine) - 1, line);
}

}  // namespace tandrel::cli
