#include "registration/addin_record.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "registration/vb6_addin_record.h"

namespace tandrel::registration {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Number(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

Bytes Text(std::string_view text) {
  Bytes bytes = Number(static_cast<std::uint32_t>(text.size() + 1));
  bytes.insert(bytes.end(), text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

struct Segment {
  std::string field;
  Bytes bytes;  // what the record holds there, right after the segment before
};

TEST(Vb6AddinRecord, HoldsEachFieldInStoredOrder) {
  const std::vector<Segment> segments = {
      {"designer class {AC0714F6-3D04-11D1-AE7D-00A0C90F26F4}",
       {0xF6, 0x14, 0x07, 0xAC, 0x04, 0x3D, 0xD1, 0x11, 0xAE, 0x7D, 0x00, 0xA0, 0xC9, 0x0F, 0x26, 0xF4}},
      {"length of the rest", Number(167)},
      {"registry root", Text("HKEY_CURRENT_USER\\Software\\Microsoft\\Visual Basic\\6.0")},
      {"display name", Text("Tandrel 2.0")},
      {"description", Text("Finds matching parentheses, quotation marks and keywords. \r\n")},
      {"load behaviour", Number(5)},
      {"satellite library", Number(0)},
      {"additional key", Number(0)},
      {"command-line safe", Number(1)},
      {"closing bytes", Bytes(12, 0)},
  };
  std::size_t offset = 0;
  for (const Segment& segment : segments) {
    const std::size_t end = std::min(offset + segment.bytes.size(), kVb6AddinRecord.size());
    const Bytes stored(kVb6AddinRecord.begin() + static_cast<std::ptrdiff_t>(offset),
                       kVb6AddinRecord.begin() + static_cast<std::ptrdiff_t>(end));
    EXPECT_EQ(stored, segment.bytes) << segment.field << " at offset " << offset;
    offset = end;
  }
  EXPECT_EQ(kVb6AddinRecord.size(), offset) << "bytes after the closing bytes";
}

TEST(Vb6AddinRecord, ReadsBackToItsValues) { EXPECT_EQ(ParseAddinRecord(kVb6AddinRecord), kVb6Addin); }

struct Damage {
  std::string what;
  std::function<void(Bytes&)> apply;
};

constexpr std::size_t kLengthField = 16;
constexpr std::size_t kRootText = 24;  // the first character of the registry root
constexpr std::size_t kDisplayNameText = kRootText + 54 + 4;
constexpr std::size_t kDescriptionText = kDisplayNameText + 12 + 4;

TEST(ParseAddinRecord, RefusesBytesThatAreNotSuchARecord) {
  const std::vector<Damage> damages = {
      {"nothing at all", [](Bytes& bytes) { bytes.clear(); }},
      {"the class identifier alone", [](Bytes& bytes) { bytes.resize(16); }},
      {"another class", [](Bytes& bytes) { bytes[3] = 0xAD; }},
      {"one byte short", [](Bytes& bytes) { bytes.pop_back(); }},
      {"one byte more", [](Bytes& bytes) { bytes.push_back(0); }},
      {"a length one more than the bytes", [](Bytes& bytes) { ++bytes[kLengthField]; }},
      {"a length one less than the bytes", [](Bytes& bytes) { --bytes[kLengthField]; }},
      {"a text without its zero", [](Bytes& bytes) { bytes[kDisplayNameText + 11] = '!'; }},
      {"a zero inside a text", [](Bytes& bytes) { bytes[kDisplayNameText + 3] = 0; }},
      {"a character outside ASCII", [](Bytes& bytes) { bytes[kDescriptionText] = 0xE9; }},
      {"a text length that runs past the end", [](Bytes& bytes) { bytes[kRootText - 1] = 0x10; }},
  };
  for (const Damage& damage : damages) {
    Bytes bytes(kVb6AddinRecord.begin(), kVb6AddinRecord.end());
    damage.apply(bytes);
    EXPECT_FALSE(ParseAddinRecord(bytes).has_value()) << damage.what;
  }
}

}  // namespace
}  // namespace tandrel::registration
