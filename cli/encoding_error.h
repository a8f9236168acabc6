#pragma once

#include <stdexcept>

namespace tandrel::cli {

// Bytes that are not text in the encoding they are read in, or an encoding that cannot be read at all.
class EncodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tandrel::cli
