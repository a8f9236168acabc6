#pragma once

#include <string>
#include <string_view>

namespace tandrel::installer {

// `text` in UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8(std::u16string_view text);

}  // namespace tandrel::installer
