#include "engine/module_lines.h"

#include <algorithm>

#include "engine/basic_text.h"

namespace tandrel::engine {

std::int32_t ModuleLine::FirstNonSpace() const {
  if (firstNonSpace_ == 0) firstNonSpace_ = engine::FirstNonSpace(text_);
  return firstNonSpace_;
}

LineText ModuleLines::Line(std::int32_t lineNo) {
  LineText text;
  Load(text, lineNo);
  return text;
}

std::int32_t ModuleLines::CountOfLines() {
  if (count_ < 0) count_ = module_.CountOfLines();
  return count_;
}

bool ModuleLines::ReadBlock(std::int32_t lineNo) {
  const std::int32_t count = CountOfLines();
  if (lineNo < 1 || lineNo > count) return false;
  const std::int32_t size = std::min(nextBlockSize_, module_.LinesPerRead());
  nextBlockSize_ = std::min(nextBlockSize_ * 2, module_.LinesPerRead());
  const bool backward = cachedLine_ && lineNo < cachedLineNo_;
  const std::int32_t first = backward ? std::max(1, lineNo - size + 1) : lineNo;
  const std::int32_t last = std::min(count, first + size - 1);
  auto block = std::make_shared<Block>();
  block->text = module_.Lines(first, last - first + 1);
  const std::u16string_view text = block->text;
  block->lines.reserve(static_cast<std::size_t>(last - first + 1));
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(u"\r\n", start);
    block->lines.emplace_back(text.substr(start, end == std::u16string_view::npos ? end : end - start));
    if (end == std::u16string_view::npos) break;
    start = end + 2;
  }
  block_ = std::move(block);
  blockFirst_ = first;
  return lineNo - first < static_cast<std::int32_t>(block_->lines.size());
}

void ModuleLines::Load(LineText& text, std::int32_t lineNo) {
  if (module_.LinesPerRead() > 1 && (!cachedLine_ || cachedLineNo_ != lineNo)) {
    const auto inBlock = [&] {
      return block_ && lineNo >= blockFirst_ &&
             lineNo - blockFirst_ < static_cast<std::int32_t>(block_->lines.size());
    };
    if (inBlock() || (ReadBlock(lineNo) && inBlock())) {
      cachedLine_ =
          std::shared_ptr<ModuleLine>(block_, &block_->lines[static_cast<std::size_t>(lineNo - blockFirst_)]);
      cachedLineNo_ = lineNo;
    }
  }
  if (!cachedLine_ || cachedLineNo_ != lineNo) {
    module_.ReadLines(lineNo, 1, spare_);
    text = LineText();  // a read held only here can take the new text
    if (cachedLine_ && cachedLine_.use_count() == 1 && cachedLine_->OwnsText()) {
      cachedLine_->Exchange(spare_);
    } else {
      cachedLine_ = std::make_shared<ModuleLine>(std::move(spare_));
      spare_.clear();
    }
    cachedLineNo_ = lineNo;
  }
  if (!text.IsWhole(cachedLine_.get())) text = LineText(cachedLine_);
}

}  // namespace tandrel::engine
