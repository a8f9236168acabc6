#include "cli/utf8.h"

#include <algorithm>
#include <cstring>

#include "cli/ascii_block.h"

namespace tandrel::cli {
namespace {

enum class Sequence { kValid, kInvalid, kIncomplete };

struct Decoded {
  Sequence kind;
  std::size_t length = 0;  // of a valid sequence
  char32_t codePoint = 0;
};

// The range the second byte of a sequence must fall in, which rules out overlong forms, surrogates and code
// points past U+10FFFF; every later byte is a plain continuation byte (0x80 to 0xBF).
struct Lead {
  std::size_t length;
  unsigned char secondLow;
  unsigned char secondHigh;
};

constexpr Lead LeadOf(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, 0xBF};
  if (byte == 0xE0) return {3, 0xA0, 0xBF};
  if (byte == 0xED) return {3, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {3, 0x80, 0xBF};
  if (byte == 0xF0) return {4, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {4, 0x80, 0xBF};
  if (byte == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

// One sequence of two to four bytes at `bytes`, of which `available` are there.
Decoded DecodeSequence(const unsigned char* bytes, std::size_t available) {
  const Lead lead = LeadOf(bytes[0]);
  if (lead.length == 0) return {Sequence::kInvalid};
  char32_t codePoint = bytes[0] & (0x7F >> lead.length);
  for (std::size_t i = 1; i < lead.length; ++i) {
    if (i == available) return {Sequence::kIncomplete};
    const unsigned char low = i == 1 ? lead.secondLow : 0x80;
    const unsigned char high = i == 1 ? lead.secondHigh : 0xBF;
    if (bytes[i] < low || bytes[i] > high) return {Sequence::kInvalid};
    codePoint = codePoint << 6 | (bytes[i] & 0x3F);
  }
  return {Sequence::kValid, lead.length, codePoint};
}

char16_t* Put(char32_t codePoint, char16_t* out) {
  if (codePoint < 0x10000) {
    *out++ = static_cast<char16_t>(codePoint);
  } else {
    *out++ = static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
    *out++ = static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
  }
  return out;
}

}  // namespace

std::size_t Utf8Decoder::Decode(std::string_view piece, std::u16string& out) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(piece.data());
  const std::size_t size = piece.size();
  // No sequence yields more 16-bit units than it has bytes, so this much room is always enough.
  const std::uint64_t pieceOffset = decoded_ + waitingLength_;
  const std::size_t start = out.size();
  out.resize(start + size + waitingLength_);
  char16_t* const first = out.data() + start;
  char16_t* next = first;
  std::size_t i = 0;
  const auto finish = [&](std::size_t stop) {
    out.resize(static_cast<std::size_t>(next - out.data()));
    return stop;
  };

  if (waitingLength_ > 0) {
    // Finish the sequence the last piece broke off, from at most three bytes of this one.
    unsigned char joined[8] = {};
    std::memcpy(joined, waiting_, waitingLength_);
    const std::size_t borrowed = std::min<std::size_t>(size, 3);
    std::memcpy(joined + waitingLength_, bytes, borrowed);
    const Decoded sequence = DecodeSequence(joined, waitingLength_ + borrowed);
    if (sequence.kind == Sequence::kInvalid) return finish(0);
    if (sequence.kind == Sequence::kIncomplete) {
      std::memcpy(waiting_ + waitingLength_, bytes, size);
      waitingLength_ += size;
      return finish(size);
    }
    next = Put(sequence.codePoint, next);
    i = sequence.length - waitingLength_;
    waitingLength_ = 0;
    sawMultiByte_ = true;
  }

  while (i < size) {
    if (i + kBlockBytes <= size && WidenAscii(bytes + i, next)) {
      next += kBlockBytes;
      i += kBlockBytes;
      continue;
    }
    if (bytes[i] < 0x80) {
      *next++ = bytes[i++];
      continue;
    }
    const Decoded sequence = DecodeSequence(bytes + i, size - i);
    if (sequence.kind == Sequence::kInvalid) {
      decoded_ = pieceOffset + i;
      return finish(i);
    }
    if (sequence.kind == Sequence::kIncomplete) {
      waitingLength_ = size - i;
      std::memcpy(waiting_, bytes + i, waitingLength_);
      decoded_ = pieceOffset + i;
      return finish(size);
    }
    next = Put(sequence.codePoint, next);
    i += sequence.length;
    sawMultiByte_ = true;
  }
  decoded_ = pieceOffset + size;
  return finish(size);
}

}  // namespace tandrel::cli
