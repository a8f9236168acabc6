// Encodings named as the user names them (cp1251, windows-1252, shift_jis, gbk, UTF-16LE, ...), read through
// Windows' own code pages.
#include "cli/named_decoder.h"

#include <windows.h>

#include <array>
#include <cctype>
#include <charconv>
#include <optional>

#include "cli/encoding_error.h"

namespace tandrel::cli {
namespace {

constexpr UINT kUtf16Le = 1200;
constexpr UINT kUtf16Be = 1201;

struct Alias {
  std::string_view name;
  UINT codePage;
};

constexpr std::array kAliases = {
    Alias{"utf-8", CP_UTF8},     Alias{"utf8", CP_UTF8},   Alias{"utf-16le", kUtf16Le},
    Alias{"utf-16be", kUtf16Be}, Alias{"shift_jis", 932},  Alias{"sjis", 932},
    Alias{"gbk", 936},           Alias{"gb2312", 936},     Alias{"big5", 950},
    Alias{"euc-kr", 949},        Alias{"uhc", 949},        Alias{"koi8-r", 20866},
    Alias{"koi8-u", 21866},      Alias{"us-ascii", 20127}, Alias{"ascii", 20127},
    Alias{"latin1", 28591},      Alias{"euc-jp", 20932},   Alias{"gb18030", 54936},
};

std::optional<UINT> Number(std::string_view digits) {
  UINT number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) return std::nullopt;
  return number;
}

// The code page `name` stands for: an alias, cpNNN, windows-NNNN, ibmNNN or iso-8859-N.
std::optional<UINT> CodePageNamed(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const Alias& alias : kAliases) {
    if (alias.name == name) return alias.codePage;
  }
  const std::string_view text = name;
  for (const std::string_view prefix : {"cp", "windows-", "ibm"}) {
    if (text.starts_with(prefix)) return Number(text.substr(prefix.size()));
  }
  if (text.starts_with("iso-8859-")) {
    if (const auto part = Number(text.substr(9)); part && *part >= 1 && *part <= 15) return 28590 + *part;
  }
  return std::nullopt;
}

bool Known(UINT codePage) {
  return codePage == kUtf16Le || codePage == kUtf16Be || IsValidCodePage(codePage);
}

// Code pages for which Windows refuses MB_ERR_INVALID_CHARS: stateful and other special ones.
bool ChecksCharacters(UINT codePage) {
  return !(codePage == 42 || (codePage >= 50220 && codePage <= 50229) || codePage == 52936 ||
           codePage == 54936 || (codePage >= 57002 && codePage <= 57011) || codePage == 65000);
}

}  // namespace

struct NamedDecoder::State {
  std::string name;
  UINT codePage;
  std::uint64_t offset;  // of the first byte
  std::string bytes;     // every byte given: a code page is decoded whole
};

bool EncodingKnown(const std::string& name) {
  const auto codePage = CodePageNamed(name);
  return codePage && Known(*codePage);
}

std::string UnknownEncodingMessage(const std::string& name) {
  return "Windows knows no code page '" + name + "' (name one as cp1251, windows-1250 or shift_jis)";
}

NamedDecoder::NamedDecoder(std::string name, std::uint64_t offset) {
  const auto codePage = CodePageNamed(name);
  if (!codePage || !Known(*codePage)) throw EncodingError(UnknownEncodingMessage(name));
  state_ = std::make_unique<State>(State{std::move(name), *codePage, offset, {}});
}

NamedDecoder::~NamedDecoder() = default;

void NamedDecoder::Decode(std::string_view piece, std::u16string&) { state_->bytes.append(piece); }

void NamedDecoder::Finish(std::u16string& out) {
  const auto& [name, codePage, offset, bytes] = *state_;
  if (codePage == kUtf16Le || codePage == kUtf16Be) {
    if (bytes.size() % 2 != 0) {
      throw EncodingError("incomplete " + name + " at byte " + std::to_string(offset + bytes.size() - 1));
    }
    const std::size_t first = codePage == kUtf16Le ? 0 : 1;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
      out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i + first]) |
                                   static_cast<unsigned char>(bytes[i + 1 - first]) << 8);
    }
    return;
  }
  if (bytes.empty()) return;
  const DWORD flags = ChecksCharacters(codePage) ? MB_ERR_INVALID_CHARS : 0;
  const int length = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(codePage, flags, bytes.data(), length, nullptr, 0);
  if (units == 0) {
    // Where it breaks: the first character, one or two bytes long, that does not decode alone.
    std::size_t at = 0;
    while (at < bytes.size()) {
      const int size = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[at])) ? 2 : 1;
      if (at + static_cast<std::size_t>(size) > bytes.size()) {
        throw EncodingError("incomplete " + name + " at byte " + std::to_string(offset + at));
      }
      if (MultiByteToWideChar(codePage, flags, bytes.data() + at, size, nullptr, 0) == 0) break;
      at += static_cast<std::size_t>(size);
    }
    throw EncodingError("invalid " + name + " at byte " + std::to_string(offset + at));
  }
  const std::size_t used = out.size();
  out.resize(used + static_cast<std::size_t>(units));
  MultiByteToWideChar(codePage, flags, bytes.data(), length, reinterpret_cast<wchar_t*>(out.data() + used),
                      units);
}

}  // namespace tandrel::cli
