// Whatever bytes a file holds, reading it and checking a position on it ends in a module or in a clear
// error, never a crash: the same functions a fuzzer drives, on bytes made to look like module text.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cli/encoding_error.h"
#include "cli/failure.h"
#include "cli/module_file.h"
#include "cli/position.h"

namespace tandrel::cli {
namespace {

// Pieces a module file is made of, and bytes that trouble decoders: marks, cut sequences, line breaks in
// every form, and the lines the reader hides.
const std::vector<std::string> kPieces = {"\xEF\xBB\xBF",
                                          "\xFF\xFE",
                                          "\xFE\xFF",
                                          "\r\n",
                                          "\r",
                                          "\n",
                                          "\xC3",
                                          "\xA9",
                                          "\xE2\x82",
                                          "\xF0\x9F\x98\x80",
                                          "\xED\xA0\x80",
                                          "\x93",
                                          "\xFA",
                                          "\x81",
                                          std::string(1, '\0'),
                                          "Attribute VB_Name = \"A\"",
                                          "Attribute Item.VB_UserMemId = 0",
                                          "VERSION 5.00",
                                          "Begin VB.Form F",
                                          "End",
                                          "BeginProperty Font",
                                          "If x Then",
                                          "End If",
                                          "\"",
                                          "'",
                                          " ",
                                          "\x1B$B",
                                          "\x1B(B"};

const std::vector<std::string> kEncodings = {"", "cp932", "cp1251", "UTF-16LE", "ISO-2022-JP", "UTF-8"};

TEST(HostileBytesTest, EndInAModuleOrAnError) {
  std::uint32_t state = 0x9E3779B9U;
  const auto below = [&](std::size_t bound) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<std::size_t>(state % bound);
  };
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    for (std::size_t count = below(24); count > 0; --count) bytes += kPieces[below(kPieces.size())];
    const ReadOptions options{below(4) == 0, kEncodings[below(kEncodings.size())]};
    try {
      const ModuleSource module = ModuleFromBytes(bytes, options);
      for (const auto numbering : {LineNumbering::kCodeWindow, LineNumbering::kFile}) {
        const auto line = static_cast<std::int32_t>(below(6));
        const auto column = static_cast<std::int32_t>(below(30));
        try {
          const ide::Selection code = CodeWindowSelection({line, column, line, column}, module, numbering);
          EXPECT_EQ(NumberedSelection(code, module, numbering), (ide::Selection{line, column, line, column}));
        } catch (const InvocationError&) {
        }
      }
    } catch (const EncodingError&) {
    } catch (const InvocationError&) {
    }
  }
}

}  // namespace
}  // namespace tandrel::cli
