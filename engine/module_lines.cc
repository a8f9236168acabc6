#include "engine/module_lines.h"

namespace tandrel::engine {

LineText ModuleLines::Line(std::int32_t lineNo) {
  if (!cachedLine_ || cachedLineNo_ != lineNo) {
    cachedLine_ = std::make_shared<const std::u16string>(module_.Lines(lineNo, 1));
    cachedLineNo_ = lineNo;
  }
  return LineText(cachedLine_);
}

}  // namespace tandrel::engine
