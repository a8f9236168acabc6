#include "win/com/com_error.h"

#include "win/com/bstr.h"
#include "win/com/com_ptr.h"

namespace tandrel::win {

std::u16string DescribeHresult(HRESULT result) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::u16string description = u"Automation error";
  if (length > 0 && text) {
    std::u16string message(reinterpret_cast<const char16_t*>(text), length);
    while (!message.empty() && (message.back() == u'\r' || message.back() == u'\n')) message.pop_back();
    description += u"\r\n" + message;
  }
  LocalFree(text);
  return description;
}

void RaiseComError(HRESULT result, const std::u16string& description) {
  throw ide::Error(description.empty() ? DescribeHresult(result) : description);
}

void SetErrorDescription(const IID& source, const std::u16string& description) {
  ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(&create))) return;
  create->SetGUID(source);
  Bstr text(description);
  create->SetDescription(text.Get());
  ComPtr<IErrorInfo> info;
  if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
}

}  // namespace tandrel::win
