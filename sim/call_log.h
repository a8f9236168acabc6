#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel::sim {

// Counts the calls made on the in-memory IDE's objects, per operation ("Lines", "SetSelection", ...), and
// makes any operation raise an error on demand.
class CallLog {
 public:
  // Counts one call of `operation`, then raises the error armed for it, if any.
  void Enter(std::string_view operation);

  int Count(std::string_view operation) const;
  void Fail(std::string_view operation, std::u16string description);
  void Heal(std::string_view operation);

 private:
  struct Counter {
    std::string operation;
    int count;
  };

  // A walk through a module makes a call or two per line (Lines, and CountOfLines at each line change): the
  // two operations counted last are tried first, then the short list of all there are.
  std::vector<Counter> counts_;
  std::size_t recent_[2] = {SIZE_MAX, SIZE_MAX};  // indexes into counts_
  std::map<std::string, std::u16string, std::less<>> failures_;
};

}  // namespace tandrel::sim
