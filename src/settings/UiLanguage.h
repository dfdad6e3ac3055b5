// The user-interface language and the stored language value (VER_SEL in section Init).
#pragma once

#include <cstdint>

namespace pyxom::settings {

enum class UiLanguage : std::uint8_t { Second = 0, English = 1 };

// The stored value keeps its low 8 bits; any nonzero value selects English.
constexpr UiLanguage languageOf(std::uint8_t storedLanguageValue) {
  return storedLanguageValue != 0 ? UiLanguage::English : UiLanguage::Second;
}

// What the language switch writes: "1" for English, "0" for the second language.
constexpr std::uint8_t storedValueOf(UiLanguage language) {
  return language == UiLanguage::English ? 1 : 0;
}

}  // namespace pyxom::settings
