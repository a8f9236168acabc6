#pragma once

#include <cstdint>

namespace tandrel::command {

// A Long result that does not fit 32 bits raises the run time's "Overflow" error instead of wrapping.
std::int32_t CheckedLong(std::int64_t value);

}  // namespace tandrel::command
