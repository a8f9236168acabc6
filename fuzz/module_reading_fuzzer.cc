// The command line's reading of a module file and of a position, on any bytes. The reading may refuse what it
// is given, but only with the errors it reports to the user; what it accepts must be a module the IDE could
// show and a selection its pane could hold.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/encoding_error.h"
#include "cli/failure.h"
#include "cli/module_file.h"
#include "cli/module_source.h"
#include "cli/position.h"
#include "fuzz/match_input.h"

namespace tandrel::fuzz {
namespace {

[[noreturn]] void Finding(const std::string& what) {
  std::fprintf(stderr, "finding: %s\n", what.c_str());
  std::abort();
}

// The first byte chooses --raw (bit 0), --select over --at (bit 1), --lines file (bit 2) and the encoding
// (bits 3 and 4: the bytes decide, cp1251, cp932, UTF-16LE); the position's text runs to the first line feed;
// the file's bytes follow.
struct ReadingInput {
  bool raw = false;
  bool select = false;
  cli::LineNumbering numbering = cli::LineNumbering::kCodeWindow;
  std::string encoding;
  std::string_view position;
  std::string_view file;
};

ReadingInput Split(std::string_view bytes) {
  ReadingInput input;
  if (bytes.empty()) return input;
  const auto options = static_cast<unsigned char>(bytes[0]);
  input.raw = (options & 1) != 0;
  input.select = (options & 2) != 0;
  if ((options & 4) != 0) input.numbering = cli::LineNumbering::kFile;
  static constexpr const char* kEncodings[] = {"", "cp1251", "cp932", "UTF-16LE"};
  input.encoding = kEncodings[(options >> 3) & 3];
  bytes.remove_prefix(1);
  const std::size_t end = std::min(bytes.find('\n'), bytes.size());
  input.position = bytes.substr(0, end);
  input.file = bytes.substr(std::min(end + 1, bytes.size()));
  return input;
}

std::vector<std::u16string> CodeLines(const cli::ModuleSource& module) {
  const auto& code = *module.Code();
  std::vector<std::u16string> lines;
  for (std::size_t index = 0; index < code.LineCount(); ++index) lines.emplace_back(code.Line(index));
  return lines;
}

// The code window's lines are the file's lines less the hidden ones, in order, and line numbers map both
// ways.
void CheckModule(const cli::ModuleSource& module, const cli::ModuleSource& whole) {
  using cli::LineNumbering;
  const std::int32_t codeLines = module.LineCount(LineNumbering::kCodeWindow);
  const std::int32_t fileLines = module.LineCount(LineNumbering::kFile);
  if (fileLines != whole.LineCount(LineNumbering::kCodeWindow) ||
      static_cast<std::size_t>(fileLines - codeLines) != module.HeaderLines() + module.AttributeLines()) {
    Finding("the code window's lines and the hidden ones do not add up to the file's");
  }
  for (std::int32_t line = 1; line <= codeLines; ++line) {
    const std::int32_t fileLine = module.FromCodeWindow(line, LineNumbering::kFile);
    if (module.ToCodeWindow(fileLine, LineNumbering::kFile) != line) Finding("a line does not map back");
    if (module.LineText(line, LineNumbering::kCodeWindow) !=
        whole.LineText(fileLine, LineNumbering::kCodeWindow))
      Finding("a code window line is not the file's line it maps to");
  }
  for (std::int32_t line = 1; line <= fileLines; ++line) {
    const std::u16string_view text = module.LineText(line, LineNumbering::kFile);
    if (text.find_first_of(u"\r\n") != std::u16string_view::npos) Finding("a line holds a line break");
  }
}

// A position the reading accepts is one the pane can hold, and it maps back to the numbers given.
void CheckPosition(const ReadingInput& input, const cli::ModuleSource& module) {
  ide::Selection given;
  try {
    given = input.select ? cli::ParseSelection(input.position) : cli::ParseCaret(input.position);
  } catch (const cli::InvocationError&) {
    return;
  }
  if (cli::ParseSelection(cli::FormatSelection(given)) != given) Finding("a selection does not read back");
  ide::Selection inCodeWindow;
  try {
    inCodeWindow = cli::CodeWindowSelection(given, module, input.numbering);
  } catch (const cli::InvocationError&) {
    return;
  }
  if (!PaneCanHold(inCodeWindow, CodeLines(module))) {
    Finding("an accepted position is none the pane can hold: " + cli::FormatSelection(inCodeWindow));
  }
  if (cli::NumberedSelection(inCodeWindow, module, input.numbering) != given) {
    Finding("an accepted position does not map back: " + cli::FormatSelection(given));
  }
}

}  // namespace
}  // namespace tandrel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tandrel;
  const fuzz::ReadingInput input = fuzz::Split({reinterpret_cast<const char*>(data), size});
  std::optional<cli::ModuleSource> module;
  try {
    module.emplace(cli::ModuleFromBytes(input.file, {input.raw, input.encoding}));
  } catch (const cli::EncodingError&) {
    return 0;
  } catch (const cli::InvocationError&) {
    return 0;
  }
  // What decoded once decodes again, every line shown.
  const cli::ModuleSource whole = cli::ModuleFromBytes(input.file, {true, input.encoding});
  fuzz::CheckModule(*module, whole);
  fuzz::CheckPosition(input, *module);
  return 0;
}
