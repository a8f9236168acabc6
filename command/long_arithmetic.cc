#include "command/long_arithmetic.h"

#include <limits>

#include "ide/error.h"

namespace tandrel::command {

std::int32_t CheckedLong(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
    throw ide::Error(u"Overflow");
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace tandrel::command
