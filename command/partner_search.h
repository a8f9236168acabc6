#pragma once

#include <cstdint>
#include <string>

#include "command/match_context.h"
#include "ide/code.h"

namespace tandrel::command {

struct SearchRequest {
  std::int32_t startLine = 0;
  std::int32_t startColumn = 0;  // the token's first column
  std::u16string token;
  std::u16string partner;
  std::int32_t direction = 0;
};

struct SearchResult {
  bool found = false;
  std::int32_t lineNo = 0;  // where the partner (or the "Then" of a single-line If) starts, when found
  std::int32_t col = 0;
  std::u16string foundWord;
  std::u16string token;  // "Then" and "Else" search as "If"
  std::int32_t doubledQuotes = 0;
};

// Walks `module` from the token towards its partner, counting nested blocks and passing over string literals,
// comments, single-line Ifs and Exit statements. A word it cannot place shows the search-error message itself
// and ends the search as not found.
SearchResult SearchPartner(ide::CodeModule& module, SearchRequest request, const MatchContext& context);

}  // namespace tandrel::command
