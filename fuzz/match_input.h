#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ide/code.h"
#include "tests/support/addin_session.h"

namespace tandrel::fuzz {

// One click made from fuzz input. The first nine bytes choose it, the rest is the module's text:
//   byte 0       bits 0 and 4: the build (bit 0 + 2 x bit 4, modulo 3: 0 VB6, 1 VB5, 2 the VBA editor's);
//                bits 1-2: the entry (modulo 3); bit 3: 0 for a bare caret
//   at
//                the start, 1 for a selection to its own end
//   bytes 1-8    start line, start column, end line, end column, each 16 bits little-endian: a line number
//                picks a line of the module (0xFFFE and 0xFFFF pick line 0 and the line after the last); a
//                column picks one from 1 to two past its line's end (0xFFF8 and up pick far-off columns)
//   the rest     16-bit text, one unit per byte, except that 0xFF takes the next two bytes (little-endian) as
//                one unit of any value; CR, LF and CR LF end lines
// Missing bytes read as 0, so every input is one click.
struct MatchInput {
  testing::Build build = testing::Build::kVb6;
  testing::Entry entry = testing::Entry::kCodeWindow;
  std::vector<std::u16string> lines;
  ide::Selection selection;
};

MatchInput DecodeMatchInput(const std::uint8_t* data, std::size_t size);

// Whether the IDE's own pane could hold `selection` in `lines`: both ends on a line of the module (line 1 of
// an empty one), at a column from 1 to one past the line's end, the start not after the end.
bool PaneCanHold(const ide::Selection& selection, const std::vector<std::u16string>& lines);

}  // namespace tandrel::fuzz
