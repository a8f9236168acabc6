// The event source of one control and its connection point: a sink advised there gets Click as the IDE
// raises it, through IDispatch::Invoke with the arguments in reverse order.
#include <olectl.h>

#include <span>

#include "ide/error.h"
#include "tests/win/host/served_objects.h"
#include "win/com/bstr.h"
#include "win/com/com_error.h"
#include "win/com/com_ptr.h"

namespace tandrel::win::host {
namespace {

constexpr DISPID kClickId = 1;

// Raises Click on `sink` for `control`; what the sink answers is recorded as the click's outcome.
void RaiseClick(const std::shared_ptr<HostState>& state, IDispatch* sink,
                const std::shared_ptr<ide::CommandBarControl>& control, bool& handled, bool& cancelDefault) {
  VARIANT_BOOL handledFlag = handled ? VARIANT_TRUE : VARIANT_FALSE;
  VARIANT_BOOL cancelFlag = cancelDefault ? VARIANT_TRUE : VARIANT_FALSE;
  VARIANT arguments[3];
  for (VARIANT& argument : arguments) VariantInit(&argument);
  arguments[2].vt = VT_DISPATCH;
  arguments[2].pdispVal = Serve<ControlObject>(state, control);
  arguments[1].vt = VT_BOOL | VT_BYREF;
  arguments[1].pboolVal = &handledFlag;
  arguments[0].vt = VT_BOOL | VT_BYREF;
  arguments[0].pboolVal = &cancelFlag;
  DISPPARAMS params{arguments, nullptr, 3, 0};
  EXCEPINFO exception{};
  UINT argumentError = 0;
  ClickOutcome outcome;
  outcome.result = sink->Invoke(kClickId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                &exception, &argumentError);
  if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
  outcome.description = ToU16(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  VariantClear(&arguments[2]);
  handled = handledFlag != VARIANT_FALSE;
  cancelDefault = cancelFlag != VARIANT_FALSE;
  outcome.handled = handled;
  outcome.cancelDefault = cancelDefault;
  state->clicks.push_back(std::move(outcome));
}

// The one connection point of a source, for the Click event interface of the host's profile.
class ConnectionPoint final : public IConnectionPoint {
 public:
  explicit ConnectionPoint(EventSourceObject& source) : source_(&source) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG references = --references_;
    if (references == 0) delete this;
    return static_cast<ULONG>(references);
  }

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (!iid) return E_POINTER;
    *iid = State()->profile.clickEvents;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** container) override {
    if (!container) return E_POINTER;
    *container = static_cast<IConnectionPointContainer*>(source_.Get());
    (*container)->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    State()->stats.Invoked(L"CommandBarEvents.Advise");
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    // The source calls the sink through the event interface, so the sink must answer to it.
    ComPtr<IUnknown> events;
    if (FAILED(sink->QueryInterface(State()->profile.clickEvents,
                                    reinterpret_cast<void**>(events.GetAddressOf())))) {
      return CONNECT_E_CANNOTCONNECT;
    }
    ComPtr<IDispatch> dispatch(static_cast<IDispatch*>(events.Get()));
    std::shared_ptr<HostState> state = State();
    return ComBoundary(IID_IConnectionPoint, [&] {
      *cookie =
          source_->Source()->Advise([state, dispatch](const std::shared_ptr<ide::CommandBarControl>& control,
                                                      bool& handled, bool& cancelDefault) {
            RaiseClick(state, dispatch.Get(), control, handled, cancelDefault);
          });
      state->sinks.insert_or_assign({source_->Source().get(), *cookie}, dispatch);
      ++state->advisedSinks;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    State()->stats.Invoked(L"CommandBarEvents.Unadvise");
    try {
      source_->Source()->Unadvise(cookie);
      State()->sinks.erase({source_->Source().get(), cookie});
      --State()->advisedSinks;
      return S_OK;
    } catch (const ide::Error&) {
      return CONNECT_E_NOCONNECTION;
    }
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) override {
    if (connections) *connections = nullptr;
    return E_NOTIMPL;
  }

 private:
  ~ConnectionPoint() = default;
  const std::shared_ptr<HostState>& State() const { return source_->SharedState(); }

  ComPtr<EventSourceObject> source_;
  LONG references_ = 1;
};

}  // namespace

EventSourceObject::EventSourceObject(std::shared_ptr<HostState> state,
                                     std::shared_ptr<ide::CommandBarEvents> source)
    : Served(std::move(state), L"CommandBarEvents"), source_(std::move(source)) {}

std::span<const Member<EventSourceObject>> EventSourceObject::Members() { return {}; }

HRESULT EventSourceObject::QueryInterface(REFIID iid, void** object) {
  if (object && iid == IID_IConnectionPointContainer) {
    *object = static_cast<IConnectionPointContainer*>(this);
    AddRef();
    return S_OK;
  }
  return ServedObject::QueryInterface(iid, object);
}

HRESULT EventSourceObject::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points) *points = nullptr;
  return E_NOTIMPL;
}

HRESULT EventSourceObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (iid != State()->profile.clickEvents) return CONNECT_E_NOCONNECTION;
  *point = new ConnectionPoint(*this);
  return S_OK;
}

}  // namespace tandrel::win::host
