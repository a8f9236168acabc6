#pragma once

#include <wrl/client.h>

namespace tandrel::win {

// An owned interface pointer: one reference, released when the owner goes away.
template <typename Interface>
using ComPtr = Microsoft::WRL::ComPtr<Interface>;

// Takes over the one reference a new object starts with. mingw-w64's ComPtr::Attach adds a reference of its
// own (Microsoft's does not), so `p.Attach(new X)` would never free the object.
template <typename Object>
ComPtr<Object> Adopt(Object* created) {
  ComPtr<Object> owner;
  *owner.GetAddressOf() = created;
  return owner;
}

}  // namespace tandrel::win
