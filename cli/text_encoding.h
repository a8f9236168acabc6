#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tandrel::cli {

// Bytes that are not text in the encoding they claim to be in.
class EncodingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A module file's bytes as the IDE's 16-bit text. The IDE saves in Windows-1252; a byte-order mark at the
// start says the file is UTF-8, UTF-16LE or UTF-16BE instead (the mark itself is not text). Throws
// EncodingError for bytes that a UTF encoding does not allow.
std::u16string DecodeModuleBytes(std::string_view bytes);

// The IDE's text as UTF-8 for the console. A lone surrogate, which UTF-8 cannot carry, becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

}  // namespace tandrel::cli
