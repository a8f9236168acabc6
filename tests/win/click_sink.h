#pragma once

#include <windows.h>

#include <vector>

namespace tandrel::win::testing {

// What a Click sink was handed: the argument types in rgvarg order and the control.
struct ReceivedClick {
  DISPID id = 0;
  WORD flags = 0;
  std::vector<VARTYPE> types;
  IDispatch* control = nullptr;  // not owned; compared only
};

// A Click sink as an add-in writes one: it answers the event interface `events`, IDispatch and IUnknown,
// records every call and answers `result`.
class ClickSink final : public IDispatch {
 public:
  ClickSink(const IID& events, HRESULT result) : events_(events), result_(result) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != events_) return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the test's stack
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO* exception, UINT*) override {
    ReceivedClick click{id, flags, {}, nullptr};
    for (UINT i = 0; i < params->cArgs; ++i) click.types.push_back(params->rgvarg[i].vt);
    if (params->cArgs == 3 && params->rgvarg[2].vt == VT_DISPATCH) click.control = params->rgvarg[2].pdispVal;
    if (params->cArgs == 3 && params->rgvarg[1].vt == (VT_BOOL | VT_BYREF))
      *params->rgvarg[1].pboolVal = VARIANT_TRUE;
    clicks.push_back(click);
    if (result_ == DISP_E_EXCEPTION && exception) {
      *exception = EXCEPINFO{};
      exception->bstrDescription = SysAllocString(L"Object variable or With block variable not set");
    }
    return result_;
  }

  std::vector<ReceivedClick> clicks;
  ULONG references() const { return references_; }

 private:
  IID events_;
  HRESULT result_;
  ULONG references_ = 1;
};

}  // namespace tandrel::win::testing
