#include "cli/named_decoder.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>

#include "cli/encoding_error.h"

namespace tandrel::cli {
namespace {

// The host's own byte order, so that iconv writes the 16-bit units straight into the text.
constexpr const char* kNativeUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// The longest sequence of any encoding iconv knows is a few bytes; an escape sequence of a stateful one is
// the longest of them.
constexpr std::size_t kLongestSequence = 16;

}  // namespace

struct NamedDecoder::State {
  void Decode(std::string_view piece, std::u16string& out);
  void Finish(std::u16string& out);
  // Runs iconv on `in` until all of it is converted or it stops at a sequence that may continue in the
  // next piece; returns how many bytes it converted. Throws for a sequence that is not allowed.
  std::size_t Convert(std::string_view in, std::u16string& out);

  std::string name_;
  iconv_t descriptor_;
  std::uint64_t offset_;  // of the first byte not yet converted
  std::string waiting_;   // bytes of an unfinished sequence
};

bool EncodingKnown(const std::string& name) {
  const iconv_t descriptor = iconv_open(kNativeUtf16, name.c_str());
  if (descriptor == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(descriptor);
  return true;
}

std::string UnknownEncodingMessage(const std::string& name) {
  return "iconv knows no encoding '" + name + "' (iconv --list shows those it knows)";
}

NamedDecoder::NamedDecoder(std::string name, std::uint64_t offset) {
  const iconv_t descriptor = iconv_open(kNativeUtf16, name.c_str());
  if (descriptor == reinterpret_cast<iconv_t>(-1)) throw EncodingError(UnknownEncodingMessage(name));
  state_ = std::make_unique<State>(State{std::move(name), descriptor, offset, {}});
}

NamedDecoder::~NamedDecoder() { iconv_close(state_->descriptor_); }

std::size_t NamedDecoder::State::Convert(std::string_view in, std::u16string& out) {
  // iconv's input pointer is not const for historical reasons; it never writes through it.
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  while (true) {
    // Room for one unit per byte, as nearly every encoding needs, and more when one needs more.
    const std::size_t used = out.size();
    out.resize(used + inLeft + kLongestSequence);
    char* outPtr = reinterpret_cast<char*>(out.data() + used);
    std::size_t outLeft = (out.size() - used) * sizeof(char16_t);
    const std::size_t result = iconv(descriptor_, &inPtr, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    out.resize(out.size() - outLeft / sizeof(char16_t));
    const auto converted = static_cast<std::size_t>(inPtr - in.data());
    if (result != static_cast<std::size_t>(-1) || error == EINVAL) return converted;
    if (error != E2BIG) {
      throw EncodingError("invalid " + name_ + " at byte " + std::to_string(offset_ + converted));
    }
  }
}

void NamedDecoder::Decode(std::string_view piece, std::u16string& out) { state_->Decode(piece, out); }

void NamedDecoder::Finish(std::u16string& out) { state_->Finish(out); }

void NamedDecoder::State::Decode(std::string_view piece, std::u16string& out) {
  if (!waiting_.empty()) {
    // Finish the waiting sequence with a few bytes of this piece.
    const std::size_t waiting = waiting_.size();
    const std::size_t borrowed = std::min(piece.size(), kLongestSequence);
    waiting_.append(piece.substr(0, borrowed));
    const std::size_t converted = Convert(waiting_, out);
    offset_ += converted;
    if (converted < waiting) {
      if (borrowed < piece.size()) {
        throw EncodingError("invalid " + name_ + " at byte " + std::to_string(offset_));
      }
      waiting_.erase(0, converted);
      return;
    }
    piece.remove_prefix(converted - waiting);
    waiting_.clear();
  }
  const std::size_t converted = Convert(piece, out);
  offset_ += converted;
  waiting_.assign(piece.substr(converted));
}

void NamedDecoder::State::Finish(std::u16string& out) {
  if (!waiting_.empty()) {
    throw EncodingError("incomplete " + name_ + " at byte " + std::to_string(offset_));
  }
  const std::size_t used = out.size();
  out.resize(used + kLongestSequence);
  char* outPtr = reinterpret_cast<char*>(out.data() + used);
  std::size_t outLeft = kLongestSequence * sizeof(char16_t);
  iconv(descriptor_, nullptr, nullptr, &outPtr, &outLeft);
  out.resize(out.size() - outLeft / sizeof(char16_t));
}

}  // namespace tandrel::cli
