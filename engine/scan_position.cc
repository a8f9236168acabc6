#include "engine/scan_position.h"

#include <algorithm>
#include <limits>

namespace tandrel::engine {
namespace {

// A column far outside any line stays far outside it instead of wrapping around.
std::int32_t Saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

bool StepPosition(ScanPosition& position, std::int32_t stepSize, ModuleLines& lines) {
  const std::int64_t step = position.direction == 1 ? stepSize : 1;
  position.col = Saturate(position.col + step * position.direction);
  if (position.col >= 1 && position.col <= position.lineText.Length()) return true;
  return MoveToNextLine(position, lines);
}

bool MoveToNextLine(ScanPosition& position, ModuleLines& lines) {
  position.lineNo = Saturate(static_cast<std::int64_t>(position.lineNo) + position.direction);
  if (position.lineNo < 1 || position.lineNo > lines.CountOfLines()) return false;
  lines.Load(position.lineText, position.lineNo);
  position.col = position.direction == 1 ? 1 : position.lineText.Length();
  return true;
}

}  // namespace tandrel::engine
