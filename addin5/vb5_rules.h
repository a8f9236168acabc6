#pragma once

#include "command/match_rules.h"

namespace tandrel::addin5 {

// The VB5 build's match rules: its own reverse search; a line's comment is simply its first comment mark,
// skipped by a backward walk only when no quotation mark comes before it; and a "Then" line is cut before its
// first comment mark in a search from a comment line too.
extern const command::MatchRules kVb5Rules;

}  // namespace tandrel::addin5
