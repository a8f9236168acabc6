// Placeholders while the IDE port over IDispatch is being written.
#include "win/port/port.h"

namespace tandrel::win {

const HostInterfaces kVisualBasicHost{};
const HostInterfaces kOfficeEditorHost{};
std::shared_ptr<ide::Object> WrapApplication(IDispatch*, const HostInterfaces&) { return nullptr; }
std::shared_ptr<ide::CommandBarEvents> WrapCommandBarEvents(IDispatch*, const HostInterfaces&) {
  return nullptr;
}
HWND MainWindowOf(const std::shared_ptr<ide::VBE>&) noexcept { return nullptr; }
std::unique_ptr<ide::Runtime> MakeWin32Runtime(HMODULE, std::u16string, std::function<HWND()>) {
  return nullptr;
}

}  // namespace tandrel::win
