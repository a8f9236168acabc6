#include "cli/module_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>

#include "cli/failure.h"
#include "cli/text_encoding.h"

namespace tandrel::cli {
namespace {

constexpr std::size_t kPieceBytes = 64 * 1024;

ModuleSource FromText(std::u16string text, bool raw) {
  if (text.size() > sim::ModuleText::kMaxUnits) throw InvocationError("too large for a code module");
  return ModuleSource(sim::ModuleText(std::move(text)), raw);
}

// A file descriptor closed with its owner; standard input is borrowed, not owned.
class Input {
 public:
  // Opening a FIFO waits for a writer, which may never come. Opened without waiting, a FIFO that nobody
  // writes to reads as empty, and the reads still wait for the data of a writer that is there (the shell's
  // process substitution).
  explicit Input(const std::string& path)
      : descriptor_(path == "-" ? STDIN_FILENO : Open(path)), owned_(path != "-") {
#ifndef _WIN32
    if (owned_ && descriptor_ >= 0) {
      const int flags = fcntl(descriptor_, F_GETFL);
      if (flags >= 0) fcntl(descriptor_, F_SETFL, flags & ~O_NONBLOCK);
    }
#endif
  }
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;
  ~Input() {
    if (owned_ && descriptor_ >= 0) close(descriptor_);
  }
  int Descriptor() const { return descriptor_; }
  // Reads up to `size` bytes into `buffer`; 0 at the end, -1 on an error.
  long Read(char* buffer, std::size_t size) const {
#ifdef _WIN32
    return read(descriptor_, buffer, static_cast<unsigned>(std::min<std::size_t>(size, 1U << 30)));
#else
    return read(descriptor_, buffer, size);
#endif
  }

 private:
  static int Open(const std::string& path) {
#ifdef _WIN32
    // The path is UTF-8 (see main); Windows has no FIFOs to wait on, and the bytes are read as they are.
    std::wstring wide(path.size(), L'\0');
    const int units = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(),
                                          static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(units > 0 ? units : 0));
    return _wopen(wide.c_str(), O_RDONLY | O_BINARY);
#else
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
#endif
  }

  int descriptor_;
  bool owned_;
};

// Room for a module's text of `units` 16-bit units. The text is written once from start to end, several
// megabytes of it for a large module: in the system's 2 MB pages it takes a handful of page faults where it
// would take a thousand, a tenth of the time of a whole match. Where there are none the request is ignored.
std::u16string TextBuffer(std::size_t units) {
  std::u16string text;
  text.reserve(units);
#ifndef _WIN32
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(text.data());
  const auto first = (start + kHugePage - 1) & ~(kHugePage - 1);
  const auto last = (start + text.capacity() * sizeof(char16_t)) & ~(kHugePage - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
  return text;
}

std::u16string ReadText(const std::string& path, const std::string& encoding) {
  const Input input(path);
  if (input.Descriptor() < 0) throw InvocationError(std::strerror(errno));
  struct stat status {};
  if (fstat(input.Descriptor(), &status) != 0) throw InvocationError(std::strerror(errno));
  if (S_ISDIR(status.st_mode)) throw InvocationError("is a directory");

  // A text longer than the module can hold is refused once read; the guess need not reach past that.
  const std::size_t expected =
      S_ISREG(status.st_mode) ? std::min(static_cast<std::size_t>(status.st_size), sim::ModuleText::kMaxUnits)
                              : 0;
  ModuleDecoder decoder(encoding, TextBuffer(expected));
  std::string piece(kPieceBytes, '\0');
  while (true) {
    const long count = input.Read(piece.data(), piece.size());
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      throw InvocationError(std::strerror(errno));
    }
    decoder.Decode(std::string_view(piece.data(), static_cast<std::size_t>(count)));
  }
  return std::move(decoder).Finish();
}

}  // namespace

std::string DisplayName(const std::string& path) { return path == "-" ? "<stdin>" : path; }

ModuleSource ModuleFromBytes(std::string_view bytes, const ReadOptions& options) {
  return FromText(DecodeModuleBytes(bytes, options.encoding), options.raw);
}

ModuleSource LoadModule(const std::string& path, const ReadOptions& options) {
  try {
    return FromText(ReadText(path, options.encoding), options.raw);
  } catch (const InvocationError& error) {
    throw InvocationError(DisplayName(path) + ": " + error.what());
  } catch (const EncodingError& error) {
    throw InvocationError(DisplayName(path) + ": " + error.what());
  } catch (const std::bad_alloc&) {
    throw InvocationError(DisplayName(path) + ": too large to read into memory");
  }
}

}  // namespace tandrel::cli
