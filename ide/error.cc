#include "ide/error.h"

namespace tandrel::ide {
namespace {

// what() is for diagnostics only; code units outside ASCII become '?'.
std::string Narrow(const std::u16string& text) {
  std::string narrow;
  narrow.reserve(text.size());
  for (char16_t unit : text) narrow.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return narrow;
}

}  // namespace

Error::Error(std::u16string description)
    : std::runtime_error(Narrow(description)), description_(std::move(description)) {}

void RaiseObjectNotSet() { throw Error(u"Object variable or With block variable not set"); }

}  // namespace tandrel::ide
