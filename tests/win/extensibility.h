#pragma once

#include <windows.h>

namespace tandrel::win::testing {

// The IDEs' add-in interfaces as an IDE calls them, declared here from their published layout rather than
// taken from the servers' own IDL, so that a slip there shows as a failed call.

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}: the add-in designer's interface, which VB6 calls.
inline constexpr IID kIidDesignerExtensibility = {
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};
// {0002E151-0000-0000-C000-000000000046}: VB5's own interface.
inline constexpr IID kIidVb5Extensibility = {
    0x0002E151, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

inline constexpr LONG kConnectAfterStartup = 0;
inline constexpr LONG kDisconnectUserClosed = 1;

struct DesignerExtensibility : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, LONG connectMode,
                                                 IDispatch* addInInst, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(LONG removeMode, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

struct Vb5Extensibility : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* vbInst, LONG connectMode, IDispatch* addInInst,
                                                 SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(LONG removeMode, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
};

}  // namespace tandrel::win::testing
