#pragma once

#include <cstdint>
#include <string>

namespace tandrel::ide {

// A number as Visual Basic's CStr writes a Long: plain decimal digits, with a minus sign when negative.
inline std::u16string DecimalText(std::int64_t number) {
  const std::string digits = std::to_string(number);
  return {digits.begin(), digits.end()};
}

}  // namespace tandrel::ide
