#pragma once

#include <string>
#include <string_view>

#include "cli/module_source.h"

namespace tandrel::cli {

// How a module file is read.
struct ReadOptions {
  bool raw = false;      // every line is the module's, the saved header too
  std::string encoding;  // a name iconv knows, or empty to let the bytes decide (see ModuleDecoder)
};

// FILE as the report names it: "<stdin>" for "-", which reads standard input.
std::string DisplayName(const std::string& path);

// The module in a file's bytes: decoded, split into lines, and without what the code window hides unless
// `raw`. Throws EncodingError for bytes the encoding does not allow, InvocationError for a text too large
// for a code module.
ModuleSource ModuleFromBytes(std::string_view bytes, const ReadOptions& options);

// Reads `path` ("-": standard input) as above, piece by piece, so that the file's bytes are never all held
// at once next to its text. Throws InvocationError, naming the file, when it is missing, a directory,
// unreadable or not text in its encoding.
ModuleSource LoadModule(const std::string& path, const ReadOptions& options);

}  // namespace tandrel::cli
