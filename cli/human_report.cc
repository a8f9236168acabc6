#include "cli/human_report.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cli/position.h"
#include "ide/utf8_text.h"

namespace tandrel::cli {
namespace {

constexpr std::string_view kBold = "\x1b[1m";
constexpr std::string_view kReverse = "\x1b[7m";
constexpr std::string_view kGreen = "\x1b[32m";
constexpr std::string_view kYellow = "\x1b[33m";
constexpr std::string_view kReset = "\x1b[0m";

// Spans longer than this show their first and last kEndLines lines only.
constexpr std::int32_t kLongSpan = 8;
constexpr std::int32_t kEndLines = 3;

struct Place {
  std::int32_t line;
  std::int32_t column;
  friend auto operator<=>(const Place&, const Place&) = default;
};

// A backward match sets its anchor after the partner's end, so the span runs from the lesser end.
struct Span {
  Place from;
  Place to;  // exclusive
};

Span SpanOf(const ide::Selection& selection) {
  const Place start{selection.startLine, selection.startColumn};
  const Place end{selection.endLine, selection.endColumn};
  return start <= end ? Span{start, end} : Span{end, start};
}

// Tabs would push the markers out of line, and control characters from the file (C0 and C1, which the
// undefined Windows-1252 bytes become) must not reach a terminal as escape sequences.
std::u16string Printable(std::u16string_view text) {
  std::u16string printable(text);
  for (auto& unit : printable) {
    if (unit == u'\t')
      unit = u' ';
    else if (unit < 0x20 || (unit >= 0x7F && unit < 0xA0))
      unit = u'?';
  }
  return printable;
}

// How one shown line takes part in the span.
struct LineMark {
  bool inMultiLineSpan = false;
  bool underline = false;
  std::int32_t first = 1;
  std::int32_t last = 1;
  std::int32_t markFrom = 1;
};

// The span's first line is underlined from the span's start, its last line from its first non-blank
// character; the lines between are only highlighted, so that a block reads as a block.
LineMark MarkOf(std::int32_t line, std::u16string_view text, const Span& span) {
  LineMark mark;
  if (line < span.from.line || line > span.to.line) return mark;
  const auto length = static_cast<std::int32_t>(text.size());
  mark.inMultiLineSpan = span.from.line != span.to.line;
  mark.first = line == span.from.line ? span.from.column : 1;
  mark.last = std::max(mark.first, std::min(line == span.to.line ? span.to.column : length + 1, length + 1));
  mark.markFrom = mark.first;
  if (line == span.from.line) {
    mark.underline = true;
  } else if (line == span.to.line) {
    mark.underline = true;
    const auto indent = static_cast<std::int32_t>(std::min(text.find_first_not_of(u" \t"), text.size()));
    mark.markFrom = std::min(indent + 1, std::max(mark.last - 1, 1));
  }
  return mark;
}

class Writer {
 public:
  explicit Writer(bool colour) : colour_(colour) {}

  void Styled(std::string_view style, std::string_view text) {
    if (text.empty()) return;
    if (colour_) out_ += style;
    out_ += text;
    if (colour_) out_ += kReset;
  }
  void Plain(std::string_view text) { out_ += text; }

  // One numbered line of the module. Its selected columns [first, last) are highlighted; a line inside a span
  // of several lines has a '>' in its gutter; the columns [markFrom, last) are underlined when `underline`
  // (a caret alone where the span is empty).
  void SourceLine(std::int32_t number, std::u16string_view text, const LineMark& mark) {
    const std::u16string shown = Printable(text);
    const auto cut = [&](std::int32_t column) {
      return static_cast<std::size_t>(
          std::clamp<std::int32_t>(column - 1, 0, static_cast<std::int32_t>(shown.size())));
    };
    const std::u16string_view view = shown;
    Gutter(std::to_string(number), mark.inMultiLineSpan ? ">" : "|");
    Plain(ide::ToUtf8(view.substr(0, cut(mark.first))));
    Styled(kReverse, ide::ToUtf8(view.substr(cut(mark.first), cut(mark.last) - cut(mark.first))));
    Plain(ide::ToUtf8(view.substr(cut(mark.last))));
    Plain("\n");
    if (mark.underline) {
      Gutter("", mark.inMultiLineSpan ? ">" : "|");
      Plain(std::string(static_cast<std::size_t>(mark.markFrom - 1), ' '));
      Styled(kGreen,
             "^" + std::string(static_cast<std::size_t>(std::max(mark.last - mark.markFrom - 1, 0)), '~'));
      Plain("\n");
    }
  }
  void Gutter(const std::string& label, std::string_view separator) {
    Plain(std::string(label.size() < 6 ? 6 - label.size() : 0, ' ') + label + " ");
    Styled(kGreen, separator);
    Plain(" ");
  }

