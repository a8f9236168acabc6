#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tandrel::win::host {

// A refusal of one argument, reported through Invoke's argument-error index.
struct ArgumentError {
  HRESULT result;
  UINT position;  // in declaration order, 0-based
};

// One call of a served member, with its arguments taken in declaration order (IDispatch passes them in
// reverse) and converted as a type library's Invoke would; a refused argument throws ArgumentError.
class Invocation {
 public:
  Invocation(const DISPPARAMS& params, VARIANT* result) : params_(params), result_(result) {}

  UINT Count() const { return params_.cArgs; }
  // An optional argument counts as omitted when it is missing or passed as VT_ERROR/DISP_E_PARAMNOTFOUND.
  bool Omitted(UINT position) const;

  std::int32_t Long(UINT position) const;
  std::u16string String(UINT position) const;
  bool Boolean(UINT position) const;
  // The object passed, not AddRef'ed; null for Nothing.
  IDispatch* Object(UINT position) const;
  // An [out] long: the argument must be a reference to a long.
  LONG& LongOut(UINT position) const;

  // The value of a property put, passed as the named argument DISPID_PROPERTYPUT.
  const VARIANT& PutValue() const { return params_.rgvarg[0]; }

  void ReturnLong(std::int32_t value);
  void ReturnString(const std::u16string& value);
  void ReturnBoolean(bool value);
  // Takes over one reference of `object` (null returns Nothing).
  void ReturnObject(IDispatch* object);

 private:
  const VARIANT& At(UINT position) const;

  const DISPPARAMS& params_;
  VARIANT* result_;
};

// Converts a single VARIANT as Invoke converts an argument (used for the value of a property put too).
std::int32_t LongOf(const VARIANT& value, UINT position);
std::u16string StringOf(const VARIANT& value, UINT position);
bool BooleanOf(const VARIANT& value, UINT position);

}  // namespace tandrel::win::host
