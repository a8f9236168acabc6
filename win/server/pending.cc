// Placeholders while the registration is being written.
#include "win/server/register_server.h"

namespace tandrel::win {

HRESULT RegisterServer() noexcept { return E_NOTIMPL; }
HRESULT UnregisterServer() noexcept { return E_NOTIMPL; }

}  // namespace tandrel::win
