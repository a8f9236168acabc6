#include "cli/lsp/framing.h"

#include <charconv>
#include <istream>
#include <ostream>

namespace tandrel::cli::lsp {
namespace {

constexpr std::string_view kLengthHeader = "content-length:";
// Far beyond any module (the IDE holds 65,534 lines): a larger length is a broken header, not a body to hold.
constexpr std::size_t kMaxBody = std::size_t{1} << 30;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != prefix[i]) return false;
  }
  return true;
}

// The length a Content-Length line gives; nothing for any other line or a value that is no length.
std::optional<std::size_t> LengthIn(std::string_view line) {
  if (!StartsWithNoCase(line, kLengthHeader)) return std::nullopt;
  line.remove_prefix(kLengthHeader.size());
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  std::size_t length = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), length);
  if (error != std::errc() || end != line.data() + line.size() || length > kMaxBody) return std::nullopt;
  return length;
}

}  // namespace

std::optional<std::string> ReadMessage(std::istream& in) {
  while (true) {
    std::optional<std::size_t> length;
    bool anyHeader = false;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) {
        if (anyHeader) break;
        continue;  // blank lines between messages
      }
      anyHeader = true;
      if (const auto given = LengthIn(line)) length = given;
    }
    if (!in) return std::nullopt;
    if (!length) continue;
    std::string body(*length, '\0');
    if (!in.read(body.data(), static_cast<std::streamsize>(body.size()))) return std::nullopt;
    return body;
  }
}

void WriteMessage(std::ostream& out, std::string_view body) {
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
}

}  // namespace tandrel::cli::lsp
