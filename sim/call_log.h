#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel::sim {

// The name of an operation of the in-memory IDE as its objects enter it. It can only be made from a string
// literal, whose address then names the operation as surely as its text does.
class Operation {
 public:
  template <std::size_t kSize>
  consteval Operation(const char (&name)[kSize])  // NOLINT(google-explicit-constructor): written as "Lines"
      : name_(name, kSize - 1) {}

  std::string_view Name() const { return name_; }

 private:
  std::string_view name_;
};

// Counts the calls made on the in-memory IDE's objects, per operation ("Lines", "SetSelection", ...), and
// makes any operation raise an error on demand.
class CallLog {
 public:
  // Counts one call of `operation`, then raises the error armed for it, if any.
  void Enter(Operation operation);

  int Count(std::string_view operation) const;
  void Fail(std::string_view operation, std::u16string description);
  void Heal(std::string_view operation);

 private:
  struct Counter {
    std::string operation;
    int count;
  };

  // A walk through a module makes a call or two per line (Lines, and CountOfLines at each line change): the
  // two operations counted last are known by their literal's address, the others looked up by name.
  struct Recent {
    const char* literal = nullptr;
    std::size_t index = 0;  // into counts_
  };
  Counter& CounterFor(Operation operation);

  std::vector<Counter> counts_;
  Recent recent_[2];
  std::map<std::string, std::u16string, std::less<>> failures_;
};

}  // namespace tandrel::sim
