#include "win/server/class_factory.h"

#include "win/com/module_count.h"
#include "win/server/connect_object.h"

namespace tandrel::win {

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
  *object = static_cast<IClassFactory*>(this);
  return S_OK;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  ConnectObject* connect = nullptr;
  if (HRESULT result = ConnectObject::Create(&connect); FAILED(result)) return result;
  const HRESULT result = connect->QueryInterface(iid, object);
  connect->Release();
  return result;
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock) {
    LockModule();
  } else {
    UnlockModule();
  }
  return S_OK;
}

}  // namespace tandrel::win
