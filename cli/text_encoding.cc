#include "cli/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <optional>

namespace tandrel::cli {
namespace {

// What a conversion writes in place of a sequence that iconv rejects, and how many input bytes that covers.
struct Substitute {
  std::size_t inputBytes = 0;
  std::string output;
};
using SubstituteFor = std::optional<Substitute> (*)(std::string_view rejected);

// One iconv conversion descriptor, closed with its owner.
class Converter {
 public:
  Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {
    if (descriptor_ == reinterpret_cast<iconv_t>(-1)) {
      throw EncodingError(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() { iconv_close(descriptor_); }

  // Converts all of `input`; a rejected sequence is replaced through `substitute`, or else reported as
  // "<what> at byte N" with N counted from `offset`.
  std::string Convert(std::string_view input, SubstituteFor substitute, const char* what,
                      std::size_t offset) {
    std::string in(input);  // iconv wants a mutable input pointer
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    std::string out;
    char buffer[4096];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t result = iconv(descriptor_, &inPtr, &inLeft, &outPtr, &outLeft);
      const int error = errno;
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (result != static_cast<std::size_t>(-1) || error == E2BIG) continue;
      const auto at = static_cast<std::size_t>(inPtr - in.data());
      std::optional<Substitute> replacement;
      if (substitute != nullptr) replacement = substitute(std::string_view(inPtr, inLeft));
      if (!replacement) {
        throw EncodingError(std::string(error == EINVAL ? "incomplete " : "invalid ") + what + " at byte " +
                            std::to_string(offset + at));
      }
      out += replacement->output;
      inPtr += replacement->inputBytes;
      inLeft -= replacement->inputBytes;
    }
    return out;
  }

 private:
  iconv_t descriptor_;
};

// Windows gives the five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) the C1
// control of the same number, and so does the IDE when it loads such a file; iconv rejects them.
std::optional<Substitute> UndefinedWindows1252(std::string_view rejected) {
  return Substitute{1, {rejected.front(), '\0'}};
}

// U+FFFD for one 16-bit unit that is not part of a well-formed pair.
std::optional<Substitute> LoneSurrogate(std::string_view) { return Substitute{2, "\xEF\xBF\xBD"}; }

std::u16string FromUtf16Le(const std::string& bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                    static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return text;
}

std::string ToUtf16Le(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

struct ByteOrderMark {
  std::string_view bytes;
  const char* encoding;
};

constexpr ByteOrderMark kMarks[] = {
    {"\xEF\xBB\xBF", "UTF-8"},
    {"\xFF\xFE", "UTF-16LE"},
    {"\xFE\xFF", "UTF-16BE"},
};

}  // namespace

std::u16string DecodeModuleBytes(std::string_view bytes) {
  // UTF-16LE as the target spells out the byte order, so the result does not depend on the host's.
  for (const auto& mark : kMarks) {
    if (bytes.starts_with(mark.bytes)) {
      Converter converter("UTF-16LE", mark.encoding);
      return FromUtf16Le(
          converter.Convert(bytes.substr(mark.bytes.size()), nullptr, mark.encoding, mark.bytes.size()));
    }
  }
  Converter converter("UTF-16LE", "WINDOWS-1252");
  return FromUtf16Le(converter.Convert(bytes, UndefinedWindows1252, "Windows-1252", 0));
}

std::string ToUtf8(std::u16string_view text) {
  Converter converter("UTF-8", "UTF-16LE");
  return converter.Convert(ToUtf16Le(text), LoneSurrogate, "UTF-16", 0);
}

}  // namespace tandrel::cli
