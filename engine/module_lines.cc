#include "engine/module_lines.h"

#include "engine/basic_text.h"

namespace tandrel::engine {

ModuleLine::ModuleLine(std::u16string lineText)
    : text(std::move(lineText)), firstNonSpace(engine::FirstNonSpace(text)) {}

LineText ModuleLines::Line(std::int32_t lineNo) {
  LineText text;
  Load(text, lineNo);
  return text;
}

void ModuleLines::Load(LineText& text, std::int32_t lineNo) {
  if (!cachedLine_ || cachedLineNo_ != lineNo) {
    cachedLine_ = std::make_shared<const ModuleLine>(module_.Lines(lineNo, 1));
    cachedLineNo_ = lineNo;
  }
  if (!text.IsWhole(cachedLine_)) text = LineText(cachedLine_);
}

}  // namespace tandrel::engine
