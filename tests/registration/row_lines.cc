#include "tests/registration/row_lines.h"

#include <cstdio>

namespace tandrel::registration {
namespace {

std::string Narrowed(std::u16string_view text) {
  std::string narrow;
  for (char16_t unit : text) {
    if (unit >= 0x20 && unit < 0x7F) {
      narrow += static_cast<char>(unit);
    } else {
      char escape[12];
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
      narrow += escape;
    }
  }
  return narrow;
}

}  // namespace

std::string Describe(const RegistryRow& row) {
  std::string line(RootName(row.root));
  line += '\\' + Narrowed(row.key) + ' ' + (row.name.empty() ? std::string("@") : Narrowed(row.name)) + " = ";
  if (const auto* text = std::get_if<std::u16string>(&row.value)) {
    line += '"' + Narrowed(*text) + '"';
  } else {
    line += "dword:" + std::to_string(std::get<std::uint32_t>(row.value));
  }
  return line;
}

}  // namespace tandrel::registration
