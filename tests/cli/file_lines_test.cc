// Positions counted as the file counts them: every line of every bundled example, matched once through the
// code window's numbers and once through the file's, must give the same result at the same places.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/tandrel_main.h"

namespace tandrel::cli {
namespace {

struct Outcome {
  int exitStatus;
  nlohmann::json report;  // null when the run printed none
  std::string err;
};

Outcome RunMatch(std::vector<std::string> args) {
  args.insert(args.begin(), {"tandrel", "match"});
  args.push_back("--json");
  std::vector<const char*> argv;
  for (const auto& arg : args) argv.push_back(arg.c_str());
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  const int status = TandrelMain(static_cast<int>(argv.size()), argv.data(), in, out, err, false);
  return {status, out.str().empty() ? nlohmann::json() : nlohmann::json::parse(out.str()), err.str()};
}

// The file's lines as a byte-level reader sees them, for the single-byte and ASCII examples.
std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Counted here without the command's own code: header lines, and "Attribute <name>.VB_" lines below them.
bool Hidden(const std::string& line, std::size_t fileLine, std::size_t headerLines) {
  if (fileLine <= headerLines) return true;
  const auto point = line.find('.');
  return line.starts_with("Attribute ") && point != std::string::npos &&
         line.compare(point, 4, ".VB_") == 0 && line.find(' ', 10) > point;
}

std::string FirstWordColumn(const std::string& line) {
  const auto first = line.find_first_not_of(' ');
  return std::to_string(first == std::string::npos ? 1 : first + 1);
}

struct ExampleRow {
  const char* file;
  std::size_t headerLines;
  std::vector<std::string> options;
};

void PrintTo(const ExampleRow& row, std::ostream* out) { *out << row.file; }

class FileLinesRoundTrip : public ::testing::TestWithParam<ExampleRow> {};

TEST_P(FileLinesRoundTrip, GivesTheCodeWindowsResultAtTheFilesLines) {
  const auto& row = GetParam();
  const std::string path = std::string(TANDREL_EXAMPLES_DIR "/") + row.file;
  const auto lines = FileLines(path);
  std::vector<int> fileLineOf{0};  // by code line
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    if (!Hidden(lines[n - 1], n, row.headerLines)) fileLineOf.push_back(static_cast<int>(n));
  }
  int selections = 0;
  for (std::size_t n = 1; n <= lines.size(); ++n) {
    const std::string column = FirstWordColumn(lines[n - 1]);
    std::vector<std::string> fileArgs{path, "--lines", "file", "--at", std::to_string(n) + ":" + column};
    fileArgs.insert(fileArgs.end(), row.options.begin(), row.options.end());
    const Outcome byFile = RunMatch(fileArgs);
    const auto codeLine = std::find(fileLineOf.begin(), fileLineOf.end(), static_cast<int>(n));
    if (codeLine == fileLineOf.end()) {
      EXPECT_EQ(byFile.exitStatus, 2) << row.file << " file line " << n << " is hidden";
      EXPECT_NE(byFile.err.find("which the code window does not show"), std::string::npos) << byFile.err;
      continue;
    }
    std::vector<std::string> codeArgs{path, "--at",
                                      std::to_string(codeLine - fileLineOf.begin()) + ":" + column};
    codeArgs.insert(codeArgs.end(), row.options.begin(), row.options.end());
    const Outcome byCode = RunMatch(codeArgs);
    nlohmann::json expected = byCode.report;
    if (expected["selection"].is_array()) {
      ++selections;
      for (const int end : {0, 2})
        expected["selection"][end] = fileLineOf.at(expected["selection"][end].get<std::size_t>());
    }
    EXPECT_EQ(byFile.exitStatus, byCode.exitStatus) << row.file << " file line " << n;
    EXPECT_EQ(byFile.report, expected) << row.file << " file line " << n;
  }
  // Every example has blocks enough that the comparison is not between two lists of messages.
  EXPECT_GE(selections, 5) << row.file;
}

INSTANTIATE_TEST_SUITE_P(Examples, FileLinesRoundTrip,
                         ::testing::Values(ExampleRow{"Orders.bas", 1, {}},
                                           ExampleRow{"Customer.cls", 13, {}},
                                           ExampleRow{"OrderForm.frm", 81, {}},
                                           ExampleRow{"Cyrillic.bas", 1, {"--encoding", "cp1251"}},
                                           ExampleRow{"Orders.bas", 1, {"--build", "vb5"}}));

}  // namespace
}  // namespace tandrel::cli
