#include "command/messages.h"

#include "ide/decimal_text.h"

namespace tandrel::command {
namespace {

constexpr std::u16string_view kNewLine = u"\r\n";

std::u16string Concat(std::initializer_list<std::u16string_view> parts) {
  std::u16string text;
  for (auto part : parts) text += part;
  return text;
}

}  // namespace

std::u16string UsageMessage(std::u16string_view usagePrefix, std::u16string_view contactAddress) {
  return Concat({usagePrefix, u"Select or right-click on:", kNewLine,
                 u"- language keyword such as IF, DO, FOR etc,", kNewLine,
                 u"- parenthesis or opening quotation mark.", kNewLine,
                 u" Then select Tandrel from right-click menu.", kNewLine, kNewLine, u"Comments and bugs to ",
                 contactAddress});
}

std::u16string CantMatchPrefix(std::u16string_view token) {
  return Concat({u"Can't match '", token, u"'!", kNewLine, kNewLine});
}

std::u16string NotFoundMessage(std::u16string_view partner, std::u16string_view token, std::int32_t direction,
                               std::u16string_view contactAddress) {
  return Concat({u"Match '", partner, u"' for '", token, u"' not found searching ",
                 direction == 1 ? u"forward." : u"backward.", kNewLine, kNewLine, u"Comments and bugs to ",
                 contactAddress});
}

std::u16string StringLengthMessage(std::int32_t length) {
  return u"String length: " + ide::DecimalText(length);
}

std::u16string SearchErrorMessage(std::u16string_view contactAddress) {
  return Concat({u"Search error. Probably a bug. Report to ", contactAddress});
}

}  // namespace tandrel::command
