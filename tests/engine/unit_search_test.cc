#include "engine/unit_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tandrel::engine {
namespace {

std::size_t NaiveFirst(std::u16string_view text, std::u16string_view units, std::size_t from) {
  for (std::size_t at = from; at < text.size(); ++at) {
    if (units.find(text[at]) != std::u16string_view::npos) return at;
  }
  return std::u16string_view::npos;
}

std::size_t NaiveLast(std::u16string_view text, std::u16string_view units, std::size_t end) {
  for (std::size_t at = std::min(end, text.size()); at > 0; --at) {
    if (units.find(text[at - 1]) != std::u16string_view::npos) return at - 1;
  }
  return std::u16string_view::npos;
}

// The searches read whole blocks of eight units, overlapping what they already searched near a text's end
// and start: every length around a block's, every set size, every start and end, against a plain scan.
TEST(UnitSet, FindsWhatAPlainScanFindsAtEveryPositionOfEveryLength) {
  const std::u16string alphabet = u"abcI\"' E";
  std::mt19937 random(7);
  for (std::size_t setSize = 0; setSize <= 6; ++setSize) {
    const std::u16string units = alphabet.substr(0, setSize);
    const UnitSet set(units);
    for (std::size_t length = 0; length <= 26; ++length) {
      for (int sample = 0; sample < 20; ++sample) {
        std::u16string text;
        for (std::size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        for (std::size_t at = 0; at <= length + 1; ++at) {
          ASSERT_EQ(set.FindIn(text, at), NaiveFirst(text, units, at))
              << "set of " << setSize << ", length " << length << ", from " << at;
          ASSERT_EQ(set.FindLastIn(text, at), NaiveLast(text, units, at))
              << "set of " << setSize << ", length " << length << ", before " << at;
        }
      }
    }
  }
}

TEST(UnitSet, RefusesMoreThanSixUnits) { EXPECT_THROW(UnitSet(u"abcdefg"), std::length_error); }

}  // namespace
}  // namespace tandrel::engine
