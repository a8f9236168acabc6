#pragma once

#include <wrl/client.h>

namespace tandrel::win {

// An owned interface pointer: one reference, released when the owner goes away.
template <typename Interface>
using ComPtr = Microsoft::WRL::ComPtr<Interface>;

}  // namespace tandrel::win
