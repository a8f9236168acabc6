// The entry points of an in-process COM server: the four every one has, and DllInstall for the per-user
// registration.
#include <windows.h>

#include "deliverable.h"
#include "win/com/module_count.h"
#include "win/server/class_factory.h"
#include "win/server/register_server.h"

namespace {

tandrel::win::ClassFactory classFactory;

}  // namespace

extern "C" {

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (clsid != tandrel::win::deliverable::kClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return classFactory.QueryInterface(iid, object);
}

STDAPI DllCanUnloadNow() { return tandrel::win::ModuleInUse() ? S_FALSE : S_OK; }

STDAPI DllRegisterServer() { return tandrel::win::RegisterServer(); }

STDAPI DllUnregisterServer() { return tandrel::win::UnregisterServer(); }

STDAPI DllInstall(BOOL install, PCWSTR commandLine) {
  return tandrel::win::InstallServer(install != FALSE, commandLine);
}

}  // extern "C"
