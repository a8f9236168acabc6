#include "win/port/click_sink.h"

#include "win/com/com_error.h"
#include "win/com/module_count.h"
#include "win/port/command_bars.h"

namespace tandrel::win {
namespace {

// Where Click is given the positions of its arguments, last first.
constexpr UINT kControlArgument = 2;
constexpr UINT kHandledArgument = 1;
constexpr UINT kCancelDefaultArgument = 0;

// A Boolean argument the handler may change: by reference it is written back; passed by value the change
// has nowhere to go.
class BoolSlot {
 public:
  // False when `argument` holds no Boolean.
  bool Bind(VARIANTARG& argument) {
    if (V_VT(&argument) == (VT_BOOL | VT_BYREF) && V_BOOLREF(&argument)) {
      target_ = V_BOOLREF(&argument);
    } else if (V_VT(&argument) == VT_BOOL) {
      target_ = &V_BOOL(&argument);
    } else {
      return false;
    }
    value_ = *target_ != VARIANT_FALSE;
    return true;
  }

  bool& Value() { return value_; }
  void WriteBack() const { *target_ = value_ ? VARIANT_TRUE : VARIANT_FALSE; }

 private:
  VARIANT_BOOL* target_ = nullptr;
  bool value_ = false;
};

// The control a click came from; false when the argument holds no object.
bool BindControl(const VARIANTARG& argument, IDispatch*& control) {
  switch (V_VT(&argument)) {
    case VT_DISPATCH:
      control = V_DISPATCH(&argument);
      return true;
    case VT_DISPATCH | VT_BYREF:
      control = V_DISPATCHREF(&argument) ? *V_DISPATCHREF(&argument) : nullptr;
      return true;
    case VT_EMPTY:
      control = nullptr;
      return true;
    default:
      return false;
  }
}

}  // namespace

ClickSink::ClickSink(ide::CommandBarEvents::ClickHandler handler, std::shared_ptr<DispatchSession> session)
    : handler_(std::move(handler)), session_(std::move(session)) {
  LockModule();
}

ClickSink::~ClickSink() { UnlockModule(); }

HRESULT ClickSink::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch && iid != session_->Host().commandBarEvents) {
    return E_NOINTERFACE;
  }
  *object = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

ULONG ClickSink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG ClickSink::Release() {
  const LONG references = InterlockedDecrement(&references_);
  if (references == 0) delete this;
  return static_cast<ULONG>(references);
}

HRESULT ClickSink::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT ClickSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT ClickSink::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  if (count == 0 || !names[0] || lstrcmpiW(names[0], L"Click") != 0) return DISP_E_UNKNOWNNAME;
  ids[0] = kClick;
  return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT ClickSink::Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                          EXCEPINFO* exception, UINT* argumentError) {
  if (member != kClick) return DISP_E_MEMBERNOTFOUND;
  if (!params || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
  if (params->cArgs != 3) return DISP_E_BADPARAMCOUNT;
  const auto mismatch = [argumentError](UINT position) {
    if (argumentError) *argumentError = position;
    return DISP_E_TYPEMISMATCH;
  };
  IDispatch* source = nullptr;
  if (!BindControl(params->rgvarg[kControlArgument], source)) return mismatch(kControlArgument);
  BoolSlot handled;
  if (!handled.Bind(params->rgvarg[kHandledArgument])) return mismatch(kHandledArgument);
  BoolSlot cancelDefault;
  if (!cancelDefault.Bind(params->rgvarg[kCancelDefaultArgument])) return mismatch(kCancelDefaultArgument);

  // A handler may detach this very sink; it stays alive until the click has been handled. The add-in's object
  // stays alive too, so that a close the yield dispatches cannot free it under the running handler; a sink
  // the IDE still calls after that object went has nothing left to run.
  const ComPtr<ClickSink> self(this);
  const ComPtr<IUnknown> owner = session_->Owner();
  if (session_->OwnerGone()) return S_OK;
  return DispatchBoundary(exception, [&] {
    const auto control = WrapCommandBarControl(source, session_);
    handler_(control, handled.Value(), cancelDefault.Value());
    handled.WriteBack();
    cancelDefault.WriteBack();
    return S_OK;
  });
}

}  // namespace tandrel::win
