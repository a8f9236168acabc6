// `tandrel match` on files and positions meant to break it: each ends in time with a clear word (exit 2, one
// line on stderr, nothing on stdout) or with a sound result, and writes nothing beside its output.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Result {
  int exitStatus = -1;  // -2 when the run had to be stopped
  std::string out;
  std::string err;
};

std::string Slurp(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs the command in `folder` with its output caught outside it. A run that has not ended after a few
// minutes (seconds are enough even for the largest file here, under the sanitizers on a busy machine) hangs:
// it is stopped.
Result RunTandrel(const std::vector<std::string>& args, const fs::path& folder, const fs::path& caught) {
  const auto outPath = caught / "stdout";
  const auto errPath = caught / "stderr";
  const pid_t child = fork();
  if (child == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    if (chdir(folder.c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>(TANDREL_EXE)};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(TANDREL_EXE, argv.data());
    _exit(127);
  }
  constexpr auto kLimit = std::chrono::seconds(90);
  const auto deadline = std::chrono::steady_clock::now() + kLimit;
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return {-2, Slurp(outPath), Slurp(errPath)};
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(outPath), Slurp(errPath)};
}

// What a folder holds, so that a run can be seen to have left it as it was.
std::map<std::string, std::string> Contents(const fs::path& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    struct stat status {};
    lstat(entry.path().c_str(), &status);
    contents[entry.path().string()] = std::to_string(status.st_mode) + " " + std::to_string(status.st_size) +
                                      " " + std::to_string(status.st_mtim.tv_sec) + "." +
                                      std::to_string(status.st_mtim.tv_nsec);
  }
  return contents;
}

// Makes the file a row runs on in `folder` and gives the FILE argument that names it.
using Maker = std::function<std::string(const fs::path& folder)>;

Maker Bytes(std::string bytes) {
  return [bytes](const fs::path& folder) {
    std::ofstream(folder / "Module.bas", std::ios::binary) << bytes;
    return std::string("Module.bas");
  };
}

Maker Named(std::string name) {
  return [name](const fs::path&) { return name; };
}

Maker SymlinkTo(std::string target) {
  return [target](const fs::path& folder) {
    fs::create_symlink(target, folder / "Link.bas");
    return std::string("Link.bas");
  };
}

Maker SymlinkLoop() {
  return [](const fs::path& folder) {
    fs::create_symlink("Two.bas", folder / "One.bas");
    fs::create_symlink("One.bas", folder / "Two.bas");
    return std::string("One.bas");
  };
}

Maker ThroughAFile() {
  return [](const fs::path& folder) {
    std::ofstream(folder / "File.bas") << "x = 1\r\n";
    return std::string("File.bas/Module.bas");
  };
}

Maker FolderNamedLikeAModule() {
  return [](const fs::path& folder) {
    fs::create_directory(folder / "Module.bas");
    return std::string("Module.bas");
  };
}

Maker FifoWithoutWriter() {
  return [](const fs::path& folder) {
    mkfifo((folder / "Module.bas").c_str(), 0600);
    return std::string("Module.bas");
  };
}

// A pipe whose writer has written the module and gone, named as the shell names a process substitution.
Maker PipeOf(std::string bytes) {
  return [bytes](const fs::path&) {
    int ends[2];
    if (pipe(ends) != 0) return std::string("/nonexistent/pipe");
    const bool written = write(ends[1], bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(ends[1]);
    return written ? "/dev/fd/" + std::to_string(ends[0]) : std::string("/nonexistent/pipe");
  };
}

std::string Utf16Le(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) bytes += {c, '\0'};
  return bytes;
}

std::string Repeated(const std::string& text, std::size_t times) {
  std::string repeated;
  repeated.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i) repeated += text;
  return repeated;
}

const std::string kBlockIf = "If a Then\r\n    b = 1\r\nEnd If\r\n";
const std::string kUsage = "Select or right-click on:";

struct HostileRow {
  const char* name;
  Maker file;
  std::vector<std::string> args;  // after "match FILE"
  int exitStatus;
  // Exit 2: what stderr says. Otherwise: how the first box's prompt starts (empty: no box), and the
  // selection.
  std::string said;
  nlohmann::json selection = nullptr;
};

