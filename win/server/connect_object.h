#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>

#include "addin/connect.h"
#include "deliverable.h"
#include "deliverables/deliverables.h"
#include "extensibility_h.h"
#include "ide/runtime.h"
#include "win/com/com_ptr.h"

namespace tandrel::win {

// The COM face of a deliverable's add-in object: _Connect (dual, its IDispatch from the type library) and the
// add-in interface its IDE calls. Every member runs the portable object's code behind one error boundary.
class ConnectObject final : public _Connect, public ISupportErrorInfo {
 public:
  // The new object holds one reference, which the caller owns.
  static HRESULT Create(ConnectObject** object) noexcept;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch, over _Connect's type information
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  // _Connect
  HRESULT STDMETHODCALLTYPE get_VBInstance(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE putref_VBInstance(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_MenuHandler(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE putref_MenuHandler(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_MenuHandlerAddIns(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE putref_MenuHandlerAddIns(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE get_MenuHandlerEditBar(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE putref_MenuHandlerEditBar(IDispatch** value) override;
  HRESULT STDMETHODCALLTYPE AddToMenus(BSTR* sMenu, BSTR* sCaption, IDispatch** control) override;
  HRESULT STDMETHODCALLTYPE AddToToolbars(BSTR* sToolbar, BSTR* sCaption, BSTR* sToolTipText,
                                          IDispatch** button) override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

  // The add-in interface's members, whichever interface carries them.
  HRESULT OnConnection(IDispatch* application, ext_ConnectMode connectMode) noexcept;
  HRESULT OnDisconnection(ext_DisconnectMode removeMode) noexcept;
  HRESULT OnAddInsUpdate() noexcept;
  HRESULT OnStartupComplete() noexcept;

 private:
  class Designer;
  class VisualBasic5;

  ConnectObject();
  ~ConnectObject();
  HRESULT LoadTypeInfo() noexcept;

  LONG references_ = 1;
  // This object as the port's objects watch it: no reference of its own, hence the deleter that does nothing.
  std::shared_ptr<IUnknown> self_{static_cast<_Connect*>(this), [](IUnknown*) {}};
  const deliverables::Deliverable& deliverable_ = deliverables::Of(deliverable::kBuild);
  std::unique_ptr<ide::Runtime> runtime_;
  std::unique_ptr<addin::Connect> addin_;
  ComPtr<ITypeInfo> connectInfo_;
  std::unique_ptr<Designer> designer_;
  std::unique_ptr<VisualBasic5> visualBasic5_;
};

}  // namespace tandrel::win
