#include "ide/key_chord.h"

#include <array>
#include <string>

#include "ide/ascii_case.h"
#include "ide/decimal_text.h"

namespace tandrel::ide {
namespace {

// Windows' virtual-key codes of the keys a chord can name.
constexpr std::uint8_t kFirstFunctionKey = 0x70;  // VK_F1
constexpr int kFunctionKeys = 24;

struct NamedKey {
  std::u16string_view name;
  std::uint8_t key;
};

constexpr std::array kNamedKeys = {
    NamedKey{u";", 0xBA},     NamedKey{u"=", 0xBB},    NamedKey{u",", 0xBC},      NamedKey{u"-", 0xBD},
    NamedKey{u".", 0xBE},     NamedKey{u"/", 0xBF},    NamedKey{u"`", 0xC0},      NamedKey{u"[", 0xDB},
    NamedKey{u"\\", 0xDC},    NamedKey{u"]", 0xDD},    NamedKey{u"'", 0xDE},      NamedKey{u"Space", 0x20},
    NamedKey{u"Enter", 0x0D}, NamedKey{u"Tab", 0x09},  NamedKey{u"Insert", 0x2D}, NamedKey{u"Delete", 0x2E},
    NamedKey{u"Home", 0x24},  NamedKey{u"End", 0x23},  NamedKey{u"PageUp", 0x21}, NamedKey{u"PageDown", 0x22},
    NamedKey{u"Up", 0x26},    NamedKey{u"Down", 0x28}, NamedKey{u"Left", 0x25},   NamedKey{u"Right", 0x27},
};

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
  return text;
}

bool IsFunctionKey(std::uint8_t key) {
  return key >= kFirstFunctionKey && key < kFirstFunctionKey + kFunctionKeys;
}

std::optional<std::uint8_t> KeyNamed(std::u16string_view name) {
  if (name.size() == 1) {
    const char16_t c = AsciiUpper(name[0]);
    if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) return static_cast<std::uint8_t>(c);
  }
  if (name.size() >= 2 && AsciiUpper(name[0]) == u'F') {
    int number = 0;
    for (const char16_t digit : name.substr(1)) {
      if (digit < u'0' || digit > u'9' || number > kFunctionKeys) return std::nullopt;
      number = number * 10 + (digit - u'0');
    }
    if (name[1] == u'0' || number < 1 || number > kFunctionKeys) return std::nullopt;
    return static_cast<std::uint8_t>(kFirstFunctionKey + number - 1);
  }
  for (const auto& named : kNamedKeys) {
    if (SameIgnoringAsciiCase(name, named.name)) return named.key;
  }
  return std::nullopt;
}

}  // namespace

std::optional<KeyChord> ParseKeyChord(std::u16string_view text) {
  KeyChord chord;
  bool keyNamed = false;
  while (true) {
    const std::size_t plus = text.find(u'+');
    const std::u16string_view part = Trimmed(text.substr(0, plus));
    if (keyNamed) return std::nullopt;  // a modifier after the key, or a second key
    bool* modifier = SameIgnoringAsciiCase(part, u"Ctrl") || SameIgnoringAsciiCase(part, u"Control")
                         ? &chord.ctrl
                     : SameIgnoringAsciiCase(part, u"Shift") ? &chord.shift
                     : SameIgnoringAsciiCase(part, u"Alt")   ? &chord.alt
                                                             : nullptr;
    if (modifier && plus != std::u16string_view::npos) {
      if (*modifier) return std::nullopt;
      *modifier = true;
    } else {
      const auto key = KeyNamed(part);
      if (!key) return std::nullopt;
      chord.key = *key;
      keyNamed = true;
    }
    if (plus == std::u16string_view::npos) break;
    text.remove_prefix(plus + 1);
  }
  if (!chord.ctrl && !chord.alt && !IsFunctionKey(chord.key)) return std::nullopt;
  return chord;
}

std::u16string KeyChordText(const KeyChord& chord) {
  std::u16string text;
  if (chord.ctrl) text += u"Ctrl+";
  if (chord.shift) text += u"Shift+";
  if (chord.alt) text += u"Alt+";
  if (IsFunctionKey(chord.key)) return text + u"F" + DecimalText(chord.key - kFirstFunctionKey + 1);
  for (const auto& named : kNamedKeys) {
    if (named.key == chord.key) return text + std::u16string(named.name);
  }
  return text + static_cast<char16_t>(chord.key);
}

}  // namespace tandrel::ide
