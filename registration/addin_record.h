#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tandrel::registration {

// What a VB6 add-in tells the IDE about itself, as the add-in designer keeps it. The texts are 8-bit.
struct AddinRecord {
  std::string_view registryRoot;  // the IDE's key, such as "HKEY_CURRENT_USER\Software\Microsoft\..."
  std::string_view displayName;
  std::string_view description;
  std::uint32_t loadBehavior = 0;
  std::string_view satelliteLibrary;
  std::string_view additionalKey;
  std::uint32_t commandLineSafe = 0;

  bool operator==(const AddinRecord&) const = default;
};

// The add-in designer's class identifier, in GUID memory layout: {AC0714F6-3D04-11D1-AE7D-00A0C90F26F4}.
inline constexpr std::array<std::uint8_t, 16> kAddinDesignerClass = {
    0xF6, 0x14, 0x07, 0xAC, 0x04, 0x3D, 0xD1, 0x11, 0xAE, 0x7D, 0x00, 0xA0, 0xC9, 0x0F, 0x26, 0xF4};

namespace stored {

// The designer closes the record with bytes of its own that carry nothing for the IDE's list of add-ins.
inline constexpr std::size_t kTrailerSize = 12;
inline constexpr std::size_t kHeaderSize = kAddinDesignerClass.size() + 4;

constexpr std::size_t TextSize(std::string_view text) { return 4 + (text.empty() ? 0 : text.size() + 1); }

constexpr std::size_t BodySize(const AddinRecord& record) {
  return TextSize(record.registryRoot) + TextSize(record.displayName) + TextSize(record.description) + 4 +
         TextSize(record.satelliteLibrary) + TextSize(record.additionalKey) + 4 + kTrailerSize;
}

template <std::size_t size>
class Writer {
 public:
  constexpr void Number(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes_[at_++] = static_cast<std::uint8_t>(value >> shift);
  }
  // A text counts its terminating zero; an empty one is its length alone.
  constexpr void Text(std::string_view text) {
    if (text.empty()) return Number(0);
    Number(static_cast<std::uint32_t>(text.size() + 1));
    for (char unit : text) bytes_[at_++] = static_cast<std::uint8_t>(unit);
    bytes_[at_++] = 0;
  }
  constexpr void Bytes(std::span<const std::uint8_t> bytes) {
    for (std::uint8_t unit : bytes) bytes_[at_++] = unit;
  }
  constexpr std::array<std::uint8_t, size> Done() const { return bytes_; }

 private:
  std::array<std::uint8_t, size> bytes_{};
  std::size_t at_ = 0;
};

}  // namespace stored

// The size of `record` in its stored form.
constexpr std::size_t StoredAddinRecordSize(const AddinRecord& record) {
  return stored::kHeaderSize + stored::BodySize(record);
}

// `record` in the add-in designer's stored form: the designer's class identifier, the length of what
// follows, then the fields in order. `size` is StoredAddinRecordSize(record), so that a deliverable can carry
// the bytes as constant data.
template <std::size_t size>
constexpr std::array<std::uint8_t, size> StoreAddinRecord(const AddinRecord& record) {
  stored::Writer<size> writer;
  writer.Bytes(kAddinDesignerClass);
  writer.Number(static_cast<std::uint32_t>(stored::BodySize(record)));
  writer.Text(record.registryRoot);
  writer.Text(record.displayName);
  writer.Text(record.description);
  writer.Number(record.loadBehavior);
  writer.Text(record.satelliteLibrary);
  writer.Text(record.additionalKey);
  writer.Number(record.commandLineSafe);
  writer.Bytes(std::array<std::uint8_t, stored::kTrailerSize>{});
  return writer.Done();
}

// Reads a stored record back. The texts view `bytes`. Nothing when the bytes are not such a record: another
// class, a length that disagrees with the bytes, a text without its zero or with a zero or a non-ASCII
// character inside (the IDE would read those in the machine's code page, which registration cannot know).
std::optional<AddinRecord> ParseAddinRecord(std::span<const std::uint8_t> bytes);

}  // namespace tandrel::registration