void PrintTo(const HostileRow& row, std::ostream* out) { *out << row.name; }

class HostileFileTest : public ::testing::TestWithParam<HostileRow> {};

TEST_P(HostileFileTest, EndsWithAClearWordOrASoundResultAndWritesNothing) {
  const HostileRow& row = GetParam();
  const fs::path root = fs::path(::testing::TempDir()) / ("tandrel_hostile_" + std::to_string(getpid()));
  const fs::path folder = root / row.name;
  const fs::path caught = root / (std::string(row.name) + ".caught");
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::create_directories(caught);
  std::vector<std::string> args{"match", row.file(folder)};
  args.insert(args.end(), row.args.begin(), row.args.end());
  args.push_back("--json");
  const auto before = Contents(folder);

  const Result result = RunTandrel(args, folder, caught);
  EXPECT_EQ(Contents(folder), before);
  fs::remove_all(root);
  ASSERT_EQ(result.exitStatus, row.exitStatus) << result.out << result.err;
  if (row.exitStatus == 2) {
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.starts_with("tandrel: ") && result.err.ends_with("\n")) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(row.said), std::string::npos) << result.err;
    return;
  }
  EXPECT_EQ(result.err, "");
  ASSERT_TRUE(result.out.ends_with("}\n")) << result.out.substr(0, 200);
  const auto report = nlohmann::json::parse(result.out);
  EXPECT_EQ(report.at("selection"), row.selection);
  const auto& messages = report.at("messages");
  if (row.said.empty()) {
    EXPECT_TRUE(messages.empty()) << messages;
  } else {
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages[0].at("prompt").get<std::string>().starts_with(row.said)) << messages[0];
  }
}

