#include "tests/win/dispatch_client.h"

#include <utility>

#include "win/com/bstr.h"

namespace tandrel::win::testing {

Arg Arg::Long(std::int32_t number) {
  Arg arg;
  arg.value.vt = VT_I4;
  arg.value.lVal = number;
  return arg;
}

Arg Arg::Text(const wchar_t* text) {
  Arg arg;
  arg.value.vt = VT_BSTR;
  arg.value.bstrVal = SysAllocString(text);
  return arg;
}

Arg Arg::Object(IDispatch* object) {
  Arg arg;
  arg.value.vt = VT_DISPATCH;
  arg.value.pdispVal = object;
  if (object) object->AddRef();
  return arg;
}

Arg Arg::Missing() {
  Arg arg;
  arg.value.vt = VT_ERROR;
  arg.value.scode = DISP_E_PARAMNOTFOUND;
  return arg;
}

Arg Arg::Ref(LONG* number) {
  Arg arg;
  arg.value.vt = VT_I4 | VT_BYREF;
  arg.value.plVal = number;
  return arg;
}

Arg Arg::Ref(VARIANT_BOOL* flag) {
  Arg arg;
  arg.value.vt = VT_BOOL | VT_BYREF;
  arg.value.pboolVal = flag;
  return arg;
}

Arg Arg::Ref(BSTR* text) {
  Arg arg;
  arg.value.vt = VT_BSTR | VT_BYREF;
  arg.value.pbstrVal = text;
  return arg;
}

Arg Arg::Ref(IDispatch** object) {
  Arg arg;
  arg.value.vt = VT_DISPATCH | VT_BYREF;
  arg.value.ppdispVal = object;
  return arg;
}

Answer::Answer(Answer&& other) noexcept
    : result(other.result),
      value(other.value),
      description(std::move(other.description)),
      argumentError(other.argumentError) {
  VariantInit(&other.value);
}

ComPtr<IDispatch> Answer::Object() const {
  if (value.vt == VT_DISPATCH) return ComPtr<IDispatch>(value.pdispVal);
  return nullptr;
}

std::u16string Answer::Text() const { return value.vt == VT_BSTR ? ToU16(value.bstrVal) : u"<not text>"; }

std::int32_t Answer::Long() const { return value.vt == VT_I4 ? value.lVal : -999999; }

bool Answer::Boolean() const { return value.vt == VT_BOOL && value.boolVal != VARIANT_FALSE; }

DISPID IdOf(IDispatch* object, const wchar_t* member) {
  DISPID id = DISPID_UNKNOWN;
  auto* name = const_cast<LPOLESTR>(member);
  if (FAILED(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id))) return DISPID_UNKNOWN;
  return id;
}

Answer CallId(IDispatch* object, DISPID id, WORD flags, std::vector<Arg> arguments) {
  std::vector<VARIANT> reversed;
  for (auto arg = arguments.rbegin(); arg != arguments.rend(); ++arg) reversed.push_back(arg->value);
  DISPID putId = DISPID_PROPERTYPUT;
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), put ? &putId : nullptr,
                    static_cast<UINT>(reversed.size()), put ? 1u : 0u};
  EXCEPINFO exception{};
  Answer answer;
  answer.result = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &answer.value, &exception,
                                 &answer.argumentError);
  if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
  answer.description = ToU16(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return answer;
}

Answer Call(IDispatch* object, const wchar_t* member, WORD flags, std::vector<Arg> arguments) {
  DISPID id = DISPID_UNKNOWN;
  auto* name = const_cast<LPOLESTR>(member);
  if (HRESULT result = object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id); FAILED(result)) {
    Answer answer;
    answer.result = result;
    return answer;
  }
  return CallId(object, id, flags, std::move(arguments));
}

Answer Get(IDispatch* object, const wchar_t* member, std::vector<Arg> arguments) {
  return Call(object, member, DISPATCH_PROPERTYGET, std::move(arguments));
}

Answer Put(IDispatch* object, const wchar_t* member, Arg value, WORD flags) {
  std::vector<Arg> arguments;
  arguments.push_back(std::move(value));
  return Call(object, member, flags, std::move(arguments));
}

ComPtr<IDispatch> Bar(IDispatch* vbe, const wchar_t* name) {
  ComPtr<IDispatch> bars = Get(vbe, L"CommandBars").Object();
  if (!bars) return nullptr;
  std::vector<Arg> index;
  index.push_back(Arg::Text(name));
  return Get(bars.Get(), L"Item", std::move(index)).Object();
}

}  // namespace tandrel::win::testing
