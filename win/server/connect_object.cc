#include "win/server/connect_object.h"

#include <new>
#include <string>

#include "win/com/bstr.h"
#include "win/com/com_error.h"
#include "win/com/module_count.h"
#include "win/port/host_interfaces.h"
#include "win/port/vbe.h"
#include "win/port/win32_runtime.h"
#include "win/server/server_module.h"

namespace tandrel::win {
namespace {

// The type library embedded as resource `index` of this DLL: 1 is the deliverable's own, 2 the IDEs' add-in
// interfaces. Its callers are the IDispatch members, which the IDE calls directly.
HRESULT LoadEmbeddedTypeInfo(int index, const IID& iid, ITypeInfo** info) noexcept {
  return ComBoundary(iid, [&] {
    std::wstring path = ThisModulePath();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    if (index != 1) path += L"\\" + std::to_wstring(index);
    ComPtr<ITypeLib> library;
    if (HRESULT result = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library); FAILED(result)) return result;
    return library->GetTypeInfoOfGuid(iid, info);
  });
}

std::u16string TextOf(const BSTR* text) { return text ? ToU16(*text) : std::u16string(); }

const HostInterfaces& InterfacesOf(addin::Host host) {
  return host == addin::Host::kOfficeEditor ? kOfficeEditorHost : kVisualBasicHost;
}

template <typename PortObject>
HRESULT ReturnDispatch(const std::shared_ptr<PortObject>& object, IDispatch** value) {
  if (!value) return E_POINTER;
  *value = DispatchOf(object).Detach();
  return S_OK;
}

}  // namespace

// One of the IDEs' add-in interfaces as a face of the Connect object: it shares the object's identity and
// reference count, and has its own IDispatch over the embedded type information of the interface.
template <typename Interface>
class ExtensibilityFace : public Interface {
 public:
  ExtensibilityFace(ConnectObject& outer, const IID& iid) : outer_(outer), iid_(iid) {}
  virtual ~ExtensibilityFace() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return outer_.QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return outer_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return outer_.Release(); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    if (HRESULT result = LoadInfo(); FAILED(result)) return result;
    return info_.CopyTo(info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (HRESULT result = LoadInfo(); FAILED(result)) return result;
    return DispGetIDsOfNames(info_.Get(), names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override {
    if (HRESULT loaded = LoadInfo(); FAILED(loaded)) return loaded;
    return DispInvoke(static_cast<Interface*>(this), info_.Get(), member, flags, params, result, exception,
                      argumentError);
  }

  // The add-in instance and the custom arrays are not used.
  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, ext_ConnectMode connectMode, IDispatch*,
                                         SAFEARRAY**) override {
    return outer_.OnConnection(application, connectMode);
  }
  HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode removeMode, SAFEARRAY**) override {
    return outer_.OnDisconnection(removeMode);
  }
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY**) override { return outer_.OnAddInsUpdate(); }
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY**) override { return outer_.OnStartupComplete(); }

 private:
  HRESULT LoadInfo() noexcept {
    if (info_) return S_OK;
    return LoadEmbeddedTypeInfo(2, iid_, &info_);
  }

  ConnectObject& outer_;
  const IID& iid_;
  ComPtr<ITypeInfo> info_;
};

class ConnectObject::Designer final : public ExtensibilityFace<IDTExtensibility2> {
 public:
  explicit Designer(ConnectObject& outer) : ExtensibilityFace(outer, IID_IDTExtensibility2) {}

  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY**) override { return S_OK; }
};

class ConnectObject::VisualBasic5 final : public ExtensibilityFace<IDTExtensibility> {
 public:
  explicit VisualBasic5(ConnectObject& outer) : ExtensibilityFace(outer, IID_IDTExtensibility) {}
};

HRESULT ConnectObject::Create(ConnectObject** object) noexcept {
  if (!object) return E_POINTER;
  *object = nullptr;
  try {
    *object = new ConnectObject();
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

ConnectObject::ConnectObject() {
  runtime_ = MakeWin32Runtime(ThisModule(), deliverable::kTitle,
                              [this] { return addin_ ? MainWindowOf(addin_->VBInstance()) : nullptr; });
  addin_ = deliverable_.make(*runtime_);
  if (deliverable_.addinInterface == deliverables::AddinInterface::kExtensibility) {
    visualBasic5_ = std::make_unique<VisualBasic5>(*this);
  } else {
    designer_ = std::make_unique<Designer>(*this);
  }
  LockModule();
}

ConnectObject::~ConnectObject() {
  // No click may take this object from here on. The add-in object lets go of the IDE's objects, and detaches
  // its handlers, before the run time goes.
  self_.reset();
  addin_.reset();
  UnlockModule();
}

HRESULT ConnectObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == deliverable::kConnectIid) {
    *object = static_cast<_Connect*>(this);
  } else if (iid == IID_ISupportErrorInfo) {
    *object = static_cast<ISupportErrorInfo*>(this);
  } else if (designer_ && iid == IID_IDTExtensibility2) {
    *object = static_cast<IDTExtensibility2*>(designer_.get());
  } else if (visualBasic5_ && iid == IID_IDTExtensibility) {
    *object = static_cast<IDTExtensibility*>(visualBasic5_.get());
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG ConnectObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG ConnectObject::Release() {
  const LONG references = InterlockedDecrement(&references_);
  if (references == 0) delete this;
  return static_cast<ULONG>(references);
}

HRESULT ConnectObject::LoadTypeInfo() noexcept {
  if (connectInfo_) return S_OK;
  return LoadEmbeddedTypeInfo(1, deliverable::kConnectIid, &connectInfo_);
}

HRESULT ConnectObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT ConnectObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  if (HRESULT result = LoadTypeInfo(); FAILED(result)) return result;
  return connectInfo_.CopyTo(info);
}

HRESULT ConnectObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (HRESULT result = LoadTypeInfo(); FAILED(result)) return result;
  return DispGetIDsOfNames(connectInfo_.Get(), names, count, ids);
}

