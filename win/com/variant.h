#pragma once

#include <windows.h>

#include <oleauto.h>

namespace tandrel::win {

// An owned VARIANT, cleared when the owner goes away.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&value_); }

  VARIANT* Get() { return &value_; }
  const VARIANT* Get() const { return &value_; }
  // For an out parameter: clears what is held and hands out the slot.
  VARIANT* Put() {
    VariantClear(&value_);
    return &value_;
  }

 private:
  VARIANT value_;
};

}  // namespace tandrel::win
