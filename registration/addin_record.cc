#include "registration/addin_record.h"

#include <algorithm>

namespace tandrel::registration {
namespace {

// Reads the stored fields in order; any read past the end or of a malformed text spoils the whole read.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool Good() const { return good_; }
  std::size_t Left() const { return bytes_.size() - at_; }

  std::span<const std::uint8_t> Bytes(std::size_t count) {
    if (!good_ || count > Left()) {
      good_ = false;
      return {};
    }
    const auto taken = bytes_.subspan(at_, count);
    at_ += count;
    return taken;
  }

  std::uint32_t Number() {
    const auto taken = Bytes(4);
    if (!good_) return 0;
    std::uint32_t value = 0;
    for (std::size_t index = 0; index < 4; ++index) value |= std::uint32_t{taken[index]} << (8 * index);
    return value;
  }

  std::string_view Text() {
    const std::uint32_t length = Number();
    if (length == 0) return {};
    const auto taken = Bytes(length);
    if (!good_) return {};
    const auto characters = taken.first(length - 1);
    const bool plain = std::all_of(characters.begin(), characters.end(),
                                   [](std::uint8_t unit) { return unit != 0 && unit < 0x80; });
    if (taken.back() != 0 || !plain) {
      good_ = false;
      return {};
    }
    return {reinterpret_cast<const char*>(characters.data()), characters.size()};
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
  bool good_ = true;
};

}  // namespace

std::optional<AddinRecord> ParseAddinRecord(std::span<const std::uint8_t> bytes) {
  Reader reader(bytes);
  const auto classId = reader.Bytes(kAddinDesignerClass.size());
  if (!reader.Good() || !std::equal(classId.begin(), classId.end(), kAddinDesignerClass.begin())) {
    return std::nullopt;
  }
  const std::uint32_t bodySize = reader.Number();
  if (!reader.Good() || bodySize != reader.Left()) return std::nullopt;

  AddinRecord record;
  record.registryRoot = reader.Text();
  record.displayName = reader.Text();
  record.description = reader.Text();
  record.loadBehavior = reader.Number();
  record.satelliteLibrary = reader.Text();
  record.additionalKey = reader.Text();
  record.commandLineSafe = reader.Number();
  reader.Bytes(stored::kTrailerSize);
  if (!reader.Good() || reader.Left() != 0) return std::nullopt;
  return record;
}

}  // namespace tandrel::registration
