#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ide/code.h"

namespace tandrel::engine {

// A line as read from the module: a text of its own, or a part of a block's text that the block keeps. Where
// its first non-space character stands (Len + 1 when the line is blank) is worked out on the first request:
// searches ask it at every stop, and a line can be long.
class ModuleLine {
 public:
  explicit ModuleLine(std::u16string lineText) : own_(std::move(lineText)), text_(own_), owns_(true) {}
  explicit ModuleLine(std::u16string_view inBlock) : text_(inBlock) {}
  ModuleLine(ModuleLine&& other) noexcept
      : own_(std::move(other.own_)), text_(other.owns_ ? own_ : other.text_), owns_(other.owns_) {}
  ModuleLine& operator=(ModuleLine&&) = delete;

  std::u16string_view Text() const { return text_; }
  bool OwnsText() const { return owns_; }
  std::int32_t FirstNonSpace() const;
  // Trades texts with another read: the line, which owns its text, takes `lineText` and hands back its old
  // text, whose room the next read can use.
  void Exchange(std::u16string& lineText) {
    own_.swap(lineText);
    text_ = own_;
    firstNonSpace_ = 0;
  }

 private:
  std::u16string own_;
  std::u16string_view text_;
  bool owns_ = false;
  mutable std::int32_t firstNonSpace_ = 0;  // 0 until asked
};

// The text of one line as a walk holds it. Several holders share one read; a search may shorten its own view
// (to drop a trailing comment) without touching the line it came from.
class LineText {
 public:
  LineText() = default;
  explicit LineText(std::shared_ptr<const ModuleLine> line)
      : line_(std::move(line)), length_(line_ ? line_->Text().size() : 0) {}

  std::u16string_view View() const {
    return line_ ? std::u16string_view(line_->Text()).substr(0, length_) : u"";
  }
  std::int32_t Length() const { return static_cast<std::int32_t>(length_); }
  // The whole line as read, before any cut.
  std::u16string_view Whole() const { return line_ ? std::u16string_view(line_->Text()) : u""; }
  // The column of the first character that is not a space; beyond Length() when the text is blank.
  std::int32_t FirstNonSpace() const { return line_ ? line_->FirstNonSpace() : 1; }
  bool IsBlank() const { return FirstNonSpace() > Length(); }
  // True when this is the whole of `line`, not cut.
  bool IsWhole(const ModuleLine* line) const {
    return line_.get() == line && line && length_ == line->Text().size();
  }
  // Keeps only the first `length` characters.
  void Cut(std::int32_t length) {
    length_ = std::min(length_, static_cast<std::size_t>(std::max(length, 0)));
  }

 private:
  std::shared_ptr<const ModuleLine> line_;
  std::size_t length_ = 0;
};

// Reads the lines of a code module for one walk. The module is never copied: where the module reads a line
// per call cheaply, one line is read at a time; where it takes more (through COM), a block of lines in the
// walk's direction, growing as the walk goes on, split at the IDE's line breaks. The lines read last are
// kept, so that a walk that asks for the line it stands on again (as each word search does when it starts)
// does not read it twice. Nothing changes the module while a walk runs (it does not yield), so the line count
// is read once.
class ModuleLines {
 public:
  explicit ModuleLines(ide::CodeModule& module) : module_(module) {}

  LineText Line(std::int32_t lineNo);
  // Makes `text` line `lineNo`, sharing the line already held when it is that line. A read no walk holds
  // any more takes the next line's text in place.
  void Load(LineText& text, std::int32_t lineNo);
  std::int32_t CountOfLines();

 private:
  // Reads a block of lines around `lineNo` in the walk's direction; false when the block did not hold it.
  bool ReadBlock(std::int32_t lineNo);

  ide::CodeModule& module_;
  std::int32_t count_ = -1;  // -1 until read
  std::int32_t cachedLineNo_ = 0;
  std::shared_ptr<ModuleLine> cachedLine_;
  // The block read last, from line blockFirst_ on, and how many lines the next block may hold. Its lines are
  // handed out as pointers that share the block's ownership: no line of a block is allocated on its own.
  struct Block {
    std::u16string text;
    std::vector<ModuleLine> lines;
  };
  std::int32_t blockFirst_ = 0;
  std::shared_ptr<Block> block_;
  std::int32_t nextBlockSize_ = 16;
  // Where the next line is read to. It is a line's text only once the read succeeded: a read that fails
  // leaves the line held before as it was.
  std::u16string spare_;
};

}  // namespace tandrel::engine
