#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "cli/text_encoding.h"
#include "ide/utf8_text.h"

namespace tandrel::cli {
namespace {

using namespace std::string_view_literals;

struct DecodeRow {
  const char* name;
  std::string_view bytes;
  std::u16string expected;
};

// Parameterised tests are listed under the row's name.
void PrintTo(const DecodeRow& row, std::ostream* out) { *out << row.name; }

class DecodeModuleBytesTest : public ::testing::TestWithParam<DecodeRow> {};

TEST_P(DecodeModuleBytesTest, GivesTheIdesText) {
  EXPECT_EQ(DecodeModuleBytes(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, DecodeModuleBytesTest,
    ::testing::Values(
        DecodeRow{"Empty", ""sv, u""}, DecodeRow{"Ascii", "If x Then\r\n"sv, u"If x Then\r\n"},
        // Without a mark, bytes that are not UTF-8 are Windows-1252.
        DecodeRow{"Windows1252Letters", "caf\xE9 \x80 \x93q\x94"sv, u"caf\u00E9 \u20AC \u201Cq\u201D"},
        // Valid UTF-8 with a character beyond ASCII is UTF-8, as files re-saved by an editor are.
        DecodeRow{"Utf8WithoutMarkIsUtf8", "\xC3\xA9"sv, u"\u00E9"},
        DecodeRow{"Windows1252UndefinedBytesAsC1Controls", "a\x81\x8D\x8F\x90\x9Dz"sv,
                  u"a\u0081\u008D\u008F\u0090\u009Dz"},
        DecodeRow{"Utf8Mark",
                  "\xEF\xBB\xBF"
                  "caf\xC3\xA9 \xF0\x9F\x98\x80"sv,
                  u"caf\u00E9 \U0001F600"},
        DecodeRow{"Utf8MarkOnly", "\xEF\xBB\xBF"sv, u""},
        DecodeRow{"Utf16LeMark", "\xFF\xFEI\0f\0 \0\xE9\0=\xD8\x00\xDE"sv, u"If \u00E9\U0001F600"},
        DecodeRow{"Utf16BeMark", "\xFE\xFF\0I\0f\0\r\0\n"sv, u"If\r\n"},
        // A mark is only a mark at the start; later it is a character of the text.
        DecodeRow{"Utf8MarkInsideText",
                  "\xEF\xBB\xBF"
                  "a\xEF\xBB\xBF"sv,
                  u"a\uFEFF"}));

struct RejectRow {
  const char* name;
  std::string_view bytes;
  const char* message;
};

void PrintTo(const RejectRow& row, std::ostream* out) { *out << row.name; }

class DecodeRejectsTest : public ::testing::TestWithParam<RejectRow> {};

TEST_P(DecodeRejectsTest, NamesTheEncodingAndTheByte) {
  try {
    DecodeModuleBytes(GetParam().bytes);
    FAIL() << "decoded";
  } catch (const EncodingError& error) {
    EXPECT_EQ(std::string(error.what()), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(BadText, DecodeRejectsTest,
                         ::testing::Values(RejectRow{"InvalidUtf8",
                                                     "\xEF\xBB\xBF"
                                                     "ab\xFF"
                                                     "c"sv,
                                                     "invalid UTF-8 at byte 5"},
                                           RejectRow{"TruncatedUtf8",
                                                     "\xEF\xBB\xBF"
                                                     "ab\xC3"sv,
                                                     "incomplete UTF-8 at byte 5"},
                                           RejectRow{"OddUtf16",
                                                     "\xFF\xFE"
                                                     "a\0b"sv,
                                                     "incomplete UTF-16LE at byte 4"},
                                           RejectRow{"LoneLowSurrogateUtf16", "\xFE\xFF\0a\xDC\0"sv,
                                                     "invalid UTF-16BE at byte 4"}));

struct Utf8Row {
  const char* name;
  std::u16string text;
  std::string_view expected;
};

void PrintTo(const Utf8Row& row, std::ostream* out) { *out << row.name; }

class ToUtf8Test : public ::testing::TestWithParam<Utf8Row> {};

TEST_P(ToUtf8Test, GivesUtf8) { EXPECT_EQ(ide::ToUtf8(GetParam().text), GetParam().expected); }

// A selection can cut a surrogate pair in two, and the token in a message then ends in half of it.
INSTANTIATE_TEST_SUITE_P(Output, ToUtf8Test,
                         ::testing::Values(Utf8Row{"Ascii", u"End If\r\n", "End If\r\n"sv},
                                           Utf8Row{"Latin", u"caf\u00E9 \u20AC",
                                                   "caf\xC3\xA9 \xE2\x82\xAC"sv},
                                           Utf8Row{"SurrogatePair", u"\U0001F600", "\xF0\x9F\x98\x80"sv},
                                           Utf8Row{"NulKept", std::u16string(u"a\0b", 3), "a\0b"sv},
                                           Utf8Row{"LoneHighSurrogateInside",
                                                   u"a\xD83D"
                                                   u"b",
                                                   "a\xEF\xBF\xBD"
                                                   "b"sv},
                                           Utf8Row{"LoneHighSurrogateAtEnd", u"a\xD83D", "a\xEF\xBF\xBD"sv},
                                           Utf8Row{"LoneLowSurrogate", u"\xDE00z", "\xEF\xBF\xBDz"sv}));

}  // namespace
}  // namespace tandrel::cli
