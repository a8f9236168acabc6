#include "cli/tandrel_main.h"

#include <ostream>

#include "cli/addin_host.h"
#include "cli/arguments.h"
#include "cli/failure.h"
#include "cli/human_report.h"
#include "cli/json_report.h"
#include "cli/lsp/server.h"
#include "cli/module_file.h"
#include "cli/named_decoder.h"
#include "cli/position.h"
#include "ide/utf8_text.h"

namespace tandrel::cli {
namespace {

// The position the request gives, in the code window's lines; errors name the option they are about.
ide::Selection GivenSelection(const MatchRequest& request, const ModuleSource& module) {
  const std::string option = request.at ? "--at" : "--select";
  try {
    const ide::Selection selection = request.at ? ParseCaret(*request.at) : ParseSelection(*request.select);
    return CodeWindowSelection(selection, module, request.lines);
  } catch (const InvocationError& error) {
    throw InvocationError(option + ": " + error.what());
  }
}

int Match(const MatchRequest& request, std::ostream& out, std::ostream& err, bool colour) {
  if (!request.encoding.empty() && !EncodingKnown(request.encoding)) {
    throw InvocationError("--encoding: " + UnknownEncodingMessage(request.encoding));
  }
  const ModuleSource module = LoadModule(request.file, {request.raw, request.encoding});
  const ide::Selection given = GivenSelection(request, module);
  MatchRun run = RunMatch(module.Code(), given, request.build, request.entry);
  if (run.selection) run.selection = NumberedSelection(*run.selection, module, request.lines);
  out << (request.json ? JsonReport(request.build, run)
                       : HumanReport(DisplayName(request.file), module, request.lines,
                                     NumberedSelection(given, module, request.lines), run, colour));
  if (run.failure) {
    // Not the user's doing: a valid invocation makes the add-in fail only through a fault of ours.
    err << "tandrel: the IDE raised an error during the click: " << ide::ToUtf8(*run.failure) << "\n";
    return kExitNoSelection;
  }
  return run.selection ? kExitSelectionSet : kExitNoSelection;
}

}  // namespace

int TandrelMain(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err,
                bool colour) {
  try {
    const auto command = ParseArguments(argc, argv, out);
    if (!command) return 0;  // help or version only
    if (std::holds_alternative<ServeRequest>(*command)) return lsp::ServeLanguage(in, out);
    return Match(std::get<MatchRequest>(*command), out, err, colour);
  } catch (const InvocationError& error) {
    err << "tandrel: " << error.what() << "\n";
    return kExitBadInvocation;
  } catch (const std::exception& error) {
    err << "tandrel: internal error: " << error.what() << "\n";
    return kExitNoSelection;
  }
}

}  // namespace tandrel::cli
