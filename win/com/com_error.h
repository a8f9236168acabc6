#pragma once

#include <windows.h>

#include <oaidl.h>

#include <exception>
#include <new>
#include <string>

#include "ide/error.h"

namespace tandrel::win {

// The text the system gives for a failure code, as Basic's "Automation error" shows it.
std::u16string DescribeHresult(HRESULT result);

// Raises the port's error for a failed COM call: the description the callee gave, else the code's text.
[[noreturn]] void RaiseComError(HRESULT result, const std::u16string& description = {});

// Raises the port's error, with the code's text, for a COM call that failed.
inline void ThrowIfFailed(HRESULT result) {
  if (FAILED(result)) RaiseComError(result);
}

// Sets the thread's error information, so that the caller's error object shows `description`.
void SetErrorDescription(const IID& source, const std::u16string& description);

// Nothing C++ crosses into the IDE: every entry point runs its body through here. An IDE error becomes
// E_FAIL with its Description as error information; anything else becomes a failure code of its own. Telling
// the caller needs memory too: where there is none left for that, the answer is E_OUTOFMEMORY.
template <typename Body>
HRESULT ComBoundary(const IID& source, Body&& body) noexcept {
  try {
    try {
      return body();
    } catch (const ide::Error& error) {
      SetErrorDescription(source, error.Description());
      return E_FAIL;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      SetErrorDescription(source, u"Unexpected error in the add-in");
      return E_UNEXPECTED;
    }
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

// The same for IDispatch::Invoke, which reports a failure through EXCEPINFO and DISP_E_EXCEPTION.
template <typename Body>
HRESULT DispatchBoundary(EXCEPINFO* exception, Body&& body) noexcept {
  std::u16string description;
  try {
    try {
      return body();
    } catch (const ide::Error& error) {
      description = error.Description();
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      description = u"Unexpected error in the add-in";
    }
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  if (exception) {
    *exception = EXCEPINFO{};
    exception->scode = E_FAIL;
    // Handed to the caller to free; where no memory is left for it, the description is only missing.
    exception->bstrDescription = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(description.data()),
                                                   static_cast<UINT>(description.size()));
  }
  return DISP_E_EXCEPTION;
}

}  // namespace tandrel::win