  std::string Text() && { return std::move(out_); }

 private:
  bool colour_;
  std::string out_;
};

void WriteLines(Writer& writer, const ModuleSource& module, LineNumbering numbering, const Span& span) {
  const std::int32_t count = module.LineCount(numbering);
  if (count == 0) {
    writer.Plain("       (the module has no lines)\n");
    return;
  }
  const std::int32_t first = std::max(1, span.from.line - 1);
  const std::int32_t last = std::min(count, span.to.line + 1);
  const bool elide = span.to.line - span.from.line + 1 > kLongSpan;
  for (std::int32_t line = first; line <= last; ++line) {
    if (elide && line == span.from.line + kEndLines) {
      const std::int32_t skipped = span.to.line - span.from.line + 1 - 2 * kEndLines;
      writer.Gutter("...", ">");
      writer.Plain("(" + std::to_string(skipped) + " more lines)\n");
      line = span.to.line - kEndLines;
      continue;
    }
    const std::u16string_view text = module.LineText(line, numbering);
    writer.SourceLine(line, text, MarkOf(line, text, span));
  }
}

const char* IconName(std::int32_t style) {
  switch (style) {
    case ide::kMsgBoxInformation:
      return "information";
    case ide::kMsgBoxExclamation:
      return "exclamation";
    case ide::kMsgBoxStop:
      return "stop";
    default:
      return "no icon";
  }
}

void WriteMessage(Writer& writer, const sim::MessageBox& box) {
  writer.Styled(kYellow, "message box \"" + ide::ToUtf8(Printable(box.title)) + "\"");
  writer.Plain(std::string(" (") + IconName(box.style) + "):\n");
  std::u16string_view prompt = box.prompt;
  while (true) {
    const auto end = prompt.find(u"\r\n");
    const auto line = ide::ToUtf8(Printable(prompt.substr(0, end)));
    writer.Plain(line.empty() ? "\n" : "    " + line + "\n");
    if (end == std::u16string_view::npos) break;
    prompt.remove_prefix(end + 2);
  }
}

// "9-line header and 2 attribute lines": what the code window leaves out of the file.
std::string HiddenLines(const ModuleSource& module) {
  std::string hidden;
  if (module.HeaderLines() > 0) hidden = std::to_string(module.HeaderLines()) + "-line header";
  if (module.AttributeLines() > 0) {
    if (!hidden.empty()) hidden += " and ";
    hidden += std::to_string(module.AttributeLines()) +
              (module.AttributeLines() == 1 ? " attribute line" : " attribute lines");
  }
  return hidden;
}

}  // namespace

std::string HumanReport(const std::string& fileName, const ModuleSource& module, LineNumbering numbering,
                        const ide::Selection& given, const MatchRun& run, bool colour) {
  Writer writer(colour);
  const ide::Selection& shown = run.selection ? *run.selection : given;
  if (run.selection) {
    writer.Styled(kBold, fileName + ":" + FormatSelection(shown));
    writer.Plain(": selected by the add-in\n");
  } else {
    const bool caret = given.startLine == given.endLine && given.startColumn == given.endColumn;
    writer.Styled(kBold,
                  fileName + ":" +
                      (caret ? std::to_string(given.startLine) + ":" + std::to_string(given.startColumn)
                             : FormatSelection(given)));
    writer.Plain(": no selection set\n");
  }
  if (numbering == LineNumbering::kCodeWindow && module.HeaderLines() + module.AttributeLines() > 0) {
    writer.Plain("note: lines are numbered as in the code window, without the file's " + HiddenLines(module) +
                 " (--lines file counts them)\n");
  }
  WriteLines(writer, module, numbering, SpanOf(shown));
  for (const auto& box : run.messages) WriteMessage(writer, box);
  return std::move(writer).Text();
}

}  // namespace tandrel::cli
