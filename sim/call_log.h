#pragma once

#include <map>
#include <string>
#include <string_view>

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
  std::map<std::string, int, std::less<>> counts_;
  std::map<std::string, std::u16string, std::less<>> failures_;
};

}  // namespace tandrel::sim
