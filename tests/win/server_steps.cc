#include "tests/win/server_steps.h"

#include <vector>

#include "tests/win/extensibility.h"

namespace tandrel::win::testing {
namespace {

// The custom array the IDE passes: an empty array of VARIANT.
class CustomArray {
 public:
  CustomArray() : array_(SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
  CustomArray(const CustomArray&) = delete;
  CustomArray& operator=(const CustomArray&) = delete;
  ~CustomArray() { SafeArrayDestroy(array_); }
  SAFEARRAY** Get() { return &array_; }

 private:
  SAFEARRAY* array_;
};

}  // namespace

DWORD Regsvr32(const std::wstring& dll, bool unregister, bool forUser) {
  std::wstring command = std::wstring(L"regsvr32.exe /s ") + (unregister ? L"/u " : L"") +
                         (forUser ? L"/n /i:user " : L"") + L"\"" + dll + L"\"";
  std::vector<wchar_t> line(command.begin(), command.end());
  line.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return static_cast<DWORD>(-1);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = static_cast<DWORD>(-1);
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

HRESULT CreateConnect(const Deliverable& deliverable, ComPtr<IUnknown>& connect) {
  CLSID clsid{};
  if (HRESULT result = CLSIDFromProgID(deliverable.progId, &clsid); FAILED(result)) return result;
  return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                          reinterpret_cast<void**>(connect.ReleaseAndGetAddressOf()));
}

HRESULT ConnectAddin(const Deliverable& deliverable, IUnknown* connect, IDispatch* vbe) {
  CustomArray custom;
  if (deliverable.designer) {
    ComPtr<DesignerExtensibility> addin;
    if (HRESULT result = connect->QueryInterface(kIidDesignerExtensibility,
                                                 reinterpret_cast<void**>(addin.GetAddressOf()));
        FAILED(result))
      return result;
    return addin->OnConnection(vbe, kConnectAfterStartup, nullptr, custom.Get());
  }
  ComPtr<Vb5Extensibility> addin;
  if (HRESULT result =
          connect->QueryInterface(kIidVb5Extensibility, reinterpret_cast<void**>(addin.GetAddressOf()));
      FAILED(result))
    return result;
  return addin->OnConnection(vbe, kConnectAfterStartup, nullptr, custom.Get());
}

HRESULT DisconnectAddin(const Deliverable& deliverable, IUnknown* connect) {
  CustomArray custom;
  if (deliverable.designer) {
    ComPtr<DesignerExtensibility> addin;
    if (HRESULT result = connect->QueryInterface(kIidDesignerExtensibility,
                                                 reinterpret_cast<void**>(addin.GetAddressOf()));
        FAILED(result))
      return result;
    return addin->OnDisconnection(kDisconnectUserClosed, custom.Get());
  }
  ComPtr<Vb5Extensibility> addin;
  if (HRESULT result =
          connect->QueryInterface(kIidVb5Extensibility, reinterpret_cast<void**>(addin.GetAddressOf()));
      FAILED(result))
    return result;
  return addin->OnDisconnection(kDisconnectUserClosed, custom.Get());
}

HRESULT CanUnloadNow(const std::wstring& dll) {
  // The DLL COM loaded: LoadLibrary finds it by its path and only counts one more load.
  HMODULE module = LoadLibraryW(dll.c_str());
  if (!module) return E_FAIL;
  using Export = HRESULT(STDAPICALLTYPE*)();
  auto canUnloadNow =
      reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  const HRESULT result = canUnloadNow ? canUnloadNow() : E_FAIL;
  FreeLibrary(module);
  return result;
}

}  // namespace tandrel::win::testing
