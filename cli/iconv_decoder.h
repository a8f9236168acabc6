#pragma once

#include <iconv.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace tandrel::cli {

// Whether iconv can read text in encoding `name` (as cp1251, gbk or UTF-16LE).
bool IconvKnows(const std::string& name);
// What is said of an encoding `name` that iconv does not know.
std::string UnknownEncodingMessage(const std::string& name);

// Decodes text in any encoding iconv knows into the IDE's 16-bit text, piece by piece. A byte sequence the
// encoding does not allow is an EncodingError naming the encoding as given and the sequence's offset.
class IconvDecoder {
 public:
  // `name` is what iconv calls the encoding; `offset` is where the bytes it decodes start in the file, so
  // that errors name the file's own offsets. Throws EncodingError when iconv does not know `name`.
  IconvDecoder(std::string name, std::uint64_t offset);
  IconvDecoder(const IconvDecoder&) = delete;
  IconvDecoder& operator=(const IconvDecoder&) = delete;
  ~IconvDecoder();

  // Decodes `piece`, the bytes after those of the previous calls, appending to `out`. A sequence cut by the
  // end of the piece waits for the next one.
  void Decode(std::string_view piece, std::u16string& out);
  // After the last piece: ends a shift state, and throws when a sequence was left unfinished.
  void Finish(std::u16string& out);

 private:
  // Runs iconv on `in` until all of it is converted or it stops at a sequence that may continue in the
  // next piece; returns how many bytes it converted. Throws for a sequence that is not allowed.
  std::size_t Convert(std::string_view in, std::u16string& out);

  std::string name_;
  iconv_t descriptor_;
  std::uint64_t offset_;  // of the first byte not yet converted
  std::string waiting_;   // bytes of an unfinished sequence
};

}  // namespace tandrel::cli
