#pragma once

#include <cstdint>

#include "engine/module_lines.h"

namespace tandrel::engine {

// Where a walk through the module stands. `col` may lie off the line (0, negative, past the end) between
// moves; the next move resolves it.
struct ScanPosition {
  std::int32_t lineNo = 1;
  std::int32_t col = 1;
  LineText lineText;
  std::int32_t direction = 1;  // +1 towards the end of the module, -1 towards its start
};

// Moves `stepSize` columns forward, or one column backward; when the column leaves the line the walk goes on
// at the adjacent line (an overshoot is not carried over). False when the walk ran off the module.
bool StepPosition(ScanPosition& position, std::int32_t stepSize, ModuleLines& lines);

// Moves to the adjacent line in the walk's direction: its first column forward, its last backward (0 on an
// empty line). `lineNo` moves even when this fails; `col` and `lineText` then keep the last line visited.
bool MoveToNextLine(ScanPosition& position, ModuleLines& lines);

}  // namespace tandrel::engine
