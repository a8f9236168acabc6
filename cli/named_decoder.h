#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tandrel::cli {

// Whether the system can read text in encoding `name` (as cp1251, gbk or UTF-16LE): through iconv on Linux,
// through Windows' code pages on Windows.
bool EncodingKnown(const std::string& name);

// What is said of an encoding `name` that the system does not know.
std::string UnknownEncodingMessage(const std::string& name);

// Decodes text in an encoding the system knows into the IDE's 16-bit text, piece by piece. A byte sequence
// the encoding does not allow is an EncodingError naming the encoding as given and the sequence's offset.
class NamedDecoder {
 public:
  // `offset` is where the bytes it decodes start in the file, so that errors name the file's own offsets.
  // Throws EncodingError when the system does not know `name`.
  NamedDecoder(std::string name, std::uint64_t offset);
  NamedDecoder(const NamedDecoder&) = delete;
  NamedDecoder& operator=(const NamedDecoder&) = delete;
  ~NamedDecoder();

  // Decodes `piece`, the bytes after those of the previous calls, appending to `out` (on Windows, at
  // Finish). A sequence cut by the end of the piece waits for the next one.
  void Decode(std::string_view piece, std::u16string& out);
  // After the last piece: ends a shift state, and throws when a sequence was left unfinished.
  void Finish(std::u16string& out);

 private:
  // The system's own converter and what it has not converted yet.
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace tandrel::cli
