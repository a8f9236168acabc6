#pragma once

#include <memory>
#include <string_view>

#include "command/match_rules.h"
#include "engine/pair_table.h"
#include "ide/runtime.h"
#include "ide/vbe.h"

namespace tandrel::command {

// What the match command reads of the add-in object: all of it set at connection (any of it may still be
// empty when connection failed part way) and never written by the command.
struct MatchContext {
  std::shared_ptr<ide::VBE> vbInstance;
  const engine::PairTable& pairTable;
  std::u16string_view quoteMark;
  std::u16string_view commentMark;
  std::u16string_view aboutText;
  std::u16string_view contactAddress;
  ide::Runtime& runtime;
  const MatchRules& rules;
};

}  // namespace tandrel::command
