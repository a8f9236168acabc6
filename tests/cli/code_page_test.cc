// How module bytes become text: which encoding the bytes choose, which the user forces, and that reading in
// pieces gives what reading at once gives.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "cli/text_encoding.h"
#include "ide/utf8_text.h"

namespace tandrel::cli {
namespace {

using namespace std::string_view_literals;

struct CodePageRow {
  const char* name;
  std::string encoding;  // empty: the bytes decide
  std::string_view bytes;
  std::u16string text;  // empty with an error
  std::string error = {};
};

// Parameterised tests are listed under the row's name.
void PrintTo(const CodePageRow& row, std::ostream* out) { *out << row.name; }

class CodePageTest : public ::testing::TestWithParam<CodePageRow> {};

TEST_P(CodePageTest, ReadsTheTextOrNamesTheByte) {
  const auto& row = GetParam();
  std::string result;
  try {
    result = ide::ToUtf8(DecodeModuleBytes(row.bytes, row.encoding));
  } catch (const EncodingError& error) {
    result = std::string("error: ") + error.what();
  }
  EXPECT_EQ(result, row.error.empty() ? ide::ToUtf8(row.text) : "error: " + row.error);
}

INSTANTIATE_TEST_SUITE_P(
    BytesDecide, CodePageTest,
    ::testing::Values(
        CodePageRow{"Utf8Cyrillic", "", "\xD0\x9F\xD1\x80\xD0\xB8 = 1"sv, u"\u041F\u0440\u0438 = 1"},
        CodePageRow{"Utf8BeyondThePlane", "", "x = \"\xF0\x9F\x98\x80\""sv, u"x = \"\U0001F600\""},
        // One byte that UTF-8 does not allow makes the whole text Windows-1252, UTF-8-looking pairs before it
        // included: the IDE wrote all of it in one code page.
        CodePageRow{"Utf8PairThenStrayByte", "", "\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xE9"sv,
                    u"\u00C3\u00A9 \u00E2\u201A\u00AC \u00F0\u0178\u02DC\u20AC \u00E9"},
        CodePageRow{"Utf8PairThenStrayByteInside", "", "\xD0\x9F\xD1\x80 \xE9z"sv,
                    u"\u00D0\u0178\u00D1\u20AC \u00E9z"},
        CodePageRow{"Utf8PairThenCutSequenceAtTheEnd", "", "\xC3\xA9\xE2\x82"sv, u"\u00C3\u00A9\u00E2\u201A"},
        CodePageRow{"CutSequenceAlone", "", "ab\xC3"sv, u"ab\u00C3"},
        CodePageRow{"Overlong", "", "\xC0\xAF"sv, u"\u00C0\u00AF"},
        CodePageRow{"EncodedSurrogate", "", "\xED\xA0\x80"sv, u"\u00ED\u00A0\u20AC"},
        CodePageRow{"PastTheLastCodePoint", "", "\xF4\x90\x80\x80"sv, u"\u00F4\u0090\u20AC\u20AC"},
        CodePageRow{"StrayContinuationByte", "", "a\x80z"sv, u"a\u20ACz"},
        // A long ASCII run before the first byte beyond it: the quick path must hand over mid-block.
        CodePageRow{"LongAsciiThenWindows1252", "", "If x Then y = 1 ' comment\xA7"sv,
                    u"If x Then y = 1 ' comment\u00A7"},
        CodePageRow{"LongAsciiThenUtf8", "", "If x Then y = 1 ' comment \xC2\xA7"sv,
                    u"If x Then y = 1 ' comment \u00A7"},
        // Sixteen bytes are taken at once while they are ASCII: a byte beyond it at either end of such a
        // block must stop the block.
        CodePageRow{"Windows1252ByteOpensABlock", "",
                    "\x80"
                    "123456789abcdef"sv,
                    u"\u20AC123456789abcdef"},
        CodePageRow{"Windows1252ByteClosesABlock", "", "123456789abcdef\x80"sv, u"123456789abcdef\u20AC"},
        CodePageRow{"Utf8SequenceOpensABlock", "",
                    "\xC3\xA9"
                    "3456789abcdef0"sv,
                    u"\u00E93456789abcdef0"},
        CodePageRow{"Utf8SequenceClosesABlock", "", "3456789abcdef0\xC3\xA9"sv, u"3456789abcdef0\u00E9"}));

INSTANTIATE_TEST_SUITE_P(
    Forced, CodePageTest,
    ::testing::Values(CodePageRow{"Cyrillic", "cp1251", "s = \"\xCF\xF0\xE8\xE2\xE5\xF2\""sv,
                                  u"s = \"\u041F\u0440\u0438\u0432\u0435\u0442\""},
                      CodePageRow{"CentralEuropean", "cp1250", "\x8A\xE8"sv, u"\u0160\u010D"},
                      CodePageRow{"Greek", "cp1253", "\xC4\xE9\xE1"sv, u"\u0394\u03B9\u03B1"},
                      CodePageRow{"Turkish", "cp1254", "\xDD\xFE"sv, u"\u0130\u015F"},
                      CodePageRow{"Japanese", "cp932", "s = \"\x93\xFA\x96\x7B\""sv, u"s = \"\u65E5\u672C\""},
                      CodePageRow{"Chinese", "gbk", "\xD6\xD0\xCE\xC4"sv, u"\u4E2D\u6587"},
                      CodePageRow{"Korean", "cp949", "\xC7\xD1"sv, u"\uD55C"},
                      CodePageRow{"NamesAreCaseBlind", "CP1251", "\xCF"sv, u"\u041F"},
                      // Windows-1252 named reads as the IDE reads it, the undefined bytes as C1 controls,
                      // even where the bytes would be UTF-8.
                      CodePageRow{"NamedWindows1252", "cp1252", "a\x81"sv, u"a\u0081"},
                      CodePageRow{"NamedWindows1252OverUtf8", "Windows-1252", "\xD0\x90"sv, u"\u00D0\u0090"},
                      // A byte-order mark says more than a name given for all files.
                      CodePageRow{"MarkBeatsTheName", "cp1251", "\xEF\xBB\xBF\xD0\x9F"sv, u"\u041F"},
                      CodePageRow{"Utf16MarkBeatsTheName", "cp932", "\xFF\xFEx\0"sv, u"x"},
                      // Bytes the named encoding does not allow are an error at their offset, never a guess.
                      CodePageRow{"UndefinedByte", "cp1251", "ab\x98"sv, u"", "invalid cp1251 at byte 2"},
                      CodePageRow{"CutDoubleByte", "cp932", "ab\x93"sv, u"", "incomplete cp932 at byte 2"},
                      CodePageRow{"BadTrailByte", "cp932", "abc\x93\x20"sv, u"", "invalid cp932 at byte 3"},
                      CodePageRow{"ForcedUtf8", "UTF-8", "ok\xE9z"sv, u"", "invalid UTF-8 at byte 2"},
                      CodePageRow{"UnknownName", "klingon", "x"sv, u"",
                                  "iconv knows no encoding 'klingon' (iconv --list shows those it knows)"}));

// Files and standard input arrive in pieces of any size: every way of cutting the bytes in two, and a
// byte at a time, gives the text (or the error) of reading them at once.
TEST(ModuleDecoderTest, PiecesGiveWhatTheWholeGives) {
  struct PieceRow {
    const char* name;
    std::string encoding;
    std::string_view bytes;
  };
  const std::vector<PieceRow> rows = {
      {"Ascii", "", "If a Then\r\n    b = 1\r\nEnd If\r\n"sv},
      {"Utf8", "", "\xD0\x9F\xD1\x80\xD0\xB8\xE2\x82\xAC\xF0\x9F\x98\x80 = 1\r\n"sv},
      {"Utf8ThenNot", "", "\xD0\x9F \xF0\x9F\x98\x80 x\xE9y"sv},
      {"Windows1252", "", "caf\xE9 \x80\x81"sv},
      {"Utf8Mark", "", "\xEF\xBB\xBF\xD0\x9F\xD1\x80"sv},
      {"Utf8MarkBroken", "", "\xEF\xBB\xBF\xD0\x9Fz\xD1"sv},
      {"Utf16LeMark", "", std::string_view("\xFF\xFEI\0f\0=\xD8\x00\xDE", 10)},
      {"Utf16BeMarkOdd", "", std::string_view("\xFE\xFF\0I\0", 5)},
      {"ShortMarkLike", "", "\xEF\xBB"sv},
      {"Cp932", "cp932", "s = \"\x93\xFA\x96\x7B\" ' \x82\xA0"sv},
      {"Cp932Cut", "cp932", "\x93\xFA\x96"sv},
      {"Cp932Invalid", "cp932", "\x93\xFA\x93\x20"sv},
      {"Iso2022Jp", "ISO-2022-JP", "\x1B$B$3$s\x1B(Bab"sv},
  };
  const auto decode = [](const std::string& encoding, const std::vector<std::string_view>& pieces) {
    try {
      ModuleDecoder decoder(encoding);
      for (const auto piece : pieces) decoder.Decode(piece);
      return ide::ToUtf8(std::move(decoder).Finish());
    } catch (const EncodingError& error) {
      return std::string("error: ") + error.what();
    }
  };
  for (const auto& row : rows) {
    const std::string whole = decode(row.encoding, {row.bytes});
    for (std::size_t cut = 0; cut <= row.bytes.size(); ++cut) {
      EXPECT_EQ(decode(row.encoding, {row.bytes.substr(0, cut), row.bytes.substr(cut)}), whole)
          << row.name << " cut at " << cut;
    }
    std::vector<std::string_view> bytes;
    for (std::size_t i = 0; i < row.bytes.size(); ++i) bytes.push_back(row.bytes.substr(i, 1));
    EXPECT_EQ(decode(row.encoding, bytes), whole) << row.name << " byte by byte";
  }
}

}  // namespace
}  // namespace tandrel::cli
