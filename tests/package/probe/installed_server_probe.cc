// tandrel_installed_server_probe: run where a package installed TandrelVBA, it meets the server as the VBA
// editor does, through the registry alone: the class by its ProgID, the add-in interface, the type library
// the package registered, and a member of the Connect class by name. It prints one line per check and
// exits with 1 when any fails.
#include <windows.h>

#include <oleauto.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "win/com/bstr.h"
#include "win/com/com_ptr.h"

namespace {

using tandrel::win::ComPtr;

// The Office add-in interface the VBA editor connects through.
constexpr IID kExtensibility2 = {
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};
constexpr DISPID kAddToMenus = 0x60030000;

int failures = 0;

void Check(const char* what, bool passed, HRESULT result) {
  std::printf("%s: %s (0x%08lX)\n", what, passed ? "ok" : "FAILED", static_cast<unsigned long>(result));
  if (!passed) ++failures;
}

}  // namespace

// installed_server_probe PROGID CLSID LIBID PATH
int wmain(int argc, wchar_t** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: tandrel_installed_server_probe PROGID CLSID LIBID PATH\n");
    return 2;
  }
  const wchar_t* progId = argv[1];
  CLSID expectedClass{};
  GUID libid{};
  if (FAILED(CLSIDFromString(argv[2], &expectedClass)) || FAILED(IIDFromString(argv[3], &libid))) return 2;
  const std::wstring path = argv[4];

  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  {
    CLSID found{};
    HRESULT result = CLSIDFromProgID(progId, &found);
    Check("the ProgID names the class", SUCCEEDED(result) && IsEqualCLSID(found, expectedClass), result);

    ComPtr<IDispatch> connect;
    result = CoCreateInstance(found, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(connect.GetAddressOf()));
    Check("the class is created in process", SUCCEEDED(result) && connect, result);
    if (connect) {
      ComPtr<IUnknown> extensibility;
      result =
          connect->QueryInterface(kExtensibility2, reinterpret_cast<void**>(extensibility.GetAddressOf()));
      Check("it answers IDTExtensibility2", SUCCEEDED(result), result);

      tandrel::win::Bstr name(u"AddToMenus");
      OLECHAR* names[] = {name.Get()};
      DISPID member = DISPID_UNKNOWN;
      result = connect->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
      Check("AddToMenus is found by name", SUCCEEDED(result) && member == kAddToMenus, result);
    }

    ComPtr<ITypeLib> library;
    result = LoadRegTypeLib(libid, 1, 0, LOCALE_NEUTRAL, library.GetAddressOf());
    Check("the registered type library loads", SUCCEEDED(result), result);
    tandrel::win::Bstr registeredPath;
    result = QueryPathOfRegTypeLib(libid, 1, 0, LOCALE_NEUTRAL, registeredPath.Put());
    const bool samePath =
        SUCCEEDED(result) && registeredPath.Get() && _wcsicmp(registeredPath.Get(), path.c_str()) == 0;
    Check("the type library is registered at the installed DLL", samePath, result);
  }
  CoUninitialize();
  return failures == 0 ? 0 : 1;
}
