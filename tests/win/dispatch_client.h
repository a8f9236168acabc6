#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "win/com/com_ptr.h"

namespace tandrel::win::testing {

// One argument as a client passes it; the owner of anything it points at is the caller.
struct Arg {
  VARIANT value;

  static Arg Long(std::int32_t number);
  static Arg Text(const wchar_t* text);  // a BSTR the Arg frees
  static Arg Object(IDispatch* object);
  static Arg Missing();  // an omitted optional argument
  static Arg Ref(LONG* number);
  static Arg Ref(VARIANT_BOOL* flag);
  static Arg Ref(BSTR* text);
  static Arg Ref(IDispatch** object);

  Arg(const Arg&) = delete;
  Arg(Arg&& other) noexcept : value(other.value) { other.value.vt = VT_EMPTY; }
  ~Arg() { VariantClear(&value); }

 private:
  Arg() { VariantInit(&value); }
};

// Arguments for a call, in declaration order.
template <typename... Values>
std::vector<Arg> Args(Values&&... arguments) {
  std::vector<Arg> list;
  (list.push_back(std::forward<Values>(arguments)), ...);
  return list;
}

// What one call answered.
struct Answer {
  HRESULT result = E_FAIL;
  VARIANT value{};
  std::u16string description;  // EXCEPINFO's, for DISP_E_EXCEPTION
  UINT argumentError = 0;

  Answer() { VariantInit(&value); }
  Answer(const Answer&) = delete;
  Answer(Answer&& other) noexcept;
  ~Answer() { VariantClear(&value); }

  // The object returned (a new reference), or null.
  ComPtr<IDispatch> Object() const;
  std::u16string Text() const;
  std::int32_t Long() const;
  bool Boolean() const;
};

// Calls `member` of `object` as a late-bound client does: GetIDsOfNames, then Invoke with `flags` and the
// arguments in declaration order (they are passed reversed). A failing name lookup is the answer's result.
Answer Call(IDispatch* object, const wchar_t* member, WORD flags, std::vector<Arg> arguments = {});
// The same with a DISPID known in advance.
Answer CallId(IDispatch* object, DISPID id, WORD flags, std::vector<Arg> arguments = {});

// Property shorthands: a read with DISPATCH_PROPERTYGET, a put with the named argument DISPID_PROPERTYPUT.
Answer Get(IDispatch* object, const wchar_t* member, std::vector<Arg> arguments = {});
Answer Put(IDispatch* object, const wchar_t* member, Arg value, WORD flags = DISPATCH_PROPERTYPUT);

// The DISPID `object` gives for `member`, or DISPID_UNKNOWN.
DISPID IdOf(IDispatch* object, const wchar_t* member);

// Walks a path of property reads ("CommandBars", then Item("Edit"), ...) and returns the last object.
ComPtr<IDispatch> Bar(IDispatch* vbe, const wchar_t* name);

}  // namespace tandrel::win::testing
