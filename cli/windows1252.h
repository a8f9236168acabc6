#pragma once

#include <string>
#include <string_view>

namespace tandrel::cli {

// Appends `bytes` read as Windows-1252 to `out`. Windows gives the five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) the C1 control of the same number, and so does the IDE when it
// loads such a file: every byte is a character.
void AppendWindows1252(std::string_view bytes, std::u16string& out);

// Whether an encoding's name, as the user gives it, is Windows-1252's: "cp1252" or "windows-1252", in any
// case. Read the IDE's way, not iconv's, which refuses the five undefined bytes.
bool NamesWindows1252(std::string_view name);

// `text`, decoded from bytes that were valid UTF-8, becomes those same bytes read as Windows-1252 instead.
// Works in place: a file is found not to be UTF-8 only at its first byte that UTF-8 does not allow.
void RereadUtf8AsWindows1252(std::u16string& text);

}  // namespace tandrel::cli
