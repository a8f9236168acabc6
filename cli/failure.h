#pragma once

#include <stdexcept>

namespace tandrel::cli {

// A bad invocation or a file that cannot be read as a module: the command reports it as one line on stderr,
// prints nothing on stdout and exits with status 2.
class InvocationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr int kExitSelectionSet = 0;
inline constexpr int kExitNoSelection = 1;
inline constexpr int kExitBadInvocation = 2;

}  // namespace tandrel::cli
