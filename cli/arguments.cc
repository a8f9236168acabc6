#include "cli/arguments.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <map>
#include <ostream>

#include "addin5/version_info.h"
#include "addin6/version_info.h"
#include "cli/failure.h"

namespace tandrel::cli {
namespace {

constexpr const char* kDescription =
    "tandrel: finds the partner of a Visual Basic keyword, parenthesis or quotation mark\n"
    "as the Tandrel add-in does in the VB5/VB6 IDE, by running the add-in on a module file\n"
    "inside an in-memory IDE.";

constexpr const char* kMainFooter = R"(Example:
  tandrel match examples/Orders.bas --at 29:5
See tandrel match --help for its options and output, and tandrel lsp --help for the language server.)";

constexpr const char* kMatchSummary = "Run the add-in's match command on a module file";

constexpr const char* kMatchDescription =
    "Opens FILE as the one code module of an in-memory IDE, puts the caret or selection in its code window,\n"
    "connects the add-in and clicks its entry once, then reports the selection the add-in made and every\n"
    "message box it showed.";

constexpr const char* kLspSummary = "Serve the Language Server Protocol over standard input and output";

constexpr const char* kLspDescription =
    R"(Answers an editor's requests as the add-in would: document highlights put the token at the caret beside
its partner, folding ranges span each block, selection ranges grow from the token through the blocks around
it, and the request tandrel/match returns what a click would do (the selection and any message).
Positions are the file's own lines, 0-based, and UTF-16 code units, as the protocol counts them. The
initialization option "build" picks the add-in build: vb6 (the default), vb5 or vba.)";

constexpr const char* kMatchFooter =
    R"(Lines and columns are 1-based as the IDE counts them; columns count the IDE's 16-bit characters.
By default the module is what the code window shows: the header that the IDE saves ahead of the
code (VERSION, Object, the designer's Begin ... End block, the Attribute lines) and every member
attribute line (such as Attribute Item.VB_UserMemId = 0 after a procedure's first line) are not
part of it, and lines are numbered as the code window numbers them. --lines file numbers every
position given and reported as the file's own lines, hidden ones included, while the module stays
what the code window shows. --raw takes every line of the file as the module.
A byte-order mark says the file is UTF-8, UTF-16LE or UTF-16BE. Without one, --encoding NAME reads
the file in any encoding iconv knows (cp1251, cp1250, cp1253, cp1254, cp932, gbk, cp949, ...);
without that, text that is valid UTF-8 and has a character beyond ASCII is read as UTF-8, and
anything else as Windows-1252, the IDE's code page on Western systems.
FILE - reads the module from standard input (the report calls it <stdin>), as an editor passes an
unsaved buffer.
Without --json the report is coloured when stdout is a terminal and NO_COLOR is not set.

Exit status:
  0  the add-in set a selection (the partner was found)
  1  it set none (it showed the usage or the not-found message); also when the IDE raised an error
     during the click, which is then reported on stderr
  2  bad invocation, unreadable file, or bytes that are not text in the forced encoding (one line
     on stderr, nothing on stdout)

--json prints one object on one line, ending with a line break:
  {"build": "vb6", "selection": [sl, sc, el, ec] or null,
   "messages": [{"prompt": "...", "style": 64, "title": "..."}], "pointer": [11, 0]}

Examples:
  tandrel match examples/Orders.bas --at 29:5
      caret on the "Select" of line 29: selects from it through its "End Select"
  tandrel match examples/Orders.bas --select 49:12-49:13 --json
      the opening quotation mark selected: the string literal and its length, as JSON
  tandrel match examples/Customer.cls --at 50:5 --build vb5 --entry edit
      the VB5 add-in, run from its Edit toolbar button, on the "Next" of a For Each
  tandrel match examples/OrderForm.frm --raw --at 103:5
      the If of code line 22, numbered as a line of the file (after its 81-line header)
  tandrel match examples/Customer.cls --lines file --at 65:5
      the "Next" of code line 50, given and reported as the file numbers its lines
  tandrel match examples/Cyrillic.bas --encoding cp1251 --at 12:5
      a module saved on a Russian system, its Cyrillic names read in their own code page
  tandrel match - --lines file --at 30:5 --json < examples/Orders.bas
      the module read from standard input, as an editor passes an unsaved buffer)";

std::vector<std::string> Keys(const auto& choices) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : choices) keys.push_back(key);
  return keys;
}

