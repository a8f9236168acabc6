#include "tests/win/port/scripted_dispatch.h"

#include <algorithm>

namespace tandrel::win::testing {

ComPtr<ScriptedObject> ScriptedObject::Make() { return Adopt(new ScriptedObject()); }

void ScriptedObject::On(const std::u16string& name, Answer answer) {
  auto known = std::find(names_.begin(), names_.end(), name);
  if (known == names_.end()) known = names_.insert(known, name);
  answers_[static_cast<DISPID>(known - names_.begin() + 1)] = std::move(answer);
}

HRESULT ScriptedObject::QueryInterface(REFIID iid, void** object) {
  *object = nullptr;
  bool known = iid == IID_IUnknown || iid == IID_IDispatch;
  for (const IID& other : interfaces_) known = known || iid == other;
  if (!known) return E_NOINTERFACE;
  *object = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG ScriptedObject::AddRef() { return static_cast<ULONG>(++references_); }

ULONG ScriptedObject::Release() {
  const LONG references = --references_;
  if (references == 0) delete this;
  return static_cast<ULONG>(references);
}

HRESULT ScriptedObject::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT ScriptedObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return DISP_E_BADINDEX; }

HRESULT ScriptedObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) {
  ++nameLookups_;
  const std::u16string name(reinterpret_cast<const char16_t*>(names[0]));
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (names_[i] == name) {
      ids[0] = static_cast<DISPID>(i + 1);
      return S_OK;
    }
  }
  ids[0] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT ScriptedObject::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* exception, UINT*) {
  const auto answer = answers_.find(member);
  if (answer == answers_.end()) return DISP_E_MEMBERNOTFOUND;
  Call call{names_[static_cast<std::size_t>(member - 1)], flags, {}, false};
  for (UINT i = params->cArgs; i > 0; --i) call.types.push_back(V_VT(&params->rgvarg[i - 1]));
  call.namedPropertyPut = params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
  calls_.push_back(std::move(call));
  return answer->second(*params, result, exception);
}

ScriptedObject::Answer Returns(IDispatch* object) {
  return [object](DISPPARAMS&, VARIANT* result, EXCEPINFO*) {
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
    if (object) object->AddRef();
    return S_OK;
  };
}

ScriptedObject::Answer ReturnsValue(VARIANT value) {
  return [value](DISPPARAMS&, VARIANT* result, EXCEPINFO*) mutable { return VariantCopy(result, &value); };
}

ScriptedObject::Answer Succeeds() {
  return [](DISPPARAMS&, VARIANT*, EXCEPINFO*) { return S_OK; };
}

ScriptedObject::Answer Fails(HRESULT failure) {
  return [failure](DISPPARAMS&, VARIANT*, EXCEPINFO*) { return failure; };
}

namespace {

BSTR Allocate(const std::u16string& text) {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

HRESULT WINAPI FillLateDescription(EXCEPINFO* exception) {
  exception->scode = E_FAIL;
  exception->bstrDescription = Allocate(kLateDescription);
  return S_OK;
}

}  // namespace

ScriptedObject::Answer Raises(std::u16string description) {
  return [description](DISPPARAMS&, VARIANT*, EXCEPINFO* exception) {
    exception->scode = E_FAIL;
    exception->bstrDescription = Allocate(description);
    return DISP_E_EXCEPTION;
  };
}

ScriptedObject::Answer RaisesLate() {
  return [](DISPPARAMS&, VARIANT*, EXCEPINFO* exception) {
    exception->pfnDeferredFillIn = FillLateDescription;
    return DISP_E_EXCEPTION;
  };
}

}  // namespace tandrel::win::testing
