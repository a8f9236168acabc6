#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>

#include "ide/events.h"
#include "win/port/dispatch_client.h"

namespace tandrel::win {

// The object the IDE calls when a command-bar control is clicked: it implements the host's Click event
// interface (DISPID 1: the control, then handled and CancelDefault, both written back) and hands each click
// to one handler. A failing handler reaches the IDE as DISP_E_EXCEPTION with its description.
class ClickSink final : public IDispatch {
 public:
  static constexpr DISPID kClick = 1;

  // The new sink holds one reference, which the caller owns.
  ClickSink(ide::CommandBarEvents::ClickHandler handler, std::shared_ptr<DispatchSession> session);
  ClickSink(const ClickSink&) = delete;
  ClickSink& operator=(const ClickSink&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 private:
  ~ClickSink();

  LONG references_ = 1;
  ide::CommandBarEvents::ClickHandler handler_;
  std::shared_ptr<DispatchSession> session_;
};

}  // namespace tandrel::win
