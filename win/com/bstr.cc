#include "win/com/bstr.h"

#include <new>

namespace tandrel::win {

Bstr::Bstr(std::u16string_view text)
    : value_(
          SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()))) {
  if (!value_ && !text.empty()) throw std::bad_alloc();
}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
  if (this != &other) {
    SysFreeString(value_);
    value_ = other.Release();
  }
  return *this;
}

BSTR* Bstr::Put() {
  SysFreeString(value_);
  value_ = nullptr;
  return &value_;
}

BSTR Bstr::Release() noexcept {
  BSTR value = value_;
  value_ = nullptr;
  return value;
}

std::u16string ToU16(BSTR text) {
  if (!text) return {};
  return {reinterpret_cast<const char16_t*>(text), SysStringLen(text)};
}

}  // namespace tandrel::win
