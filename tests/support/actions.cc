#include "tests/support/actions.h"

#include <type_traits>

#include "tests/support/match_run.h"

namespace tandrel::testing {
namespace {

std::string Named(const sim::ControlName& control) {
  return U8(control.bar) + " " + std::to_string(control.place);
}

}  // namespace

std::string Brief(const sim::Action& action) {
  return std::visit(
      [](const auto& done) -> std::string {
        using Done = std::decay_t<decltype(done)>;
        if constexpr (std::is_same_v<Done, sim::MessageBox>) {
          return "MsgBox " + std::to_string(done.style);
        } else if constexpr (std::is_same_v<Done, sim::PointerSet>) {
          return "Pointer " + std::to_string(done.pointer);
        } else if constexpr (std::is_same_v<Done, sim::Yield>) {
          return "DoEvents";
        } else if constexpr (std::is_same_v<Done, sim::SelectionSet>) {
          const ide::Selection& s = done.selection;
          return "SetSelection " + std::to_string(s.startLine) + ":" + std::to_string(s.startColumn) + "-" +
                 std::to_string(s.endLine) + ":" + std::to_string(s.endColumn);
        } else if constexpr (std::is_same_v<Done, sim::ControlAdded>) {
          return "Add " + Named(done.control);
        } else if constexpr (std::is_same_v<Done, sim::PropertySet>) {
          return done.property + " " + Named(done.control) + " = " + U8(done.value);
        } else {
          static_assert(std::is_same_v<Done, sim::ControlDeleted>);
          return "Delete " + Named(done.control);
        }
      },
      action);
}

std::vector<std::string> Briefs(const std::vector<sim::Action>& actions) {
  std::vector<std::string> briefs;
  for (const auto& action : actions) briefs.push_back(Brief(action));
  return briefs;
}

}  // namespace tandrel::testing
