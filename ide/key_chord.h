#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tandrel::ide {

// A key pressed with modifiers, the key named by its Windows virtual-key code: the key's place on the
// keyboard, so `]` is the key that carries it on a U.S. layout, whatever another layout prints on it.
struct KeyChord {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  std::uint8_t key = 0;

  friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

// The chord a user writes in plain words, such as "Ctrl+]" or "ctrl + shift + m": modifiers (Ctrl or Control,
// Shift, Alt, each at most once, in any order) and a key (a letter, a digit, F1 to F24, one of the
// punctuation keys ; = , - . / ` [ \ ] ', or Space, Enter, Tab, Insert, Delete, Home, End, PageUp, PageDown,
// Up, Down, Left, Right), joined by "+". Empty when the text names no such chord, or one that would take a
// key away from typing: a chord without Ctrl or Alt must be on a function key.
std::optional<KeyChord> ParseKeyChord(std::u16string_view text);

// The chord as a menu shows it beside an entry: "Ctrl+Shift+M".
std::u16string KeyChordText(const KeyChord& chord);

}  // namespace tandrel::ide
