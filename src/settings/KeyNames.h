// Display names of macro and capture keys: HID keyboard usages plus 240, 241, 242 for the
// left, right and middle mouse buttons.
#pragma once

#include <cstdint>
#include <string>

#include "settings/UiLanguage.h"

namespace pyxom::settings {

// The name shown in the macro event list. Usages 240 to 242 use the English names only when
// storedLanguageValue (VER_SEL, low 8 bits) is exactly 1, whatever `language` is.
std::wstring keyDisplayName(int usage, UiLanguage language, std::uint8_t storedLanguageValue);

// The name shown by the key capture dialog (same rule for 240 to 242).
std::wstring captureKeyDisplayName(int usage, UiLanguage language,
                                   std::uint8_t storedLanguageValue);

inline constexpr const wchar_t* kNonAvailable = L"NON-AVAILABLE";

}  // namespace pyxom::settings
