#include "command/partner_search.h"

#include <optional>
#include <vector>

#include "command/long_arithmetic.h"
#include "command/messages.h"
#include "engine/basic_text.h"
#include "engine/module_lines.h"
#include "engine/scan_position.h"
#include "engine/word_search.h"

namespace tandrel::command {
namespace {

using namespace std::string_view_literals;

using engine::Len;
using engine::Mid;
using engine::Text;

// A comment line's text begins, after its leading spaces, with the comment mark.
bool IsCommentLine(const engine::LineText& text, Text commentMark) {
  return engine::HoldsMark(text.View(), text.FirstNonSpace(), commentMark);
}

// What the search asks of the line it stands on, worked out once per line: a line can be long and a search
// can stop on it many times. It refers to the text held by the scan position, and is made anew whenever the
// position stands on another line.
class LineFacts {
 public:
  LineFacts(std::int32_t lineNo, const engine::LineText& line)
      : lineNo_(lineNo), line_(line.Whole()), firstNonSpace_(line.FirstNonSpace()) {}

  std::int32_t LineNo() const { return lineNo_; }
  Text Line() const { return line_; }

  // Conditional compilation (#If, #Else, #End If, #Const) opens and closes no block.
  bool IsDirectiveLine() const { return engine::HoldsMark(Line(), firstNonSpace_, u"#"sv); }

  const LineComment& Comment(const MatchContext& context) {
    if (!comment_) comment_ = context.rules.findComment(Line(), context.quoteMark, context.commentMark);
    return *comment_;
  }
  // Len(RTrim(Left(line, commentStart - 1))): the line with its comment cut off.
  std::int32_t CodeLength(const MatchContext& context) {
    if (!codeLength_) codeLength_ = Len(engine::RTrim(engine::Left(Line(), Comment(context).start - 1)));
    return *codeLength_;
  }
  std::int32_t TrimmedLength() {
    if (!trimmedLength_) trimmedLength_ = Len(engine::RTrim(Line()));
    return *trimmedLength_;
  }

 private:
  std::int32_t lineNo_;
  Text line_;
  std::int32_t firstNonSpace_;
  std::optional<LineComment> comment_;
  std::optional<std::int32_t> codeLength_;
  std::optional<std::int32_t> trimmedLength_;
};

// An Exit statement (Exit Do, Exit For, ...) or a Resume Next names a block word without opening or closing
// one.
bool IsStatementWord(Text line, std::int32_t col, Text word) {
  if (col >= 6 && engine::Trim(Mid(line, col - 5, 4)) == u"Exit"sv) return true;
  return word == u"Next"sv && col >= 8 && Mid(line, col - 7, 7) == u"Resume "sv;
}

// A backward walk meets the second word of "End If" first. "End" must stand alone, as the word search knows a
// whole word, or ‹lEnd·Then› would read as "End Then".
bool FollowsStandAloneEnd(Text line, std::int32_t col) {
  return col >= 5 && Mid(line, col - 4, 3) == u"End"sv && engine::StartsWholeWord(line, col - 4);
}

class PartnerSearch {
 public:
  PartnerSearch(ide::CodeModule& module, SearchRequest request, const MatchContext& context)
      : lines_(module), request_(std::move(request)), context_(context) {}

  SearchResult Run();

 private:
  enum class Outcome { kContinue, kFound, kNotFound };
  // The case a stop falls to: the first of "Then", the partner, the token and the two marks that its word
  // equals.
  enum class Stop { kThen, kPartner, kToken, kQuote, kComment, kUnplaced };

  LineFacts& Facts();
  engine::WordList Words() const;
  Stop StopOf(std::u16string_view word) const;
  Outcome Dispatch(std::u16string_view found, Stop stop);
  Outcome Then(bool directive);
  Outcome Partner(bool directive);
  Outcome Token(bool directive);
  Outcome Quote();
  Outcome Comment();
  Outcome SearchError();
  Outcome Move(bool moved) const { return moved ? Outcome::kContinue : Outcome::kNotFound; }
  bool Step(std::int64_t stepSize) { return engine::StepPosition(position_, CheckedLong(stepSize), lines_); }
  bool NextLine() { return engine::MoveToNextLine(position_, lines_); }
  bool Forward() const { return position_.direction == 1; }

