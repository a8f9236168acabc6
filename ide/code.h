#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tandrel::ide {

class CodeModule;

// A selection as the code pane reports it: 1-based, start before end. A bare caret has equal start and end.
struct Selection {
  std::int32_t startLine = 0;
  std::int32_t startColumn = 0;
  std::int32_t endLine = 0;
  std::int32_t endColumn = 0;

  friend bool operator==(const Selection&, const Selection&) = default;
};

// The code window that has (or had) the focus: where the caret is read and the partner is selected.
class CodePane {
 public:
  virtual ~CodePane() = default;

  virtual Selection GetSelection() = 0;
  virtual void SetSelection(std::int32_t startLine, std::int32_t startColumn, std::int32_t endLine,
                            std::int32_t endColumn) = 0;
  virtual std::shared_ptr<ide::CodeModule> CodeModule() = 0;
};

// The source text behind a pane. Lines are read on demand, one call per request; nothing is copied ahead.
class CodeModule {
 public:
  virtual ~CodeModule() = default;

  // The text of `count` lines from `startLine` on, joined by CR LF.
  virtual std::u16string Lines(std::int32_t startLine, std::int32_t count) = 0;
  // The same text written over `text`, so that a caller reading line after line can lend one buffer to
  // every read. An IDE whose call hands back a string of its own has nothing to save, and copies it.
  virtual void ReadLines(std::int32_t startLine, std::int32_t count, std::u16string& text) {
    text = Lines(startLine, count);
  }
  virtual std::int32_t CountOfLines() = 0;
  virtual std::shared_ptr<ide::CodePane> CodePane() = 0;
  // How many lines a walk may ask for in one Lines call: one where each call is cheap, more where every call
  // crosses to another process or apartment and costs far more than the text it brings.
  virtual std::int32_t LinesPerRead() const { return 1; }
};

}  // namespace tandrel::ide
