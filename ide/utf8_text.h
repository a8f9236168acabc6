#pragma once

#include <string>
#include <string_view>

namespace tandrel::ide {

// The IDE's 16-bit text as UTF-8, for a console or a file. A lone surrogate, which UTF-8 cannot carry,
// becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

}  // namespace tandrel::ide
