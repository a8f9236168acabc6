#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

namespace tandrel::win {

// An owned BSTR. The IDE's text is 16-bit, as BSTR is, so conversion is a copy of the units.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::u16string_view text);
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : value_(other.Release()) {}
  // Takes over a BSTR someone handed this side to free, such as one of EXCEPINFO's.
  static Bstr Adopt(BSTR owned) noexcept {
    Bstr adopted;
    adopted.value_ = owned;
    return adopted;
  }
  Bstr& operator=(Bstr&& other) noexcept;
  ~Bstr() { SysFreeString(value_); }

  BSTR Get() const { return value_; }
  // For an out parameter: frees what is held and hands out the slot.
  BSTR* Put();
  BSTR Release() noexcept;

 private:
  BSTR value_ = nullptr;
};

// The units of a BSTR (a null BSTR is the empty string).
std::u16string ToU16(BSTR text);

}  // namespace tandrel::win
