#include "fuzz/match_input.h"

#include <array>
#include <limits>

#include "sim/module_text.h"

namespace tandrel::fuzz {
namespace {

constexpr std::size_t kHeaderBytes = 9;
constexpr char16_t kUnitEscape = 0xFF;

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte(std::size_t at) const { return at < size_ ? data_[at] : 0; }
  std::uint16_t Word(std::size_t at) const {
    return static_cast<std::uint16_t>(Byte(at) | static_cast<unsigned>(Byte(at + 1)) << 8U);
  }
  std::size_t Size() const { return size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

std::u16string DecodeText(const Bytes& bytes) {
  std::u16string text;
  for (std::size_t at = kHeaderBytes; at < bytes.Size(); ++at) {
    if (bytes.Byte(at) == kUnitEscape) {
      text.push_back(static_cast<char16_t>(bytes.Word(at + 1)));
      at += 2;
    } else {
      text.push_back(bytes.Byte(at));
    }
  }
  return text;
}

std::int32_t LineCount(const std::vector<std::u16string>& lines) {
  return static_cast<std::int32_t>(lines.size());
}

std::int32_t PickLine(std::uint16_t choice, const std::vector<std::u16string>& lines) {
  if (choice == 0xFFFE) return 0;
  if (choice == 0xFFFF) return LineCount(lines) + 1;
  return 1 + choice % std::max(LineCount(lines), 1);
}

std::int32_t LineLength(std::int32_t lineNo, const std::vector<std::u16string>& lines) {
  return lineNo >= 1 && lineNo <= LineCount(lines)
             ? static_cast<std::int32_t>(lines[static_cast<std::size_t>(lineNo) - 1].size())
             : 0;
}

std::int32_t PickColumn(std::uint16_t choice, std::int32_t length) {
  constexpr std::uint16_t kFarOff = 0xFFF8;
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  if (choice < kFarOff) return 1 + choice % (length + 2);
  const std::array<std::int32_t, 8> farOff = {
      0, -1, std::numeric_limits<std::int32_t>::min(), kMax, kMax - 3, length + 3, 65536, 1 << 20};
  return farOff[choice - kFarOff];
}

}  // namespace

MatchInput DecodeMatchInput(const std::uint8_t* data, std::size_t size) {
  const Bytes bytes(data, size);
  MatchInput input;
  const std::uint8_t choice = bytes.Byte(0);
  // Bit 0 and bit 4 make a number from 0 to 3, taken modulo the three builds.
  input.build = static_cast<testing::Build>(((choice & 1U) | (choice >> 3U & 2U)) % 3U);
  input.entry = static_cast<testing::Entry>((choice >> 1U & 3U) % 3U);
  input.lines = sim::SplitLines(DecodeText(bytes));

  ide::Selection& selection = input.selection;
  selection.startLine = PickLine(bytes.Word(1), input.lines);
  selection.startColumn = PickColumn(bytes.Word(3), LineLength(selection.startLine, input.lines));
  if ((choice & 8U) == 0) {
    selection.endLine = selection.startLine;
    selection.endColumn = selection.startColumn;
  } else {
    selection.endLine = PickLine(bytes.Word(5), input.lines);
    selection.endColumn = PickColumn(bytes.Word(7), LineLength(selection.endLine, input.lines));
  }
  return input;
}

bool PaneCanHold(const ide::Selection& selection, const std::vector<std::u16string>& lines) {
  const auto holds = [&](std::int32_t lineNo, std::int32_t col) {
    return lineNo >= 1 && lineNo <= std::max(LineCount(lines), 1) && col >= 1 &&
           col <= LineLength(lineNo, lines) + 1;
  };
  const bool ordered =
      selection.startLine < selection.endLine ||
      (selection.startLine == selection.endLine && selection.startColumn <= selection.endColumn);
  return holds(selection.startLine, selection.startColumn) && holds(selection.endLine, selection.endColumn) &&
         ordered;
}

}  // namespace tandrel::fuzz
