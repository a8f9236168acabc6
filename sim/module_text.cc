#include "sim/module_text.h"

#include <bit>
#include <cstring>
#include <stdexcept>

namespace tandrel::sim {

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  for (const LineSpan& span : LineSpans(text)) lines.emplace_back(text.substr(span.start, span.length));
  return lines;
}

namespace {

// Eight units at once: a file's worth of text is mostly long runs without a line break. The lanes are read
// first unit lowest.
static_assert(std::endian::native == std::endian::little);
using Block = std::uint16_t __attribute__((vector_size(16)));
constexpr std::size_t kBlockUnits = sizeof(Block) / sizeof(char16_t);

// How far into the eight units at `start` the first unit below 14 stands, where both line breaks lie;
// kBlockUnits when none does.
std::size_t FirstLowUnit(const char16_t* start) {
  Block block;
  std::memcpy(&block, start, sizeof block);
  const auto low = static_cast<Block>(block < 14);
  std::uint64_t halves[2];
  std::memcpy(halves, &low, sizeof halves);
  if (halves[0] != 0) return static_cast<std::size_t>(std::countr_zero(halves[0])) / 16;
  if (halves[1] != 0) return 4 + static_cast<std::size_t>(std::countr_zero(halves[1])) / 16;
  return kBlockUnits;
}

}  // namespace

std::vector<LineSpan> LineSpans(std::u16string_view text) {
  std::vector<LineSpan> lines;
  // Source lines run to a few dozen characters. Room the guess leaves unused is never touched, so it costs
  // address space only, where growing would copy every span.
  lines.reserve(text.size() / 16 + 1);
  std::size_t start = 0;
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    if (i + kBlockUnits <= size) {
      const std::size_t skip = FirstLowUnit(text.data() + i);
      i += skip;
      if (skip == kBlockUnits) continue;
    }
    const char16_t unit = text[i++];
    if (unit != u'\r' && unit != u'\n') continue;
    lines.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(i - 1 - start)});
    if (unit == u'\r' && i < size && text[i] == u'\n') ++i;
    start = i;
  }
  if (start < size) {
    lines.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(size - start)});
  }
  return lines;
}

ModuleText::ModuleText(std::u16string text) : text_(std::move(text)) {
  if (text_.size() > kMaxUnits) throw std::length_error("module text beyond 32-bit offsets");
  lines_ = LineSpans(text_);
}

ModuleText::ModuleText(std::u16string text, std::vector<LineSpan> lines)
    : text_(std::move(text)), lines_(std::move(lines)) {
  if (text_.size() > kMaxUnits) throw std::length_error("module text beyond 32-bit offsets");
  for (const LineSpan& span : lines_) {
    if (span.start > text_.size() || span.length > text_.size() - span.start) {
      throw std::out_of_range("line span outside the module text");
    }
  }
}

ModuleText ModuleText::FromLines(const std::vector<std::u16string>& lines) {
  std::u16string text;
  std::vector<LineSpan> spans;
  spans.reserve(lines.size());
  for (const auto& line : lines) {
    if (!spans.empty()) text += u"\r\n";
    spans.push_back({static_cast<std::uint32_t>(text.size()), static_cast<std::uint32_t>(line.size())});
    text += line;
  }
  return ModuleText(std::move(text), std::move(spans));
}

bool ModuleText::ReplaceLine(std::size_t index, std::u16string_view line) {
  if (line.size() > kMaxUnits - text_.size()) return false;
  lines_[index] = {static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(line.size())};
  text_.append(line);
  return true;
}

}  // namespace tandrel::sim
