// Runs the built `tandrel` as a user or a script would and checks what it prints and how it exits.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Result {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// This process's own folder for module files and caught output, removed when the process ends.
const std::filesystem::path& Scratch() {
  struct Folder {
    std::filesystem::path path =
        std::filesystem::path(::testing::TempDir()) / ("tandrel_cli_" + std::to_string(getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static const Folder folder;
  return folder.path;
}

// Runs the command with `args`, stdout and stderr caught in files, NO_COLOR and the terminal left out of it;
// standard input reads `input` when one is named.
Result RunTandrel(const std::vector<std::string>& args, const char* folder = nullptr,
                  const std::string& input = {}) {
  const auto outPath = Scratch() / "stdout";
  const auto errPath = Scratch() / "stderr";
  const pid_t child = fork();
  if (child == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    if (folder != nullptr && chdir(folder) != 0) _exit(126);
    if (!input.empty()) {
      const int in = open(input.c_str(), O_RDONLY);
      if (in < 0) _exit(126);
      dup2(in, STDIN_FILENO);
    }
    std::vector<char*> argv{const_cast<char*>(TANDREL_EXE)};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(TANDREL_EXE, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(outPath), Slurp(errPath)};
}

std::string Example(const std::string& name) { return std::string(TANDREL_EXAMPLES_DIR "/") + name; }

// A module file made for one row, its bytes as given.
std::string TempModule(const std::string& name, const std::string& bytes) {
  const auto path = Scratch() / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

const std::string kUsage = "Select or right-click on:\r\n";
const std::string kVb6About = "Tandrel V. 2.0.12 by Tandrel Software";

// ---- --json runs: the selection, the boxes and the pointer exactly as the add-in left them ----

struct JsonRow {
  const char* name;
  std::vector<std::string> args;
  int exitStatus;
  nlohmann::json selection;  // [sl, sc, el, ec] or null
  std::string prompt;        // the first box's prompt starts with this; empty: no box
  int style = 0;
  std::string title;
  std::vector<int> pointer;
  std::string input = {};  // the file standard input reads, for FILE -
};

// Parameterised tests are listed under the row's name.
void PrintTo(const JsonRow& row, std::ostream* out) { *out << row.name; }

class JsonRunTest : public ::testing::TestWithParam<JsonRow> {};

TEST_P(JsonRunTest, ReportsWhatTheAddinDid) {
  const auto& row = GetParam();
  std::vector<std::string> args = row.args;
  args.push_back("--json");
  const Result result = RunTandrel(args, nullptr, row.input);
  ASSERT_EQ(result.exitStatus, row.exitStatus) << result.out << result.err;
  EXPECT_EQ(result.err, "");
  ASSERT_TRUE(result.out.ends_with("}\n")) << result.out;
  const auto report = nlohmann::json::parse(result.out);
  const auto build = std::find(args.begin(), args.end(), "--build");
  EXPECT_EQ(report.at("build"), build != args.end() ? *std::next(build) : "vb6");
  EXPECT_EQ(report.at("selection"), row.selection);
  EXPECT_EQ(report.at("pointer"), nlohmann::json(row.pointer));
  const auto& messages = report.at("messages");
  if (row.prompt.empty()) {
    EXPECT_TRUE(messages.empty()) << messages;
  } else {
    ASSERT_EQ(messages.size(), 1u) << messages;
    EXPECT_TRUE(messages[0].at("prompt").get<std::string>().starts_with(row.prompt)) << messages[0];
    EXPECT_EQ(messages[0].at("style"), row.style);
    EXPECT_EQ(messages[0].at("title"), row.title);
  }
}

const nlohmann::json kNone = nullptr;
nlohmann::json Span(int sl, int sc, int el, int ec) { return {sl, sc, el, ec}; }

INSTANTIATE_TEST_SUITE_P(
    Examples, JsonRunTest,
    ::testing::Values(JsonRow{"SelectCaseForward",
                              {"match", Example("Orders.bas"), "--at", "29:5"},
                              0,
                              Span(29, 5, 40, 15),
                              "",
                              0,
                              "",
                              {11, 0}},
                      JsonRow{"ForPassesSingleLineIf",
                              {"match", Example("Orders.bas"), "--at", "23:5"},
                              0,
                              Span(23, 5, 27, 9),
                              "",
                              0,
                              "",
                              {11, 0}},
                      JsonRow{"NextBackward",
                              {"match", Example("Orders.bas"), "--at", "27:5"},
                              0,
                              Span(27, 9, 23, 5),
                              "",
                              0,
                              "",
                              {11, 0}},
                      JsonRow{"QuoteGivesStringLength",
                              {"match", Example("Orders.bas"), "--select", "49:12-49:13"},
                              0,
                              Span(49, 12, 49, 21),
                              "String length: 6",
                              0,
                              "Tandrel",
                              {11, 0}},
                      JsonRow{"StringLengthTitledByVb5Build",
                              {"match", Example("Orders.bas"), "--select", "49:12-49:13", "--build", "vb5"},
                              0,
                              Span(49, 12, 49, 21),
                              "String length: 6",
                              0,
                              "TandrelVB5",
                              {11, 0}},
                      JsonRow{"NotFound",
                              {"match", Example("Orders.bas"), "--at", "60:9"},
                              1,
                              kNone,
                              "Match 'Wend' for 'While' not found searching forward.\r\n",
                              48,
                              kVb6About,
                              {11, 0}},
                      JsonRow{"NoToken",
                              {"match", Example("Orders.bas"), "--at", "59:5"},
                              1,
                              kNone,
                              "Can't match 'i'!\r\n\r\n" + kUsage,
                              64,
                              kVb6About,
                              {}},
                      // Just past "Loop": the VB5 build takes the word's own column as the token's start.
                      JsonRow{"CaretAfterLoopVb6",
                              {"match", Example("Orders.bas"), "--at", "68:9"},
                              0,
                              Span(68, 5, 60, 5),
                              "",
                              0,
                              "",
                              {11, 0}},
                      JsonRow{"CaretAfterLoopVb5",
                              {"match", Example("Orders.bas"), "--at", "68:9", "--build", "vb5"},
                              0,
                              Span(68, 9, 60, 5),
                              "",
                              0,
                              "",
                              {11, 0}},
                      JsonRow{"RawCountsTheHeader",
                              {"match", Example("Orders.bas"), "--raw", "--at", "30:5"},
                              0,
                              Span(30, 5, 41, 15),
                              "",
                              0,
                              "",
                              {11, 0}},
                      JsonRow{"RawHeaderIsNoToken",
                              {"match", Example("OrderForm.frm"), "--raw", "--at", "1:1"},
                              1,
                              kNone,
                              "Can't match 'VERSION'!",
                              64,
                              kVb6About,
                              {}},
                      JsonRow{"RawHeaderIsNoTokenVba",
                              {"match", Example("OrderForm.frm"), "--raw", "--at", "1:1", "--build", "vba"},
                              1,
                              kNone,
                              "Can't match 'VERSION'!",
                              64,
                              "TandrelVBA V. 2.0.12 by Tandrel Software",
                              {}},
                      JsonRow{"AddInsEntry",
                              {"match", Example("Customer.cls"), "--at", "44:5", "--entry", "add-ins"},
                              0,
                              Span(44, 5, 50, 9),
                              "",
                              0,
                              "",
                              {11, 0}},
                      JsonRow{"EditButtonVb5",
                              {"match", Example("Customer.cls"), "--at", "50:5", "--entry", "edit", "--build",
                               "vb5"},
                              0,
                              Span(50, 9, 44, 5),
                              "",
                              0,
                              "",
                              {11, 0}},
                      JsonRow{"ClassDoubledQuotes",
                              {"match", Example("Customer.cls"), "--at", "62:16"},
                              0,
                              Span(62, 16, 62, 26),
                              "String length: 7",
                              0,
                              "Tandrel",
                              {11, 0}},
                      JsonRow{"FormRawCountsTheDesignerBlock",
                              {"match", Example("OrderForm.frm"), "--raw", "--at", "103:5"},
                              0,
                              Span(103, 5, 107, 11),
                              "",
                              0,
                              "",
                              {11, 0}},
                      JsonRow{"FormBlockIf",
                              {"match", Example("OrderForm.frm"), "--at", "22:5"},
                              0,
                              Span(22, 5, 26, 11),
                              "",
                              0,
                              "",
                              {11, 0}},
                      JsonRow{"FormSingleLineIfOverContinuation",
                              {"match", Example("OrderForm.frm"), "--at", "34:13"},
                              0,
                              Span(34, 13, 35, 66),
                              "",
                              0,
                              "",
                              {11, 0}}));

const std::string kBlockIf = "If a Then\r\n    b = 1\r\nEnd If\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, JsonRunTest,
    ::testing::Values(
        JsonRow{"EmptyFile",
                {"match", TempModule("empty.bas", ""), "--at", "1:1"},
                1,
                kNone,
                kUsage,
                64,
                kVb6About,
                {}},
        JsonRow{"LfBreaks",
                {"match", TempModule("lf.bas", "If a Then\n    b = 1\nEnd If"), "--at", "3:1"},
                0,
                Span(3, 7, 1, 1),
                "",
                0,
                "",
                {11, 0}},
        JsonRow{"CrBreaks",
                {"match", TempModule("cr.bas", "If a Then\r    b = 1\rEnd If\r"), "--at", "1:1"},
                0,
                Span(1, 1, 3, 7),
                "",
                0,
                "",
                {11, 0}},
        JsonRow{"SelectedEndOfEndIf",
                {"match", TempModule("endif.bas", kBlockIf), "--select", "3:1-3:4"},
                0,
                Span(3, 7, 1, 1),
                "",
                0,
                "",
                {11, 0}},
        // "é" is one character of the line whatever the file's encoding.
        JsonRow{"Windows1252",
                {"match", TempModule("cp1252.bas", "x = \"caf\xE9\"\r\n"), "--at", "1:5"},
                0,
                Span(1, 5, 1, 11),
                "String length: 4",
                0,
                "Tandrel",
                {11, 0}},
        JsonRow{"Utf8Mark",
                {"match", TempModule("utf8.bas", "\xEF\xBB\xBFx = \"caf\xC3\xA9\"\r\n"), "--at", "1:5"},
                0,
                Span(1, 5, 1, 11),
                "String length: 4",
                0,
                "Tandrel",
                {11, 0}},
        JsonRow{
            "Utf16LeMark",
            {"match", TempModule("utf16.bas", std::string("\xFF\xFEx\0 \0=\0 \0\"\0c\0a\0f\0\xE9\0\"\0", 22)),
             "--at", "1:5"},
            0,
            Span(1, 5, 1, 11),
            "String length: 4",
            0,
            "Tandrel",
            {11, 0}},
        JsonRow{"PromptInUtf8",
                {"match", TempModule("word.bas", "\xE9t\xE9 = 1\r\n"), "--at", "1:1"},
                1,
                kNone,
                "Can't match '\xC3\xA9t\xC3\xA9'!\r\n",
                64,
                kVb6About,
                {}},
        // The VB5 build cuts the line at the apostrophe inside the string before it looks past "Then".
        JsonRow{"ApostropheInStringVb6",
                {"match", TempModule("apostrophe.bas", "If s = \"it's\" Then y = 1\r\nx = 2\r\nEnd If\r\n"),
                 "--at", "1:1"},
                0,
                Span(1, 1, 1, 19),
                "",
                0,
                "",
                {11, 0}},
        JsonRow{"ApostropheInStringVb5",
                {"match", TempModule("apostrophe5.bas", "If s = \"it's\" Then y = 1\r\nx = 2\r\nEnd If\r\n"),
                 "--at", "1:1", "--build", "vb5"},
                0,
                Span(1, 1, 3, 7),
                "",
                0,
                "",
                {11, 0}}));

// A property whose first line carries the attribute that makes it the default member; the code window
// hides that line, so its If stands on line 2 there and on line 4 of the file.
const std::string kDefaultMember =
    "Attribute VB_Name = \"Stock\"\r\n"
    "Public Property Get Item() As Long\r\n"
    "Attribute Item.VB_UserMemId = 0\r\n"
    "    If mReady Then\r\n"
    "        Item = 1\r\n"
    "    End If\r\n"
    "End Property\r\n";

// "Привет" and a second string after it: read in the wrong code page the Cyrillic letters take more or
// fewer columns, and the caret given for the second string's quotation mark misses it.
const std::string kCyrillicUtf8 = "x = \"\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\" & \"ok\"\r\n";
const std::string kCyrillicCp1251 = "x = \"\xCF\xF0\xE8\xE2\xE5\xF2\" & \"ok\"\r\n";
// The same in Shift-JIS, two bytes a character: "日本".
const std::string kJapaneseCp932 = "x = \"\x93\xFA\x96\x7B\" & \"ok\"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Readings, JsonRunTest,
    ::testing::Values(
        JsonRow{"AttributeLineInsidePropertyHidden",
                {"match", TempModule("member.cls", kDefaultMember), "--at", "2:5"},
                0,
                Span(2, 5, 4, 11),
                "",
                0,
                "",
                {11, 0}},
        JsonRow{"FileLinesGivenAndReported",
                {"match", TempModule("member2.cls", kDefaultMember), "--lines", "file", "--at", "4:5"},
                0,
                Span(4, 5, 6, 11),
                "",
                0,
                "",
                {11, 0}},
        JsonRow{"FileLinesBackward",
                {"match", Example("Customer.cls"), "--lines", "file", "--at", "65:5"},
                0,
                Span(65, 9, 59, 5),
                "",
                0,
                "",
                {11, 0}},
        JsonRow{"RawIgnoresFileLines",
                {"match", Example("OrderForm.frm"), "--raw", "--lines", "file", "--at", "103:5"},
                0,
                Span(103, 5, 107, 11),
                "",
                0,
                "",
                {11, 0}},
        JsonRow{"Utf8WithoutMarkCyrillic",
                {"match", TempModule("cyrillic8.bas", kCyrillicUtf8), "--at", "1:16"},
                0,
                Span(1, 16, 1, 20),
                "String length: 2",
                0,
                "Tandrel",
                {11, 0}},
        JsonRow{
            "Cp1251Cyrillic",
            {"match", TempModule("cyrillic1251.bas", kCyrillicCp1251), "--encoding", "cp1251", "--at", "1:5"},
            0,
            Span(1, 5, 1, 13),
            "String length: 6",
            0,
            "Tandrel",
            {11, 0}},
        JsonRow{"Cp932Japanese",
                {"match", TempModule("japanese.bas", kJapaneseCp932), "--encoding", "cp932", "--at", "1:12"},
                0,
                Span(1, 12, 1, 16),
                "String length: 2",
                0,
                "Tandrel",
                {11, 0}},
        JsonRow{"PromptInItsCodePage",
                {"match", TempModule("word1251.bas", "\xCF\xF0\xE8 = 1\r\n"), "--encoding", "cp1251", "--at",
                 "1:1"},
                1,
                kNone,
                "Can't match '\xD0\x9F\xD1\x80\xD0\xB8'!\r\n",
                64,
                kVb6About,
                {}},
        JsonRow{"StandardInput",
                {"match", "-", "--at", "29:5"},
                0,
                Span(29, 5, 40, 15),
                "",
                0,
                "",
                {11, 0},
                Example("Orders.bas")},
        JsonRow{"StandardInputFileLines",
                {"match", "-", "--lines", "file", "--at", "4:5"},
                0,
                Span(4, 5, 6, 11),
                "",
                0,
                "",
                {11, 0},
                TempModule("member3.cls", kDefaultMember)}));

// ---- bad invocations: exit 2, one line on stderr, nothing on stdout ----

struct BadRow {
  const char* name;
  std::vector<std::string> args;
  std::string error;       // stderr contains this
  std::string input = {};  // the file standard input reads, for FILE -
};

void PrintTo(const BadRow& row, std::ostream* out) { *out << row.name; }

class BadInvocationTest : public ::testing::TestWithParam<BadRow> {};

TEST_P(BadInvocationTest, ExitsTwoWithOneLine) {
  const Result result = RunTandrel(GetParam().args, nullptr, GetParam().input);
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(result.err.starts_with("tandrel: ")) << result.err;
  EXPECT_TRUE(result.err.ends_with("\n")) << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  EXPECT_NE(result.err.find(GetParam().error), std::string::npos) << result.err;
}

const std::string kSmall = TempModule("small.bas", kBlockIf);

INSTANTIATE_TEST_SUITE_P(
    Invocations, BadInvocationTest,
    ::testing::Values(
        BadRow{"NoCommand", {}, "subcommand"}, BadRow{"UnknownCommand", {"find", kSmall}, "find"},
        BadRow{"NoFile", {"match", "--at", "1:1"}, "FILE"},
        BadRow{"MissingFile",
               {"match", "/nonexistent/Nope.bas", "--at", "1:1"},
               "/nonexistent/Nope.bas: No such file or directory"},
        BadRow{"Directory", {"match", TANDREL_EXAMPLES_DIR, "--at", "1:1"}, "is a directory"},
        BadRow{"NoPosition", {"match", kSmall}, "--at L:C or --select"},
        BadRow{"BothPositions", {"match", kSmall, "--at", "1:1", "--select", "1:1-1:3"}, "excludes"},
        BadRow{"NotAPosition", {"match", kSmall, "--at", "12"}, "--at: '12' is not L:C"},
        BadRow{"NotASelection", {"match", kSmall, "--select", "1:1"}, "--select: '1:1' is not L1:C1-L2:C2"},
        BadRow{"LineZero", {"match", kSmall, "--at", "0:1"}, "line 0 is outside the module (lines 1 to 3)"},
        BadRow{"LinePastEnd", {"match", kSmall, "--at", "4:1"}, "line 4 is outside"},
        BadRow{"ColumnZero", {"match", kSmall, "--at", "1:0"}, "columns start at 1"},
        BadRow{"ColumnPastCaret", {"match", kSmall, "--at", "1:11"}, "caret goes up to column 10"},
        BadRow{"SelectionBackwards", {"match", kSmall, "--select", "3:1-1:1"}, "ends before it starts"},
        BadRow{"NumberPast32Bits", {"match", kSmall, "--at", "4294967296:1"}, "does not fit in 32 bits"},
        BadRow{"EmptyModuleOffOrigin", {"match", TempModule("empty2.bas", ""), "--at", "1:2"}, "only 1:1"},
        BadRow{"UnknownBuild", {"match", kSmall, "--at", "1:1", "--build", "vb7"}, "vb7"},
        BadRow{"UnknownEntry", {"match", kSmall, "--at", "1:1", "--entry", "toolbar"}, "toolbar"},
        BadRow{"UnknownOption", {"match", kSmall, "--at", "1:1", "--colour"}, "--colour"},
        BadRow{"BrokenUtf8",
               {"match", TempModule("broken.bas", "\xEF\xBB\xBFIf \xFF"), "--at", "1:1"},
               "invalid UTF-8 at byte 6"},
        BadRow{"UnknownEncoding",
               {"match", kSmall, "--at", "1:1", "--encoding", "cp9999"},
               "--encoding: iconv knows no encoding 'cp9999'"},
        BadRow{"InvalidInForcedEncoding",
               {"match", TempModule("badsjis.bas", kJapaneseCp932 + "y = \"\x93\x20\"\r\n"), "--encoding",
                "cp932", "--at", "1:1"},
               "badsjis.bas: invalid cp932 at byte 24"},
        BadRow{"InvalidOnStandardInput",
               {"match", "-", "--encoding", "cp1251", "--at", "1:1"},
               "<stdin>: invalid cp1251 at byte 2",
               TempModule("bad1251.bas", "ab\x98")},
        BadRow{"UnknownNumbering", {"match", kSmall, "--at", "1:1", "--lines", "editor"}, "editor"},
        BadRow{"FileLineHidden",
               {"match", TempModule("hidden.cls", kDefaultMember), "--lines", "file", "--at", "3:1"},
               "--at: 3:1: line 3 is a member's attribute line, which the code window does not show"},
        BadRow{"FileLineInHeader",
               {"match", Example("OrderForm.frm"), "--lines", "file", "--select", "80:1-83:1"},
               "--select: 80:1: line 80 is part of the file's header"},
        BadRow{"FileLinePastTheFile",
               {"match", TempModule("past.cls", kDefaultMember), "--lines", "file", "--at", "8:1"},
               "line 8 is outside the file (lines 1 to 7)"}));

// Reading /proc/self/mem from its start fails with an I/O error for every user, root included.
TEST(BadInvocationTest, UnreadableFileExitsTwo) {
  const Result result = RunTandrel({"match", "/proc/self/mem", "--at", "1:1"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "tandrel: /proc/self/mem: Input/output error\n");
}

// ---- what a person reads ----

struct TextRow {
  const char* name;
  std::vector<std::string> args;
  int exitStatus;
  std::vector<std::string> shows;
  std::string input = {};  // the file standard input reads, for FILE -
};

void PrintTo(const TextRow& row, std::ostream* out) { *out << row.name; }

class TextOutputTest : public ::testing::TestWithParam<TextRow> {};

TEST_P(TextOutputTest, ShowsItForAPerson) {
  const Result result = RunTandrel(GetParam().args, nullptr, GetParam().input);
  EXPECT_EQ(result.exitStatus, GetParam().exitStatus) << result.err;
  EXPECT_EQ(result.err, "");
  // Not a terminal: no colour codes.
  EXPECT_EQ(result.out.find('\x1b'), std::string::npos);
  for (const auto& text : GetParam().shows)
    EXPECT_NE(result.out.find(text), std::string::npos) << text << "\n" << result.out;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, TextOutputTest,
    ::testing::Values(
        TextRow{"Match",
                {"match", Example("Orders.bas"), "--at", "29:5"},
                0,
                {"/Orders.bas:29:5-40:15: selected by the add-in\n", "    29 >     Select Case Kind\n",
                 "       >     ^~~~~~~~~~~~~~~~\n", "    40 >     End Select\n"}},
        TextRow{"NotFound",
                {"match", Example("Orders.bas"), "--at", "60:9"},
                1,
                {"/Orders.bas:60:9: no selection set\n", "message box \"" + kVb6About + "\" (exclamation):\n",
                 "    Match 'Wend' for 'While' not found searching forward.\n"}},
        TextRow{"StandardInputNamed",
                {"match", "-", "--at", "29:5"},
                0,
                {"<stdin>:29:5-40:15: selected by the add-in\n"},
                Example("Orders.bas")},
        TextRow{"FileLinesShowTheHiddenLine",
                {"match", Example("Customer.cls"), "--lines", "file", "--at", "30:8"},
                0,
                {"/Customer.cls:30:8-33:13: selected by the add-in\n",
                 "    31 > Attribute Name.VB_UserMemId = 0\n"}},
        TextRow{"TopHelp", {"--help"}, 0, {"match", "Example:"}},
        TextRow{"MatchHelp",
                {"match", "--help"},
                0,
                {"--at", "--select", "--build", "--entry", "--json", "--raw", "FILE",
                 "Examples:", "Exit status:", "e.g. --at 12:5", "e.g. --select", "e.g. --build vb5",
                 "e.g. --entry edit", "--encoding", "e.g. --encoding cp1251", "--lines", "e.g. --lines file",
                 "- for standard input", "tandrel match - "}},
        TextRow{"Version", {"--version"}, 0, {"Tandrel 2.00.0012", "TandrelVB5 1.00.0002"}}));

// Every example that the help gives works as shown, from the source folder.
TEST(HelpExamplesTest, EachFindsAMatch) {
  const Result help = RunTandrel({"match", "--help"});
  std::istringstream lines(help.out);
  int examples = 0;
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with("  tandrel match ")) continue;
    ++examples;
    std::istringstream words(line);
    std::vector<std::string> args;
    std::string input;
    for (std::string word; words >> word;) {
      if (word == "<") {
        words >> input;
      } else {
        args.push_back(word);
      }
    }
    args.erase(args.begin());
    const Result result = RunTandrel(args, TANDREL_SOURCE_DIR, input);
    EXPECT_EQ(result.exitStatus, 0) << line << "\n" << result.out << result.err;
  }
  EXPECT_GE(examples, 3);
}

}  // namespace
