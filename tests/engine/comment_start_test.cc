#include "engine/comment_start.h"

#include <gtest/gtest.h>

#include "tests/support/match_run.h"

namespace tandrel::engine {
namespace {

using testing::U16;

struct CommentRow {
  std::string line;
  std::int32_t start;
};

TEST(FindCommentStart, FindsTheFirstApostropheOutsideAStringLiteral) {
  const std::vector<CommentRow> rows = {
      {"x = 1 ' note", 7},
      {"' whole line", 1},
      {"    ' indented", 5},
      {"x = 1 '' twice", 7},
      {"x = 1", 0},
      {"", 0},
      // Apostrophes inside literals do not count; doubled quotation marks flip twice.
      {"x = \"it's\"", 0},
      {"x = \"it's\" ' c", 12},
      {"x = \"a\"\"b\" ' c", 12},
      {"\"\"\"\"'", 5},
      {"\"'\"'", 4},
      {"\"\"\"'\"", 0},
      // A literal left open runs to the line's end.
      {"x = \"open ' c", 0},
      // Only the mark: the keyword form is not a comment.
      {"Rem x", 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FindCommentStart(U16(row.line), u"\"", u"'"), row.start) << "line '" << row.line << "'";
  }
}

}  // namespace
}  // namespace tandrel::engine