HRESULT ConnectObject::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                              EXCEPINFO* exception, UINT* argumentError) {
  if (HRESULT loaded = LoadTypeInfo(); FAILED(loaded)) return loaded;
  return DispInvoke(static_cast<_Connect*>(this), connectInfo_.Get(), member, flags, params, result,
                    exception, argumentError);
}

HRESULT ConnectObject::get_VBInstance(IDispatch** value) {
  return ComBoundary(deliverable::kConnectIid, [&] { return ReturnDispatch(addin_->VBInstance(), value); });
}

HRESULT ConnectObject::putref_VBInstance(IDispatch** value) {
  return ComBoundary(deliverable::kConnectIid, [&] {
    IDispatch* application = value ? *value : nullptr;
    auto object = WrapApplication(application, InterfacesOf(deliverable_.host), self_);
    addin_->SetVBInstance(object ? object->AsVBE() : nullptr);
    return S_OK;
  });
}

HRESULT ConnectObject::get_MenuHandler(IDispatch** value) {
  return ComBoundary(deliverable::kConnectIid, [&] { return ReturnDispatch(addin_->MenuHandler(), value); });
}

HRESULT ConnectObject::putref_MenuHandler(IDispatch** value) {
  return ComBoundary(deliverable::kConnectIid, [&] {
    addin_->SetMenuHandler(
        WrapCommandBarEvents(value ? *value : nullptr, InterfacesOf(deliverable_.host), self_));
    return S_OK;
  });
}

HRESULT ConnectObject::get_MenuHandlerAddIns(IDispatch** value) {
  return ComBoundary(deliverable::kConnectIid,
                     [&] { return ReturnDispatch(addin_->MenuHandlerAddIns(), value); });
}

HRESULT ConnectObject::putref_MenuHandlerAddIns(IDispatch** value) {
  return ComBoundary(deliverable::kConnectIid, [&] {
    addin_->SetMenuHandlerAddIns(
        WrapCommandBarEvents(value ? *value : nullptr, InterfacesOf(deliverable_.host), self_));
    return S_OK;
  });
}

HRESULT ConnectObject::get_MenuHandlerEditBar(IDispatch** value) {
  return ComBoundary(deliverable::kConnectIid,
                     [&] { return ReturnDispatch(addin_->MenuHandlerEditBar(), value); });
}

HRESULT ConnectObject::putref_MenuHandlerEditBar(IDispatch** value) {
  return ComBoundary(deliverable::kConnectIid, [&] {
    addin_->SetMenuHandlerEditBar(
        WrapCommandBarEvents(value ? *value : nullptr, InterfacesOf(deliverable_.host), self_));
    return S_OK;
  });
}

HRESULT ConnectObject::AddToMenus(BSTR* sMenu, BSTR* sCaption, IDispatch** control) {
  return ComBoundary(deliverable::kConnectIid, [&] {
    return ReturnDispatch(addin_->AddToMenus(TextOf(sMenu), TextOf(sCaption)), control);
  });
}

HRESULT ConnectObject::AddToToolbars(BSTR* sToolbar, BSTR* sCaption, BSTR* sToolTipText, IDispatch** button) {
  return ComBoundary(deliverable::kConnectIid, [&] {
    return ReturnDispatch(addin_->AddToToolbars(TextOf(sToolbar), TextOf(sCaption), TextOf(sToolTipText)),
                          button);
  });
}

HRESULT ConnectObject::InterfaceSupportsErrorInfo(REFIID iid) {
  return iid == deliverable::kConnectIid ? S_OK : S_FALSE;
}

HRESULT ConnectObject::OnConnection(IDispatch* application, ext_ConnectMode connectMode) noexcept {
  // The connection shows its own failures; nothing it raises reaches the IDE.
  return ComBoundary(deliverable::kConnectIid, [&] {
    deliverable_.onConnection(*addin_, WrapApplication(application, InterfacesOf(deliverable_.host), self_),
                              static_cast<std::int32_t>(connectMode));
    return S_OK;
  });
}

HRESULT ConnectObject::OnDisconnection(ext_DisconnectMode removeMode) noexcept {
  return ComBoundary(deliverable::kConnectIid, [&] {
    deliverable_.onDisconnection(*addin_, static_cast<std::int32_t>(removeMode));
    return S_OK;
  });
}

HRESULT ConnectObject::OnAddInsUpdate() noexcept {
  return ComBoundary(deliverable::kConnectIid, [&] {
    deliverable_.onAddInsUpdate(*addin_);
    return S_OK;
  });
}

HRESULT ConnectObject::OnStartupComplete() noexcept {
  return ComBoundary(deliverable::kConnectIid, [&] {
    deliverable_.onStartupComplete(*addin_);
    return S_OK;
  });
}

}  // namespace tandrel::win