  engine::ModuleLines lines_;
  SearchRequest request_;
  const MatchContext& context_;
  engine::ScanPosition position_;
  std::optional<LineFacts> facts_;
  bool commentMode_ = false;
  std::int32_t depth_ = 0;
  std::int32_t doubledQuotes_ = 0;
  // The word of the current stop: a word of the list, or "End " joined with one, held in joinedWord_.
  std::u16string_view foundWord_;
  std::u16string joinedWord_;
  // Where a backward walk last jumped from column 1 to the line's last quotation mark, and at what depth.
  std::optional<std::pair<std::int32_t, std::int32_t>> lastJump_;
};

LineFacts& PartnerSearch::Facts() {
  if (!facts_ || facts_->LineNo() != position_.lineNo) facts_.emplace(position_.lineNo, position_.lineText);
  return *facts_;
}

engine::WordList PartnerSearch::Words() const {
  std::vector<std::u16string> words{request_.token, request_.partner};
  if (request_.token == u"If"sv || request_.partner == u"If"sv) words.emplace_back(u"Then");
  words.emplace_back(context_.quoteMark);
  words.emplace_back(context_.commentMark);
  return engine::WordList(std::move(words));
}

PartnerSearch::Stop PartnerSearch::StopOf(std::u16string_view word) const {
  if (word == u"Then"sv) return Stop::kThen;
  if (word == request_.partner) return Stop::kPartner;
  if (word == request_.token) return Stop::kToken;
  if (word == context_.quoteMark) return Stop::kQuote;
  if (word == context_.commentMark) return Stop::kComment;
  return Stop::kUnplaced;
}

SearchResult PartnerSearch::Run() {
  lines_.Load(position_.lineText, request_.startLine);
  position_.lineNo = request_.startLine;
  position_.direction = request_.direction;
  commentMode_ = IsCommentLine(position_.lineText, context_.commentMark);
  // "Else" and "Then" search for the "End If" of their If, counting nested Ifs.
  if (request_.token == u"Else"sv || request_.token == u"Then"sv) request_.token = u"If"sv;
  position_.col = CheckedLong(std::int64_t{request_.startColumn} + request_.direction);

  // Each word of the list falls to the same case at every stop, so the case is settled once per word.
  const engine::WordList words = Words();
  std::vector<Stop> stops;
  for (const auto& word : words.Words()) stops.push_back(StopOf(word));

  Outcome outcome = Outcome::kContinue;
  while (outcome == Outcome::kContinue) {
    if (!Forward() && position_.col == 0) {
      if (position_.lineNo <= 1) break;
      --position_.lineNo;
      lines_.Load(position_.lineText, position_.lineNo);
      position_.col = position_.lineText.Length();
    }
    if (IsCommentLine(position_.lineText, context_.commentMark)) {
      if (!(commentMode_ ? Step(1) : NextLine())) break;
    }
    const std::u16string_view found = engine::FindNextWord(position_, words, lines_);
    if (found.empty()) break;
    // The word search hands back the list's own word, so its place in the list names its case.
    std::size_t index = 0;
    while (index < stops.size() && words.Words()[index].data() != found.data()) ++index;
    outcome = Dispatch(found, index < stops.size() ? stops[index] : StopOf(found));
  }

  SearchResult result;
  result.found = outcome == Outcome::kFound;
  if (result.found) {
    result.lineNo = position_.lineNo;
    result.col = position_.col;
    result.foundWord = std::u16string(foundWord_);
  }
  result.token = request_.token;
  result.doubledQuotes = doubledQuotes_;
  return result;
}

PartnerSearch::Outcome PartnerSearch::Dispatch(std::u16string_view found, Stop stop) {
  LineFacts& facts = Facts();
  if (!Forward() && !commentMode_) {
    const LineComment& comment = facts.Comment(context_);
    if (comment.start > 0 && position_.col >= comment.start && comment.skippedBackward) {
      position_.col = comment.start - 1;
      return Outcome::kContinue;
    }
  }
  foundWord_ = found;
  if (!Forward() && found.size() > 1 && FollowsStandAloneEnd(position_.lineText.View(), position_.col)) {
    joinedWord_ = u"End ";
    joinedWord_ += found;
    foundWord_ = joinedWord_;
    position_.col -= 4;
    stop = StopOf(foundWord_);
  }
  const bool directive = foundWord_.size() > 1 && facts.IsDirectiveLine();

  switch (stop) {
    case Stop::kThen:
      return Then(directive);
    case Stop::kPartner:
      return Partner(directive);
    case Stop::kToken:
      return Token(directive);
    case Stop::kQuote:
      return Quote();
    case Stop::kComment:
      return Comment();
    case Stop::kUnplaced:
      break;
  }
  return SearchError();
}

PartnerSearch::Outcome PartnerSearch::Then(bool directive) {
  LineFacts& facts = Facts();
  std::int32_t codeLength = facts.TrimmedLength();
  if (facts.Comment(context_).start > 0 && (!commentMode_ || context_.rules.cutsThenLineInCommentMode)) {
    codeLength = facts.CodeLength(context_);
    position_.lineText.Cut(codeLength);
  }
  // Code after "Then" makes a single-line If, which its own "If" balances; a block If's "Then" ends its line.
  const bool singleLine = !directive && std::int64_t{4} + position_.col < codeLength;
  if (singleLine && !Forward()) ++depth_;
  if (singleLine && Forward()) {
    if (depth_ == 0) return Outcome::kFound;
    --depth_;
  }
  return Move(Forward() ? NextLine() : Step(1));
}

PartnerSearch::Outcome PartnerSearch::Partner(bool directive) {
  const Text line = Facts().Line();
  if (request_.partner == context_.quoteMark) {
    // A doubled quotation mark stands for one quotation mark inside the literal.
    if (!engine::HoldsMark(line, std::int64_t{position_.col} + position_.direction, context_.quoteMark)) {
      return Outcome::kFound;
    }
    ++doubledQuotes_;
    ++position_.col;
  } else if (!directive && !IsStatementWord(line, position_.col, foundWord_)) {
    if (depth_ == 0) return Outcome::kFound;
    --depth_;
  }
  return Move(Step(Len(request_.partner)));
}

PartnerSearch::Outcome PartnerSearch::Token(bool directive) {
  if (!directive && !IsStatementWord(Facts().Line(), position_.col, foundWord_)) ++depth_;
  return Move(Step(Len(request_.token)));
}

PartnerSearch::Outcome PartnerSearch::Quote() {
  const Text line = position_.lineText.View();
  if (Forward()) {
    const std::int32_t closing = engine::InStr(std::int64_t{position_.col} + 1, line, context_.quoteMark);
    position_.col = closing != 0 ? closing : Len(line);
    return Move(Step(1));
  }
  const std::int32_t from = position_.col;
  position_.col = context_.rules.reverseFind(line, context_.quoteMark, std::int64_t{from} - 1);
  if (from <= 1 && position_.col > 0) {
    // A search from column 1 that lands on the line again walks the same columns once more. If the nesting
    // count has not fallen since the last such jump on this line, it never will: the walk would not end.
    if (lastJump_ && lastJump_->first == position_.lineNo && depth_ >= lastJump_->second) {
      return Outcome::kNotFound;
    }
    lastJump_.emplace(position_.lineNo, depth_);
  }
  return Move(Step(1));
}

PartnerSearch::Outcome PartnerSearch::Comment() {
  if (request_.token == context_.quoteMark) return Move(Step(1));
  if (commentMode_) {
    if (IsCommentLine(position_.lineText, context_.commentMark)) return Outcome::kContinue;
    return Move(Step(1));
  }
  return Move(Forward() ? NextLine() : Step(1));
}

PartnerSearch::Outcome PartnerSearch::SearchError() {
  context_.runtime.SetMousePointer(ide::kPointerDefault);
  context_.runtime.MsgBox(SearchErrorMessage(context_.contactAddress), ide::kMsgBoxStop,
                          std::u16string(context_.aboutText));
  return Outcome::kNotFound;
}

}  // namespace

SearchResult SearchPartner(ide::CodeModule& module, SearchRequest request, const MatchContext& context) {
  return PartnerSearch(module, std::move(request), context).Run();
}

}  // namespace tandrel::command
