#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace tandrel::ide {

// Every IDE call can fail; the failure travels as this one error, carrying the text the IDE's error object
// gives as its Description. Only the handlers that show or ignore a failure catch it.
class Error : public std::runtime_error {
 public:
  explicit Error(std::u16string description);

  const std::u16string& Description() const noexcept { return description_; }

 private:
  std::u16string description_;
};

// A call through a reference that holds Nothing fails as Basic's run-time error 91 does.
[[noreturn]] void RaiseObjectNotSet();

template <typename Pointer>
Pointer&& Require(Pointer&& object) {
  if (!object) RaiseObjectNotSet();
  return std::forward<Pointer>(object);
}

}  // namespace tandrel::ide
