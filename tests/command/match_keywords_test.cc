// The match command on keywords: nesting, single-line Ifs, Exit statements, two-word closers, conditional
// compilation and Resume Next.
#include <gtest/gtest.h>

#include "tests/command/match_table.h"

namespace tandrel::testing {
namespace {

const std::vector<std::string> kNestedIf = {
    "If a Then", "    If b Then x = 1", "    If c Then", "    End If", "End If",
};

TEST(MatchKeywords, BlocksMatchTheirPartnerAcrossNestedBlocks) {
  ExpectRows({
      // A caret on any letter, or the whole word selected.
      {kNestedIf, "1:1", "1:1-5:7"},
      {kNestedIf, "1:2", "1:1-5:7"},
      {kNestedIf, "1:1-1:3", "1:1-5:7"},
      {kNestedIf, "3:5", "3:5-4:11"},
      // Backward the anchor stays just after the closer.
      {kNestedIf, "5:1", "5:7-1:1"},
      {kNestedIf, "5:5", "5:7-1:1"},
      {kNestedIf, "5:1-5:7", "5:7-1:1"},
      {kNestedIf, "4:9", "4:11-3:5"},
      // "Then", "Else" and "ElseIf" search on for the "End If".
      {{"If a Then", "End If"}, "1:7", "1:6-2:7"},
      {{"If a Then", "Else", "    x = 1", "End If"}, "2:2", "2:1-4:7"},
      {{"If a Then", "ElseIf b Then", "End If"}, "2:1", "2:1-3:7"},
      // The other pairs.
      {{"For i = 1 To 3", "    For j = 1 To 3", "    Next", "Next"}, "1:1", "1:1-4:5"},
      {{"For i = 1 To 3", "    For j = 1 To 3", "    Next", "Next"}, "4:1", "4:5-1:1"},
      {{"For i = 1 To 3", "    For j = 1 To 3", "    Next", "Next"}, "3:5", "3:9-2:5"},
      {{"While a", "  Wend"}, "1:3", "1:1-2:7"},
      {{"Do", "    Do", "    Loop While x", "Loop Until y"}, "1:1", "1:1-4:5"},
      {{"Select Case x", "Case 1", "End Select"}, "1:3", "1:1-3:11"},
      {{"Property Get X()", "End Property"}, "1:1", "1:1-2:13"},
      {{"Public Property Let X(v)", "End Property"}, "2:5", "2:13-1:8"},
      {{"With obj", "    .x = 1", "End With"}, "3:6", "3:9-1:1"},
      {{"Private Type T", "    a As Long", "End Type"}, "1:9", "1:9-3:9"},
      {{"Enum E", "    A", "End Enum"}, "1:1", "1:1-3:9"},
      {{"CASE x", "END"}, "2:1", "2:4-1:1"},
      {{"begin", "end"}, "1:1", "1:1-2:4"},
  });
}

TEST(MatchKeywords, SingleLineIfEndsOnItsOwnThen) {
  ExpectRows({
      {{"If a Then x = 1"}, "1:1", "1:1-1:10"},
      {{"If a Then x = 1 Else y = 2"}, "1:1", "1:1-1:10"},
      {{"If a Then s = \"x\" ' c"}, "1:1", "1:1-1:10"},
      {kNestedIf, "2:5", "2:5-2:14"},
      // A "Then" followed only by spaces or a comment ends a block If's first line.
      {{"If a Then   ", "End If"}, "1:1", "1:1-2:7"},
      {{"If a Then ' note", "End If"}, "1:1", "1:1-2:7"},
      // Backward, each single-line If on the way cancels itself.
      {{"If a Then", "If b Then x", "If c Then y", "End If"}, "4:1", "4:7-1:1"},
      {{"If a Then", "    If b Then ' c", "    End If", "End If"}, "4:1", "4:7-1:1"},
  });
}

TEST(MatchKeywords, ExitStatementsAreNoBlockBoundaries) {
  ExpectRows({
      {{"Do", "    If x Then Exit Do", "Loop"}, "3:1", "3:5-1:1"},
      {{"Do", "    If x Then Exit Do", "Loop"}, "1:1", "1:1-3:5"},
      {{"Do", "Exit Do", "Loop"}, "3:1", "3:5-1:1"},
      {{"Sub A()", "    Exit Sub", "End Sub"}, "1:1", "1:1-3:8"},
      {{"Sub A()", "    Exit Sub", "End Sub"}, "3:1", "3:8-1:1"},
      {{"Function F()", "    Exit Function", "End Function"}, "3:1", "3:13-1:1"},
      {{"For i = 1 To 2", "    If i Then Exit For", "Next"}, "1:1", "1:1-3:5"},
      // Only one space may separate "Exit" from its word.
      {{"Do", "    Exit  Do", "Loop", "Loop"}, "1:1", "1:1-4:5"},
  });
}

TEST(MatchKeywords, BackwardEndJoinNeedsAStandAloneEnd) {
  ExpectRows({
      // "lEnd Then" is no "End Then".
      {{"If x <> lEnd Then", "End If"}, "2:1", "2:7-1:1"},
      {{"If x <> lEnd Then", "End If"}, "2:5", "2:7-1:1"},
      // "End While" is a closer the search does not know.
      {{"While a", "End While", "Wend"}, "3:1", "none", {kSearchError, NotFound("While", "Wend", false)}},
      {{"While a", "    End While", "Wend"}, "3:1", "none", {kSearchError, NotFound("While", "Wend", false)}},
      // Two spaces: the "If" reads as an opener.
      {{"If a Then", "End  If", "End If"}, "3:1", "3:7-2:6"},
      // After an apostrophe "End" stands alone: the nested "End Sub" leaves the "Sub" unmatched.
      {{"' Sub A()", "'End Sub", "' End Sub"}, "3:7", "none", {NotFound("Sub", "End Sub", false)}},
  });
}

TEST(MatchKeywords, SearchErrorResetsThePointerBeforeItsBox) {
  const MatchOutcome outcome = RunMatch({"While a", "End While", "Wend"}, "3:1");
  EXPECT_EQ(outcome.pointers, (std::vector<int>{11, 0, 0}));
  EXPECT_EQ(outcome.yields, 1);
}

TEST(MatchKeywords, CompilerDirectivesOpenAndCloseNoBlock) {
  const std::vector<std::string> directives = {"If a Then", "#If Win32 Then", "    x = 1", "#End If",
                                               "End If"};
  const std::vector<std::string> indented = {"    If a Then", "    #If Win32 Then", "    #Else",
                                             "    #End If", "    End If"};
  ExpectRows({
      {directives, "1:1", "1:1-5:7"},
      {directives, "5:1", "5:7-1:1"},
      {indented, "1:5", "1:5-5:11"},
      {indented, "5:5", "5:11-1:5"},
      // A one-character stop on a directive line still counts.
      {{"x = (1", "#Const A = (1", ")", ")"}, "1:5", "1:5-4:2"},
  });
}

TEST(MatchKeywords, ResumeNextIsNoLoopEnd) {
  const std::vector<std::string> onError = {"For i = 1 To 2", "    On Error Resume Next", "Next"};
  ExpectRows({
      {onError, "1:1", "1:1-3:5"},
      {onError, "3:1", "3:5-1:1"},
      {{"For i = 1 To 2", "Resume Next", "Next"}, "1:1", "1:1-3:5"},
      {{"For i = 1 To 2", "Resume Next", "Next"}, "3:1", "3:5-1:1"},
  });
}

}  // namespace
}  // namespace tandrel::testing
