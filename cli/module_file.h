#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tandrel::cli {

// A code module as the code window shows it, and how many lines of the file came before its first line.
struct ModuleSource {
  std::vector<std::u16string> lines;
  std::size_t headerLines = 0;
};

// The module in a file's bytes: decoded, split into lines, and without its header unless `raw`. Throws
// EncodingError for text that its byte-order mark belies.
ModuleSource ModuleFromBytes(std::string_view bytes, bool raw);

// Reads `path` as above. Throws InvocationError, naming the file, when it is missing, a directory, unreadable
// or not text.
ModuleSource LoadModule(const std::string& path, bool raw);

}  // namespace tandrel::cli
