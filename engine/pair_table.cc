#include "engine/pair_table.h"

namespace tandrel::engine {
namespace {

constexpr std::u16string_view kPairs[][2] = {
    {u"\"", u"\""},
    {u"(", u")"},
    {u"If", u"End If"},
    {u"Then", u"End If"},
    {u"Else", u"End If"},
    {u"For", u"Next"},
    {u"Select", u"End Select"},
    {u"While", u"Wend"},
    {u"Do", u"Loop"},
    {u"Function", u"End Function"},
    {u"Property", u"End Property"},
    {u"Sub", u"End Sub"},
    {u"Type", u"End Type"},
    {u"With", u"End With"},
    {u"ElseIf", u"End If"},
    {u"Class", u"End Class"},
    {u"Enum", u"End Enum"},
    {u"Get", u"End Get"},
    {u"Property", u"End Property"},
    {u"Set", u"End Set"},
    {u"Module", u"End Module"},
    {u"Structure", u"End Structure"},
    {u"CASE", u"END"},
    {u"BEGIN", u"END"},
    {u"case", u"end"},
    {u"begin", u"end"},
};
static_assert(std::size(kPairs) == kPairRows - 1, "the last row stays empty");

}  // namespace

void FillPairTable(PairTable& table) {
  for (std::size_t row = 0; row < std::size(kPairs); ++row) {
    table[row][0] = kPairs[row][0];
    table[row][1] = kPairs[row][1];
  }
}

std::u16string FindPartner(std::u16string_view word, const PairTable& table, std::int32_t& direction) {
  for (const auto& row : table) {
    if (word == row[0]) {
      direction = 1;
      return row[1];
    }
    if (word == row[1]) {
      direction = -1;
      return row[0];
    }
  }
  return {};
}

}  // namespace tandrel::engine
