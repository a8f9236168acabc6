#include "cli/module_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>

#include "cli/failure.h"
#include "cli/module_header.h"
#include "cli/text_encoding.h"
#include "sim/module_text.h"

namespace tandrel::cli {
namespace {

// A file descriptor closed with its owner.
class Descriptor {
 public:
  explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (descriptor_ >= 0) close(descriptor_);
  }
  int Get() const { return descriptor_; }

 private:
  int descriptor_;
};

std::string ReadBytes(const std::string& path) {
  const auto failed = [&] { return InvocationError(path + ": " + std::strerror(errno)); };
  // Opening a FIFO waits for a writer, which may never come. Opened without waiting, a FIFO that nobody
  // writes to reads as empty, and the reads still wait for the data of a writer that is there (the shell's
  // process substitution).
  const Descriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) throw failed();
  struct stat status {};
  if (fstat(file.Get(), &status) != 0) throw failed();
  if (S_ISDIR(status.st_mode)) throw InvocationError(path + ": is a directory");
  const int flags = fcntl(file.Get(), F_GETFL);
  if (flags < 0 || fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) throw failed();

  std::string bytes;
  if (S_ISREG(status.st_mode)) bytes.reserve(static_cast<std::size_t>(status.st_size));
  char piece[64 * 1024];
  for (;;) {
    const ssize_t count = read(file.Get(), piece, sizeof piece);
    if (count == 0) return bytes;
    if (count < 0) {
      if (errno == EINTR) continue;
      throw failed();
    }
    bytes.append(piece, static_cast<std::size_t>(count));
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
