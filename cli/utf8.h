#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tandrel::cli {

// Decodes UTF-8 given piece by piece into the IDE's 16-bit text, stopping at the first sequence that UTF-8
// does not allow: an overlong form, a surrogate, a code point past U+10FFFF, a stray continuation byte, or a
// lead byte whose sequence breaks off. A sequence cut by the end of a piece waits for the next one.
class Utf8Decoder {
 public:
  // `offset` is where the bytes start in the file, so that Offset() counts in the file's own bytes.
  explicit Utf8Decoder(std::uint64_t offset = 0) : decoded_(offset) {}

  // Decodes `piece`, the bytes that follow those of the previous calls, appending to `out`. Returns
  // piece.size() when every byte was decoded or waits in an unfinished sequence; otherwise the index in
  // `piece` from which the bytes were left alone, and the bad sequence starts at the bytes still waiting
  // (Waiting()), if any, else at that index.
  std::size_t Decode(std::string_view piece, std::u16string& out);

  // Bytes of a sequence not yet complete, or of the bad sequence that stopped Decode.
  std::string_view Waiting() const { return {waiting_, waitingLength_}; }
  // The offset of the first byte not yet decoded.
  std::uint64_t Offset() const { return decoded_; }
  // Whether the text so far held a character beyond ASCII.
  bool SawMultiByte() const { return sawMultiByte_; }

 private:
  char waiting_[4] = {};
  std::size_t waitingLength_ = 0;
  std::uint64_t decoded_ = 0;
  bool sawMultiByte_ = false;
};

}  // namespace tandrel::cli
