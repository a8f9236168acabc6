#include "win/port/dispatch_client.h"

#include <array>

#include "ide/error.h"
#include "win/com/bstr.h"
#include "win/com/com_error.h"
#include "win/com/variant.h"

namespace tandrel::win {
namespace {

// The most arguments any member the port calls takes (CommandBarControls.Add).
constexpr std::size_t kMaxArguments = 5;

// The description a failed Invoke gives: the callee's own text, filled in late when it asks for that.
[[noreturn]] void RaiseInvokeError(HRESULT result, EXCEPINFO& exception) {
  if (result == DISP_E_EXCEPTION && exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
  // The record's strings are the caller's to free.
  const Bstr source = Bstr::Adopt(exception.bstrSource);
  const Bstr description = Bstr::Adopt(exception.bstrDescription);
  const Bstr helpFile = Bstr::Adopt(exception.bstrHelpFile);
  std::u16string text;
  if (result == DISP_E_EXCEPTION) {
    text = ToU16(description.Get());
    if (text.empty() && FAILED(exception.scode)) result = exception.scode;
  }
  RaiseComError(result, text);
}

}  // namespace

void RaiseTypeMismatch() { throw ide::Error(u"Type mismatch"); }

ComPtr<IUnknown> DispatchSession::Owner() const {
  const std::shared_ptr<IUnknown> owner = owner_.lock();
  return ComPtr<IUnknown>(owner.get());
}

DISPID DispatchSession::IdOf(IDispatch* object, DispatchInterface kind, std::u16string_view name) {
  auto& known = ids_[static_cast<int>(kind)];
  for (const auto& [knownName, id] : known) {
    if (knownName == name) return id;
  }
  std::u16string text(name);
  LPOLESTR names[] = {reinterpret_cast<LPOLESTR>(text.data())};
  DISPID id = DISPID_UNKNOWN;
  ThrowIfFailed(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
  known.emplace_back(std::move(text), id);
  return id;
}

VARIANT LongArgument(std::int32_t value) {
  VARIANT argument{};
  V_VT(&argument) = VT_I4;
  V_I4(&argument) = value;
  return argument;
}

VARIANT BoolArgument(bool value) {
  VARIANT argument{};
  V_VT(&argument) = VT_BOOL;
  V_BOOL(&argument) = value ? VARIANT_TRUE : VARIANT_FALSE;
  return argument;
}

VARIANT TextArgument(BSTR text) {
  VARIANT argument{};
  V_VT(&argument) = VT_BSTR;
  V_BSTR(&argument) = text;
  return argument;
}

VARIANT ObjectArgument(IDispatch* object) {
  VARIANT argument{};
  V_VT(&argument) = VT_DISPATCH;
  V_DISPATCH(&argument) = object;
  return argument;
}

VARIANT OmittedArgument() {
  VARIANT argument{};
  V_VT(&argument) = VT_ERROR;
  V_ERROR(&argument) = DISP_E_PARAMNOTFOUND;
  return argument;
}

VARIANT LongOutArgument(LONG* slot) {
  VARIANT argument{};
  V_VT(&argument) = VT_I4 | VT_BYREF;
  V_I4REF(&argument) = slot;
  return argument;
}

void DispatchObject::Invoke(WORD flags, std::u16string_view name, std::initializer_list<VARIANT> arguments,
                            VARIANT* result) const {
  if (!object_) ide::RaiseObjectNotSet();
  const DISPID id = session_->IdOf(object_.Get(), kind_, name);
  // IDispatch takes the arguments last first.
  std::array<VARIANTARG, kMaxArguments> reversed{};
  std::size_t count = 0;
  for (auto argument = std::rbegin(arguments); argument != std::rend(arguments); ++argument) {
    reversed.at(count++) = *argument;
  }
  DISPID propertyPut = DISPID_PROPERTYPUT;
  DISPPARAMS parameters{count ? reversed.data() : nullptr, nullptr, static_cast<UINT>(count), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    parameters.rgdispidNamedArgs = &propertyPut;
    parameters.cNamedArgs = 1;
  }
  EXCEPINFO exception{};
  UINT argumentError = 0;
  const HRESULT invoked = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result,
                                          &exception, &argumentError);
  if (FAILED(invoked)) RaiseInvokeError(invoked, exception);
}

ComPtr<IDispatch> DispatchObject::ReadObject(std::u16string_view name,
                                             std::initializer_list<VARIANT> arguments) const {
  Variant result;
  Invoke(DISPATCH_PROPERTYGET, name, arguments, result.Get());
  return ObjectFrom(*result.Get());
}

std::int32_t DispatchObject::ReadLong(std::u16string_view name,
                                      std::initializer_list<VARIANT> arguments) const {
  Variant result;
  Invoke(DISPATCH_PROPERTYGET, name, arguments, result.Get());
  if (FAILED(VariantChangeType(result.Get(), result.Get(), 0, VT_I4))) RaiseTypeMismatch();
  return V_I4(result.Get());
}

std::int64_t DispatchObject::ReadLongLong(std::u16string_view name) const {
  Variant result;
  Invoke(DISPATCH_PROPERTYGET, name, {}, result.Get());
  if (FAILED(VariantChangeType(result.Get(), result.Get(), 0, VT_I8))) RaiseTypeMismatch();
  return V_I8(result.Get());
}

std::u16string DispatchObject::ReadText(std::u16string_view name,
                                        std::initializer_list<VARIANT> arguments) const {
  Variant result;
  Invoke(DISPATCH_PROPERTYGET, name, arguments, result.Get());
  if (FAILED(VariantChangeType(result.Get(), result.Get(), 0, VT_BSTR))) RaiseTypeMismatch();
  return ToU16(V_BSTR(result.Get()));
}

void DispatchObject::Put(std::u16string_view name, VARIANT value) const {
  Invoke(DISPATCH_PROPERTYPUT, name, {value}, nullptr);
}

ComPtr<IDispatch> DispatchObject::CallForObject(std::u16string_view name,
                                                std::initializer_list<VARIANT> arguments) const {
  Variant result;
  Invoke(DISPATCH_METHOD, name, arguments, result.Get());
  return ObjectFrom(*result.Get());
}

void DispatchObject::Call(std::u16string_view name, std::initializer_list<VARIANT> arguments) const {
  Variant result;
  Invoke(DISPATCH_METHOD, name, arguments, result.Get());
}

ComPtr<IDispatch> ObjectFrom(const VARIANT& value) {
  switch (V_VT(&value)) {
    case VT_EMPTY:
    case VT_NULL:
      return nullptr;
    case VT_DISPATCH:
      return V_DISPATCH(&value);
    case VT_UNKNOWN: {
      ComPtr<IDispatch> object;
      if (V_UNKNOWN(&value) && FAILED(V_UNKNOWN(&value)->QueryInterface(IID_PPV_ARGS(&object)))) {
        RaiseTypeMismatch();
      }
      return object;
    }
    default:
      RaiseTypeMismatch();
  }
}

ComPtr<IDispatch> QueryDual(IDispatch* object, const IID& iid) {
  ComPtr<IDispatch> dual;
  if (!object) ide::RaiseObjectNotSet();
  if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(dual.GetAddressOf())))) RaiseTypeMismatch();
  return dual;
}

}  // namespace tandrel::win