std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

std::optional<Command> ParseArguments(int argc, const char* const* argv, std::ostream& out) {
  std::map<std::string, Build> builds;
  for (const deliverables::Deliverable& deliverable : deliverables::All()) {
    builds.emplace(deliverable.name, deliverable.build);
  }
  const std::map<std::string, Entry> entries{
      {"code-window", Entry::kCodeWindow}, {"add-ins", Entry::kAddIns}, {"edit", Entry::kEdit}};
  const std::map<std::string, LineNumbering> numberings{{"code-window", LineNumbering::kCodeWindow},
                                                        {"file", LineNumbering::kFile}};

  CLI::App app{kDescription, "tandrel"};
  app.set_version_flag("--version", std::string("tandrel: Tandrel ") + addin6::kVersionText +
                                        ", TandrelVB5 " + addin5::kVersionText);
  app.require_subcommand(1);
  // The same options on every system: on Windows a path may start with "/", which CLI11 would take for an
  // option there.
  app.allow_windows_style_options(false);
  app.footer(kMainFooter);
  auto* match = app.add_subcommand("match", kMatchSummary);
  match->footer(std::string(kMatchDescription) + "\n\n" + kMatchFooter);
  auto* lsp = app.add_subcommand("lsp", kLspSummary);
  lsp->footer(kLspDescription);

  MatchRequest request;
  std::string buildText = "vb6";
  std::string entryText = "code-window";
  std::string linesText = "code-window";
  match
      ->add_option(
          "FILE", request.file,
          "Module file (.bas, .cls, .frm, .ctl, .dsr or plain text), or - for standard input; e.g. - "
          "< Module1.bas")
      ->required();
  auto* at = match->add_option("--at", request.at, "Bare caret at line L, column C; e.g. --at 12:5")
                 ->type_name("L:C");
  auto* select = match
                     ->add_option("--select", request.select,
                                  "Selection from L1:C1 to L2:C2 as the code pane reports it; e.g. --select "
                                  "12:5-12:7")
                     ->type_name("L1:C1-L2:C2");
  at->excludes(select);
  match
      ->add_option(
          "--build", buildText,
          "Add-in build: vb6 (Tandrel), vb5 (TandrelVB5) or vba (TandrelVBA, the Office VBA editor's); "
          "e.g. --build vb5")
      ->check(CLI::IsMember(Keys(builds)))
      ->capture_default_str();
  match
      ->add_option("--entry", entryText,
                   "Entry clicked: code-window (context menu), add-ins (Add-Ins menu) or edit (Edit toolbar "
                   "button); e.g. --entry edit")
      ->check(CLI::IsMember(Keys(entries)))
      ->capture_default_str();
  match->add_flag("--json", request.json, "Print one JSON object instead of the human-readable report");
  match->add_flag("--raw", request.raw,
                  "Take every line of FILE, the saved header too, and count lines as the file does");
  match
      ->add_option("--encoding", request.encoding,
                   "Read FILE in this encoding (any iconv knows) unless it has a byte-order mark; e.g. "
                   "--encoding cp1251")
      ->type_name("NAME");
  match
      ->add_option("--lines", linesText,
                   "Count lines as the code window does, or as the file does (header and attribute lines "
                   "included); e.g. --lines file")
      ->check(CLI::IsMember(Keys(numberings)))
      ->capture_default_str();

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    app.exit(help, out, out);
    return std::nullopt;
  } catch (const CLI::CallForVersion& version) {
    app.exit(version, out, out);
    return std::nullopt;
  } catch (const CLI::ParseError& error) {
    if (match->parsed() == 0 && lsp->parsed() == 0 && argc > 1 && argv[1][0] != '-') {
      throw InvocationError(std::string("unknown command '") + argv[1] + "' (see --help)");
    }
    throw InvocationError(OneLine(error.what()) + " (see --help)");
  }
  if (lsp->parsed() > 0) return ServeRequest{};
  if (!request.at && !request.select) {
    throw InvocationError("match needs --at L:C or --select L1:C1-L2:C2 (see --help)");
  }
  request.build = builds.at(buildText);
  request.entry = entries.at(entryText);
  request.lines = numberings.at(linesText);
  return request;
}

}  // namespace tandrel::cli
