#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "cli/encoding_error.h"
#include "cli/named_decoder.h"
#include "cli/utf8.h"

namespace tandrel::cli {

// Turns a module file's bytes, given piece by piece, into the IDE's 16-bit text. A byte-order mark at the
// start decides first (UTF-8, UTF-16LE or UTF-16BE; the mark itself is not text). Without one, the encoding
// the user named is read through iconv; without that, text that is valid UTF-8 and holds at least one
// character beyond ASCII is UTF-8 (files kept in git are often saved so), and anything else is
// Windows-1252, in which the IDE saves a module on Western systems.
class ModuleDecoder {
 public:
  // `encoding` is a name iconv knows, or empty to let the bytes decide; Windows-1252 named is read as the
  // IDE reads it. Throws EncodingError when iconv does not know it. The text is appended to `text`, given
  // empty: room reserved in it for as many units as there are bytes, which no encoding here exceeds bar an
  // exotic one iconv may know, spares it from growing step by step.
  explicit ModuleDecoder(std::string encoding = {}, std::u16string text = {});

  // Decodes the next piece of the bytes. Throws EncodingError, naming the encoding and the offset of the
  // first bad byte in the whole of the bytes, when they break the encoding they are read in.
  void Decode(std::string_view piece);
  // The text, after the last piece; throws EncodingError when the bytes end inside a character.
  std::u16string Finish() &&;

 private:
  enum class Reading { kStart, kUtf8, kUtf8OrWindows1252, kWindows1252, kIconv };

  void Start(std::string_view head);
  void DecodeUtf8(std::string_view piece, bool mayBeWindows1252);

  Reading reading_ = Reading::kStart;
  bool windows1252_;
  std::string head_;  // the first bytes, until there are enough to tell a byte-order mark
  Utf8Decoder utf8_;
  std::unique_ptr<NamedDecoder> iconv_;
  std::u16string text_;
};

// All of `bytes` decoded as above.
std::u16string DecodeModuleBytes(std::string_view bytes, const std::string& encoding = {});

}  // namespace tandrel::cli
