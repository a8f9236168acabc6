#include "bench/generated_module.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace tandrel::bench {
namespace {

// A xorshift of our own, not <random>'s distributions, whose results differ between standard libraries: the
// module must be the same text wherever it is generated.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : state_(seed == 0 ? 1U : seed) {}

  int Below(int bound) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<int>(state_ % static_cast<std::uint32_t>(bound));
  }

 private:
  std::uint32_t state_;
};

// One-line statements. Several hide block words where a search must not count them: in string literals
// (some with doubled quotation marks), in comments, and in single-line Ifs that open no block.
constexpr std::array<std::string_view, 14> kStatements = {
    "x = x + 1",
    "s = \"say \"\"hi\"\" (x)\"",
    "' note If x Then",
    "If a Then b = 1",
    "If n > 0 Then total = total + Abs(n - (i * 2)) ' note If x Then",
    "Debug.Print \"End If \"\"quoted\"\" (\" & n & \")\"",
    "Call Report(\"it's done\", (i + 1), Mid$(s, 2, 3))",
    "label = Format$(total, \"0.00\") & \" Then \"  ' If Then End If",
    "total = total + Sqr(Abs(n * (i + 1)))",
    "If IsEmpty(v) Then v = \"none\" Else v = v & \"\"\"\"",
    "items(i) = Left$(s, InStr(s, \"(\") - 1)",
    "",
    "k = (k * 31 + i) Mod 1000 ' wrap",
    "Exit Sub",
};

enum class Block { kIf, kFor, kDo, kSelect, kWith };

struct OpenBlock {
  Block kind;
  int indent;       // of the opening and closing lines
  int bodyIndent;   // of the statements inside
  int middles = 0;  // Else/ElseIf or Case lines written so far
  int bodyLines = 0;
};

class ModuleWriter {
 public:
  void Write(int indent, std::string_view text) {
    std::u16string line(text.empty() ? 0U : static_cast<std::size_t>(indent), u' ');
    line.append(text.begin(), text.end());
    lines_.push_back(std::move(line));
  }
  int Count() const { return static_cast<int>(lines_.size()); }
  std::vector<std::u16string> Take() { return std::move(lines_); }

 private:
  std::vector<std::u16string> lines_;
};

// The chance in a hundred, per line, of opening a block at each nesting depth: blocks in real code nest a few
// levels deep, rarely more.
constexpr std::array<int, 6> kOpenChance = {16, 13, 10, 7, 4, 2};
constexpr int kCloseChance = 15;
// An opening takes at most two lines (Select Case and its first Case), and the block needs a body line and
// its closing line.
constexpr int kLinesToOpen = 4;

OpenBlock Open(Block kind, int indent, ModuleWriter& out) {
  switch (kind) {
    case Block::kIf:
      out.Write(indent, "If (i Mod 3) = 0 And s <> \"\" Then");
      break;
    case Block::kFor:
      out.Write(indent, "For i = 1 To UBound(items)");
      break;
    case Block::kDo:
      out.Write(indent, "Do While k < Len(s) ' If k Then");
      break;
    case Block::kSelect:
      out.Write(indent, "Select Case k");
      out.Write(indent + 4, "Case 1, 2");
      return {kind, indent, indent + 8};
    case Block::kWith:
      out.Write(indent, "With items(i)");
      break;
  }
  return {kind, indent, indent + 4};
}

void Close(const OpenBlock& block, ModuleWriter& out) {
  constexpr std::array<std::string_view, 5> kClosers = {"End If", "Next i", "Loop", "End Select", "End With"};
  out.Write(block.indent, kClosers[static_cast<std::size_t>(block.kind)]);
}

// A line inside a block that neither opens nor closes it: an Else or ElseIf branch, another Case.
bool WriteMiddle(OpenBlock& block, Dice& dice, ModuleWriter& out) {
  if (block.kind == Block::kIf && block.middles == 0) {
    out.Write(block.indent, dice.Below(2) == 0 ? "ElseIf k = 2 Then" : "Else");
  } else if (block.kind == Block::kSelect && block.middles < 3) {
    out.Write(block.indent + 4, block.middles == 2 ? "Case Else" : "Case 3 To 5");
    if (block.middles == 2) block.middles = 3;  // nothing follows Case Else
  } else {
    return false;
  }
  ++block.middles;
  block.bodyLines = 0;
  return true;
}

}  // namespace

std::vector<std::u16string> GenerateModule(std::int32_t lineCount, std::uint32_t seed) {
  ModuleWriter out;
  out.Write(0, "Public Sub Churn(ByVal n As Long)");
  out.Write(kOuterIfColumn - 1, "If n > 0 Then");

  const int bodyEnd = std::max(lineCount, kMinModuleLines) - 2;
  Dice dice(seed);
  std::vector<OpenBlock> open;
  while (out.Count() < bodyEnd) {
    const int remaining = bodyEnd - out.Count();
    const int depth = static_cast<int>(open.size());
    const int indent = open.empty() ? 2 * (kOuterIfColumn - 1) : open.back().bodyIndent;
    if (remaining == depth) {
      Close(open.back(), out);
      open.pop_back();
      continue;
    }
    const int roll = dice.Below(100);
    if (depth > 0 && open.back().bodyLines > 0 && roll < kCloseChance) {
      Close(open.back(), out);
      open.pop_back();
    } else if (depth < static_cast<int>(kOpenChance.size()) && remaining >= depth + kLinesToOpen &&
               roll >= kCloseChance && roll < kCloseChance + kOpenChance[static_cast<std::size_t>(depth)]) {
      if (!open.empty()) ++open.back().bodyLines;
      open.push_back(Open(static_cast<Block>(dice.Below(5)), indent, out));
    } else if (depth > 0 && open.back().bodyLines > 0 && remaining >= depth + 2 && roll >= 95 &&
               WriteMiddle(open.back(), dice, out)) {
    } else {
      out.Write(indent,
                kStatements[static_cast<std::size_t>(dice.Below(static_cast<int>(kStatements.size())))]);
      if (!open.empty()) ++open.back().bodyLines;
    }
  }

  out.Write(kOuterIfColumn - 1, "End If");
  out.Write(0, "End Sub");
  return out.Take();
}

std::vector<std::u16string> GenerateLargeModule() {
  return GenerateModule(kMaxModuleLines, kLargeModuleSeed);
}

}  // namespace tandrel::bench
