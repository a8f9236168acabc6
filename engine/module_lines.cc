#include "engine/module_lines.h"

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

void ModuleLines::Load(LineText& text, std::int32_t lineNo) {
  if (!cachedLine_ || cachedLineNo_ != lineNo) {
    module_.ReadLines(lineNo, 1, spare_);
    text = LineText();  // a read held only here can take the new text
    if (cachedLine_ && cachedLine_.use_count() == 1) {
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
