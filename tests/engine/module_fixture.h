#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sim/ide.h"
#include "tests/support/match_run.h"

namespace tandrel::testing {

// A module in a fresh in-memory IDE, for the engine operations that read lines through the port.
struct ModuleFixture {
  explicit ModuleFixture(const std::vector<std::string>& lines) {
    std::vector<std::u16string> text;
    for (const auto& line : lines) text.push_back(U16(line));
    pane = ide.AddModule(std::move(text));
    module = pane->CodeModule();
  }

  int Reads() const { return ide.CallCount("Lines"); }

  sim::Ide ide;
  std::shared_ptr<sim::Pane> pane;
  std::shared_ptr<ide::CodeModule> module;
};

inline std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += (text.empty() ? "" : " | ") + line;
  return "[" + text + "]";
}

}  // namespace tandrel::testing
