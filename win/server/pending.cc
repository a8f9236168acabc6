// Placeholders while the IDE port over IDispatch and the registration are being written.
#include "win/port/port.h"
#include "win/server/register_server.h"

namespace tandrel::win {

const HostInterfaces kVisualBasicHost{};
std::shared_ptr<ide::Object> WrapApplication(IDispatch*, const HostInterfaces&) { return nullptr; }
std::shared_ptr<ide::CommandBarEvents> WrapCommandBarEvents(IDispatch*, const HostInterfaces&) {
  return nullptr;
}
HWND MainWindowOf(const std::shared_ptr<ide::VBE>&) noexcept { return nullptr; }
std::unique_ptr<ide::Runtime> MakeWin32Runtime(HMODULE, std::u16string, std::function<HWND()>) {
  return nullptr;
}
HRESULT RegisterServer() noexcept { return E_NOTIMPL; }
HRESULT UnregisterServer() noexcept { return E_NOTIMPL; }

}  // namespace tandrel::win
