#include "cli/module_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ios>
#include <iterator>
#include <limits>

#include "cli/failure.h"
#include "cli/module_header.h"
#include "cli/text_encoding.h"
#include "sim/module_text.h"

namespace tandrel::cli {
namespace {

std::string ReadBytes(const std::string& path) {
  std::error_code status;
  if (std::filesystem::is_directory(path, status)) throw InvocationError(path + ": is a directory");
  std::ifstream file(path, std::ios::binary);
  if (!file) throw InvocationError(path + ": " + std::strerror(errno));
  try {
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) throw InvocationError(path + ": " + std::strerror(errno));
    return bytes;
  } catch (const std::ios_base::failure& error) {
    // The stream buffer reports a failed read (a device error, say) by throwing.
    throw InvocationError(path + ": " + error.code().message());
  }
}

}  // namespace

ModuleSource ModuleFromBytes(std::string_view bytes, bool raw) {
  ModuleSource module;
  module.lines = sim::SplitLines(DecodeModuleBytes(bytes));
  if (!raw) {
    module.headerLines = HeaderLineCount(module.lines);
    module.lines.erase(module.lines.begin(),
                       module.lines.begin() + static_cast<std::ptrdiff_t>(module.headerLines));
  }
  return module;
}

ModuleSource LoadModule(const std::string& path, bool raw) {
  const std::string bytes = ReadBytes(path);
  try {
    ModuleSource module = ModuleFromBytes(bytes, raw);
    // The IDE numbers lines with 32-bit integers.
    if (module.lines.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
      throw InvocationError(path + ": too many lines for a code module");
    }
    return module;
  } catch (const EncodingError& error) {
    throw InvocationError(path + ": " + error.what());
  }
}

}  // namespace tandrel::cli
