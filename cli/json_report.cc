#include "cli/json_report.h"

#include <nlohmann/json.hpp>

#include "ide/utf8_text.h"

namespace tandrel::cli {

std::string JsonReport(Build build, const MatchRun& run) {
  // Ordered, so that the keys come in the documented order rather than sorted.
  nlohmann::ordered_json report;
  report["build"] = deliverables::Of(build).name;
  if (run.selection) {
    const auto& s = *run.selection;
    report["selection"] = {s.startLine, s.startColumn, s.endLine, s.endColumn};
  } else {
    report["selection"] = nullptr;
  }
  report["messages"] = nlohmann::ordered_json::array();
  for (const auto& box : run.messages) {
    report["messages"].push_back(nlohmann::ordered_json{
        {"prompt", ide::ToUtf8(box.prompt)}, {"style", box.style}, {"title", ide::ToUtf8(box.title)}});
  }
  report["pointer"] = run.pointers;
  return report.dump() + "\n";
}

}  // namespace tandrel::cli
