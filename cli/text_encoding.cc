#include "cli/text_encoding.h"

#include <algorithm>
#include <utility>

#include "cli/windows1252.h"

namespace tandrel::cli {
namespace {

struct ByteOrderMark {
  std::string_view bytes;
  const char* encoding;
};

constexpr ByteOrderMark kMarks[] = {
    {"\xEF\xBB\xBF", "UTF-8"},
    {"\xFF\xFE", "UTF-16LE"},
    {"\xFE\xFF", "UTF-16BE"},
};
constexpr std::size_t kLongestMark = 3;

}  // namespace

ModuleDecoder::ModuleDecoder(std::string encoding, std::u16string text)
    : windows1252_(NamesWindows1252(encoding)), text_(std::move(text)) {
  // Opened at once, so that a misspelt name fails before any reading.
  if (!encoding.empty() && !windows1252_) iconv_ = std::make_unique<NamedDecoder>(std::move(encoding), 0);
}

void ModuleDecoder::Start(std::string_view head) {
  for (const auto& mark : kMarks) {
    if (!head.starts_with(mark.bytes)) continue;
    head.remove_prefix(mark.bytes.size());
    if (std::string_view(mark.encoding) == "UTF-8") {
      reading_ = Reading::kUtf8;
      // The mark counts in the offsets that errors name.
      utf8_ = Utf8Decoder(mark.bytes.size());
    } else {
      reading_ = Reading::kIconv;
      iconv_ = std::make_unique<NamedDecoder>(mark.encoding, mark.bytes.size());
    }
    Decode(head);
    return;
  }
  reading_ = windows1252_ ? Reading::kWindows1252 : iconv_ ? Reading::kIconv : Reading::kUtf8OrWindows1252;
  Decode(head);
}

void ModuleDecoder::Decode(std::string_view piece) {
  switch (reading_) {
    case Reading::kStart: {
      if (head_.empty() && piece.size() >= kLongestMark) return Start(piece);
      const std::size_t taken = std::min(piece.size(), kLongestMark - head_.size());
      head_.append(piece.substr(0, taken));
      if (head_.size() < kLongestMark) return;
      Start(std::exchange(head_, {}));
      return Decode(piece.substr(taken));
    }
    case Reading::kUtf8:
      return DecodeUtf8(piece, false);
    case Reading::kUtf8OrWindows1252:
      return DecodeUtf8(piece, true);
    case Reading::kWindows1252:
      return AppendWindows1252(piece, text_);
    case Reading::kIconv:
      return iconv_->Decode(piece, text_);
  }
}

void ModuleDecoder::DecodeUtf8(std::string_view piece, bool mayBeWindows1252) {
  const std::size_t stop = utf8_.Decode(piece, text_);
  if (stop == piece.size()) return;
  if (!mayBeWindows1252) {
    throw EncodingError("invalid UTF-8 at byte " + std::to_string(utf8_.Offset()));
  }
  // Not UTF-8 after all. What came before was ASCII, the same in both, unless it held UTF-8's own sequences.
  if (utf8_.SawMultiByte()) RereadUtf8AsWindows1252(text_);
  reading_ = Reading::kWindows1252;
  AppendWindows1252(utf8_.Waiting(), text_);
  AppendWindows1252(piece.substr(stop), text_);
}

std::u16string ModuleDecoder::Finish() && {
  if (reading_ == Reading::kStart) Start(std::exchange(head_, {}));
  switch (reading_) {
    case Reading::kUtf8:
      if (!utf8_.Waiting().empty()) {
        throw EncodingError("incomplete UTF-8 at byte " + std::to_string(utf8_.Offset()));
      }
      break;
    case Reading::kUtf8OrWindows1252:
      if (!utf8_.Waiting().empty()) {
        if (utf8_.SawMultiByte()) RereadUtf8AsWindows1252(text_);
        AppendWindows1252(utf8_.Waiting(), text_);
      }
      break;
    case Reading::kIconv:
      iconv_->Finish(text_);
      break;
    case Reading::kStart:
    case Reading::kWindows1252:
      break;
  }
  return std::move(text_);
}

std::u16string DecodeModuleBytes(std::string_view bytes, const std::string& encoding) {
  std::u16string text;
  text.reserve(bytes.size());
  ModuleDecoder decoder(encoding, std::move(text));
  decoder.Decode(bytes);
  return std::move(decoder).Finish();
}

}  // namespace tandrel::cli