nlohmann::json Span(int sl, int sc, int el, int ec) { return {sl, sc, el, ec}; }

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFileTest,
    ::testing::Values(
        // Files that cannot be read, or not as text.
        HostileRow{"DanglingSymlink", SymlinkTo("Gone.bas"), {"--at", "1:1"}, 2, "No such file or directory"},
        HostileRow{"SymlinkLoop", SymlinkLoop(), {"--at", "1:1"}, 2, "Too many levels of symbolic links"},
        HostileRow{"PathThroughAFile", ThroughAFile(), {"--at", "1:1"}, 2, "Not a directory"},
        HostileRow{
            "NameTooLong", Named(std::string(300, 'x') + ".bas"), {"--at", "1:1"}, 2, "File name too long"},
        HostileRow{"FolderNamedLikeAModule", FolderNamedLikeAModule(), {"--at", "1:1"}, 2, "is a directory"},
        HostileRow{"InvalidUtf8WithMark",
                   Bytes("\xEF\xBB\xBFx = \"\xC3\x28\"\r\n"),
                   {"--at", "1:1"},
                   2,
                   "invalid UTF-8"},
        HostileRow{"Utf16OddLength",
                   Bytes(std::string("\xFF\xFEx\0y", 5)),
                   {"--at", "1:1"},
                   2,
                   "incomplete UTF-16LE"},
        HostileRow{"LoneSurrogateUtf16Le",
                   Bytes(std::string("\xFF\xFEx\0\x00\xD8y\0", 8)),
                   {"--at", "1:1"},
                   2,
                   "invalid UTF-16LE"},
        HostileRow{"LoneSurrogateUtf16Be",
                   Bytes(std::string("\xFE\xFF\0x\xD8\x00\0y", 8)),
                   {"--at", "1:1"},
                   2,
                   "UTF-16BE"},
        // Files that are text, however odd.
        HostileRow{"FifoWithoutWriter", FifoWithoutWriter(), {"--at", "1:1"}, 1, kUsage},
        HostileRow{"PipeOfAProcessSubstitution", PipeOf(kBlockIf), {"--at", "1:1"}, 0, "", Span(1, 1, 3, 7)},
        HostileRow{"EmptyFileSelected", Bytes(""), {"--select", "1:1-1:1"}, 1, kUsage},
        HostileRow{"Utf8MarkAlone", Bytes("\xEF\xBB\xBF"), {"--at", "1:1"}, 1, kUsage},
        HostileRow{"Utf16LeMarkAlone", Bytes("\xFF\xFE"), {"--at", "1:1"}, 1, kUsage},
        HostileRow{"Utf16BeMarkAlone", Bytes("\xFE\xFF"), {"--at", "1:1"}, 1, kUsage},
        HostileRow{"BinaryJunk",
                   Bytes(std::string("\x01\x80\xFF\x9D\x7F\x1B[2J\x8D\x90\x00junk", 16)),
                   {"--at", "1:1"},
                   1,
                   "Can't match '"},
        HostileRow{"NulBytesInALine",
                   Bytes(std::string("If a\0b Then\r\nEnd If\r\n", 21)),
                   {"--at", "1:1"},
                   0,
                   "",
                   Span(1, 1, 2, 7)},
        HostileRow{"InvalidUtf8WithoutMark",
                   Bytes("x = \"\xC3\x28\"\r\n"),
                   {"--at", "1:5"},
                   0,
                   "String length: 2",
                   Span(1, 5, 1, 9)},
        HostileRow{
            "Utf16LeWithoutBreaks", Bytes(Utf16Le("Do : Loop")), {"--at", "1:6"}, 0, "", Span(1, 10, 1, 1)},
        HostileRow{
            "MixedBreaks", Bytes("If a Then\rx = 1\n\r\nEnd If"), {"--at", "4:1"}, 0, "", Span(4, 7, 1, 1)},
        HostileRow{"TenMegabyteLine",
                   Bytes("x = (" + std::string(10'000'000, 'a') + ")\r\n"),
                   {"--at", "1:5"},
                   0,
                   "",
                   Span(1, 5, 1, 10'000'007)},
        // The walk through all of it is bench/peak_memory.sh's; here the file is read and the end clicked.
        HostileRow{"AMillionLines",
                   Bytes(Repeated("x = 1\r\n", 999'998) + "Do\r\nLoop\r\n"),
                   {"--at", "1000000:1"},
                   0,
                   "",
                   Span(1'000'000, 5, 999'999, 1)},
        // Positions no pane can hold, or that are no positions.
        HostileRow{"LineNegative", Bytes(kBlockIf), {"--at=-1:1"}, 2, "line -1 is outside the module"},
        HostileRow{"ColumnNegative", Bytes(kBlockIf), {"--at", "1:-5"}, 2, "columns start at 1"},
        HostileRow{"LinePastTheEnd", Bytes(kBlockIf), {"--at", "99:1"}, 2, "line 99 is outside the module"},
        HostileRow{"ColumnPastTheCaret", Bytes(kBlockIf), {"--at", "1:12"}, 2, "caret goes up to column 10"},
        HostileRow{"LineOf2To31", Bytes(kBlockIf), {"--at", "2147483648:1"}, 2, "does not fit in 32 bits"},
        HostileRow{
            "LargestColumn", Bytes(kBlockIf), {"--at", "1:2147483647"}, 2, "caret goes up to column 10"},
        HostileRow{"NonNumeric", Bytes(kBlockIf), {"--at", "a:b"}, 2, "is not L:C"},
        HostileRow{"PlusSign", Bytes(kBlockIf), {"--at", "+1:1"}, 2, "is not L:C"},
        HostileRow{"SpaceBefore", Bytes(kBlockIf), {"--at", " 1:1"}, 2, "is not L:C"},
        HostileRow{"EmptyPosition", Bytes(kBlockIf), {"--at", ""}, 2, "is not L:C"},
        HostileRow{"Hexadecimal", Bytes(kBlockIf), {"--at", "0x1:1"}, 2, "is not L:C"},
        HostileRow{"ReversedOnOneLine", Bytes(kBlockIf), {"--select", "1:5-1:2"}, 2, "ends before it starts"},
        HostileRow{"SelectionEndsPastTheModule",
                   Bytes(kBlockIf),
                   {"--select", "1:1-9:1"},
                   2,
                   "line 9 is outside the module"},
        HostileRow{"EmptyFileSecondLine", Bytes(""), {"--at", "2:1"}, 2, "only 1:1"}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
