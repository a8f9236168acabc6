#include "tests/win/host/served_object.h"

#include "win/com/com_error.h"

namespace tandrel::win::host {

// {5B0E4C3A-6F1D-4E27-9A3B-1C2D3E4F5A6B}
const IID kIidServedObject = {0x5B0E4C3A, 0x6F1D, 0x4E27, {0x9A, 0x3B, 0x1C, 0x2D, 0x3E, 0x4F, 0x5A, 0x6B}};

ServedObject::ServedObject(std::shared_ptr<HostState> state, const wchar_t* typeName)
    : state_(std::move(state)), typeName_(typeName) {}

ServedObject::~ServedObject() = default;

ServedObject* ServedObject::Of(IUnknown* object) {
  if (!object) return nullptr;
  void* served = nullptr;
  if (FAILED(object->QueryInterface(kIidServedObject, &served)) || !served) return nullptr;
  auto* result = static_cast<ServedObject*>(served);
  result->Release();
  return result;
}

HRESULT ServedObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch && iid != kIidServedObject && !Answers(iid)) {
    return E_NOINTERFACE;
  }
  *object = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG ServedObject::AddRef() { return static_cast<ULONG>(++references_); }

ULONG ServedObject::Release() {
  const LONG references = --references_;
  if (references == 0) {
    // The IDE object may get another COM object later; nobody can compare it with this one any more.
    state_->objects.erase(key_);
    delete this;
  }
  return static_cast<ULONG>(references);
}

HRESULT ServedObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT ServedObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT ServedObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (count == 0) return E_INVALIDARG;
  state_->stats.NameLookedUp(std::wstring(typeName_) + L"." + (names[0] ? names[0] : L""));
  HRESULT result = S_OK;
  ids[0] = DISPID_UNKNOWN;
  for (std::size_t i = 0; i < MemberCount() && names[0]; ++i) {
    // Basic's names are case-insensitive.
    if (CompareStringOrdinal(names[0], -1, MemberAt(i).name, -1, TRUE) == CSTR_EQUAL) {
      ids[0] = MemberAt(i).id;
      break;
    }
  }
  if (ids[0] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
  // No member takes named arguments.
  for (UINT i = 1; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

std::size_t ServedObject::Find(DISPID id, WORD flags) const {
  for (std::size_t i = 0; i < MemberCount(); ++i) {
    const MemberShape& shape = MemberAt(i);
    if (shape.id != id) continue;
    const bool accepted = shape.kind == MemberKind::kPropertyPut ? (flags & DISPATCH_PROPERTYPUT) != 0
                          : shape.kind == MemberKind::kPropertyGet
                              ? (flags & DISPATCH_PROPERTYGET) != 0 && (flags & DISPATCH_PROPERTYPUT) == 0
                              : (flags & DISPATCH_METHOD) != 0 && (flags & DISPATCH_PROPERTYPUT) == 0;
    if (accepted) return i;
  }
  return MemberCount();
}

std::wstring ServedObject::MemberName(DISPID id) const {
  for (std::size_t i = 0; i < MemberCount(); ++i) {
    if (MemberAt(i).id == id) return std::wstring(typeName_) + L"." + MemberAt(i).name;
  }
  return std::wstring(typeName_) + L".#" + std::to_wstring(id);
}

HRESULT ServedObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* exception, UINT* argumentError) {
  state_->stats.Invoked(MemberName(id));
  if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
  if (!params || (params->cArgs > 0 && !params->rgvarg)) return E_INVALIDARG;
  const std::size_t index = Find(id, flags);
  if (index == MemberCount()) return DISP_E_MEMBERNOTFOUND;
  const MemberShape& shape = MemberAt(index);

  UINT positional = params->cArgs;
  if (shape.kind == MemberKind::kPropertyPut) {
    if (params->cNamedArgs != 1 || !params->rgdispidNamedArgs ||
        params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT || params->cArgs < 1) {
      return DISP_E_PARAMNOTFOUND;
    }
    --positional;
  } else if (params->cNamedArgs != 0) {
    return DISP_E_NONAMEDARGS;
  }
  if (positional < shape.required || positional > shape.required + shape.optional)
    return DISP_E_BADPARAMCOUNT;

  // Hold this object across the call: a member may make the client let go of it.
  AddRef();
  Invocation call(*params, result);
  const HRESULT outcome = DispatchBoundary(exception, [&]() -> HRESULT {
    try {
      CallMember(index, call);
      return S_OK;
    } catch (const ArgumentError& error) {
      if (argumentError) *argumentError = params->cArgs - 1 - error.position;
      return error.result;
    }
  });
  Release();
  return outcome;
}

}  // namespace tandrel::win::host
