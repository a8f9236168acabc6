#include "tests/win/host/invocation.h"

#include "win/com/bstr.h"

namespace tandrel::win::host {
namespace {

// A converted copy of `value`, cleared when it goes away.
class Converted {
 public:
  Converted(const VARIANT& value, VARTYPE type, UINT position) {
    VariantInit(&value_);
    // VariantChangeType follows a VT_BYREF argument to its value, as Invoke does.
    if (HRESULT result = VariantChangeType(&value_, const_cast<VARIANT*>(&value), 0, type); FAILED(result)) {
      throw ArgumentError{result, position};
    }
  }
  Converted(const Converted&) = delete;
  Converted& operator=(const Converted&) = delete;
  ~Converted() { VariantClear(&value_); }

  const VARIANT& Get() const { return value_; }

 private:
  VARIANT value_;
};

}  // namespace

std::int32_t LongOf(const VARIANT& value, UINT position) {
  return Converted(value, VT_I4, position).Get().lVal;
}

std::u16string StringOf(const VARIANT& value, UINT position) {
  return ToU16(Converted(value, VT_BSTR, position).Get().bstrVal);
}

bool BooleanOf(const VARIANT& value, UINT position) {
  return Converted(value, VT_BOOL, position).Get().boolVal != VARIANT_FALSE;
}

const VARIANT& Invocation::At(UINT position) const {
  if (position >= params_.cArgs) throw ArgumentError{DISP_E_PARAMNOTFOUND, position};
  return params_.rgvarg[params_.cArgs - 1 - position];
}

bool Invocation::Omitted(UINT position) const {
  if (position >= params_.cArgs) return true;
  const VARIANT& value = At(position);
  return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND;
}

std::int32_t Invocation::Long(UINT position) const { return LongOf(At(position), position); }

std::u16string Invocation::String(UINT position) const { return StringOf(At(position), position); }

bool Invocation::Boolean(UINT position) const { return BooleanOf(At(position), position); }

IDispatch* Invocation::Object(UINT position) const {
  const VARIANT& value = At(position);
  if (value.vt == VT_DISPATCH) return value.pdispVal;
  if (value.vt == (VT_DISPATCH | VT_BYREF) && value.ppdispVal) return *value.ppdispVal;
  if (value.vt == VT_EMPTY) return nullptr;
  throw ArgumentError{DISP_E_TYPEMISMATCH, position};
}

LONG& Invocation::LongOut(UINT position) const {
  const VARIANT& value = At(position);
  if (value.vt != (VT_I4 | VT_BYREF) || !value.plVal) throw ArgumentError{DISP_E_TYPEMISMATCH, position};
  return *value.plVal;
}

void Invocation::ReturnLong(std::int32_t value) {
  if (!result_) return;
  VariantClear(result_);
  result_->vt = VT_I4;
  result_->lVal = value;
}

void Invocation::ReturnString(const std::u16string& value) {
  if (!result_) return;
  VariantClear(result_);
  result_->vt = VT_BSTR;
  result_->bstrVal = Bstr(value).Release();
}

void Invocation::ReturnBoolean(bool value) {
  if (!result_) return;
  VariantClear(result_);
  result_->vt = VT_BOOL;
  result_->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void Invocation::ReturnObject(IDispatch* object) {
  if (!result_) {
    if (object) object->Release();
    return;
  }
  VariantClear(result_);
  result_->vt = VT_DISPATCH;
  result_->pdispVal = object;
}

}  // namespace tandrel::win::host
