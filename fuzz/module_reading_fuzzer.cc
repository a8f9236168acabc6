// The command line's reading of a module file and of a position, on any bytes. The reading may refuse what it
// is given, but only with the errors it reports to the user; what it accepts must be a module the IDE could
// show and a selection its pane could hold.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/failure.h"
#include "cli/module_file.h"
#include "cli/position.h"
#include "cli/text_encoding.h"
#include "fuzz/match_input.h"

namespace tandrel::fuzz {
namespace {

[[noreturn]] void Finding(const std::string& what) {
  std::fprintf(stderr, "finding: %s\n", what.c_str());
  std::abort();
}

// The first byte chooses --raw (bit 0) and --select over --at (bit 1); the position's text runs to the first
// line feed; the file's bytes follow.
struct ReadingInput {
  bool raw = false;
  bool select = false;
  std::string_view position;
  std::string_view file;
};

ReadingInput Split(std::string_view bytes) {
  ReadingInput input;
  if (bytes.empty()) return input;
  input.raw = (bytes[0] & 1) != 0;
  input.select = (bytes[0] & 2) != 0;
  bytes.remove_prefix(1);
  const std::size_t end = std::min(bytes.find('\n'), bytes.size());
  input.position = bytes.substr(0, end);
  input.file = bytes.substr(std::min(end + 1, bytes.size()));
  return input;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80         ? 1
                               : (lead >> 5) == 6  ? 2
                               : (lead >> 4) == 14 ? 3
                               : (lead >> 3) == 30 ? 4
                                                   : 0;
    if (length == 0 || at + length > text.size()) return false;
    for (std::size_t i = 1; i < length; ++i) {
      if ((static_cast<unsigned char>(text[at + i]) >> 6) != 2) return false;
    }
    at += length;
  }
  return true;
}

void CheckModule(const cli::ModuleSource& module, const cli::ModuleSource& whole) {
  if (module.headerLines > whole.lines.size() ||
      !std::equal(module.lines.begin(), module.lines.end(),
                  whole.lines.begin() + static_cast<std::ptrdiff_t>(module.headerLines), whole.lines.end())) {
    Finding("the module is not the file's lines after its header");
  }
  for (const auto& line : whole.lines) {
    if (line.find_first_of(u"\r\n") != std::u16string::npos) Finding("a line holds a line break");
    if (!IsUtf8(cli::ToUtf8(line))) Finding("a line does not convert to UTF-8");
  }
}

void CheckPosition(const ReadingInput& input, const cli::ModuleSource& module) {
  ide::Selection selection;
  try {
    selection = input.select ? cli::ParseSelection(input.position) : cli::ParseCaret(input.position);
  } catch (const cli::InvocationError&) {
    return;
  }
  bool accepted = true;
  try {
    cli::CheckSelection(selection, module.lines);
  } catch (const cli::InvocationError&) {
    accepted = false;
  }
  if (accepted != PaneCanHold(selection, module.lines)) {
    Finding("the position check and the pane disagree on " + cli::FormatSelection(selection));
  }
  if (cli::ParseSelection(cli::FormatSelection(selection)) != selection)
    Finding("a selection does not read back");
}

}  // namespace
}  // namespace tandrel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tandrel;
  const fuzz::ReadingInput input = fuzz::Split({reinterpret_cast<const char*>(data), size});
  cli::ModuleSource module;
  cli::ModuleSource whole;
  try {
    module = cli::ModuleFromBytes(input.file, input.raw);
    whole = cli::ModuleFromBytes(input.file, true);
  } catch (const cli::EncodingError&) {
    return 0;
  }
  fuzz::CheckModule(module, whole);
  fuzz::CheckPosition(input, module);
  return 0;
}
