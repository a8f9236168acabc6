#include "cli/tandrel_main.h"

#include <ostream>

#include "cli/addin_host.h"
#include "cli/arguments.h"
#include "cli/failure.h"
#include "cli/human_report.h"
#include "cli/json_report.h"
#include "cli/module_file.h"
#include "cli/position.h"
#include "cli/text_encoding.h"

namespace tandrel::cli {
namespace {

// The position the request gives, valid for `module`; errors name the option they are about.
ide::Selection GivenSelection(const MatchRequest& request, const ModuleSource& module) {
  const std::string option = request.at ? "--at" : "--select";
  try {
    const ide::Selection selection = request.at ? ParseCaret(*request.at) : ParseSelection(*request.select);
    CheckSelection(selection, module.lines);
    return selection;
  } catch (const InvocationError& error) {
    throw InvocationError(option + ": " + error.what());
  }
}

int Match(const MatchRequest& request, std::ostream& out, std::ostream& err, bool colour) {
  const ModuleSource module = LoadModule(request.file, request.raw);
  const ide::Selection given = GivenSelection(request, module);
  const MatchRun run = RunMatch(module.lines, given, request.build, request.entry);
  out << (request.json ? JsonReport(request.build, run)
                       : HumanReport(request.file, module, given, run, colour));
  if (run.failure) {
    // Not the user's doing: a valid invocation makes the add-in fail only through a fault of ours.
    err << "tandrel: the IDE raised an error during the click: " << ToUtf8(*run.failure) << "\n";
    return kExitNoSelection;
  }
  return run.selection ? kExitSelectionSet : kExitNoSelection;
}

}  // namespace

int TandrelMain(int argc, const char* const* argv, std::ostream& out, std::ostream& err, bool colour) {
  try {
    const auto request = ParseArguments(argc, argv, out);
    return request ? Match(*request, out, err, colour) : 0;  // help or version only
  } catch (const InvocationError& error) {
    err << "tandrel: " << error.what() << "\n";
    return kExitBadInvocation;
  } catch (const std::exception& error) {
    err << "tandrel: internal error: " << error.what() << "\n";
    return kExitNoSelection;
  }
}

}  // namespace tandrel::cli
