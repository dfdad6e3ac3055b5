// Conversions between Windows virtual-key codes (macro files, model-2 blocks) and HID
// keyboard usages (memory, model 0/1 blocks). Codes outside the table pass unchanged, among
// them the mouse-button codes 0xF0..0xF2, so movement distances and mouse buttons survive both.
#pragma once

#include <cstdint>

#include "settings/UiLanguage.h"

namespace pyxom::macro {

using settings::UiLanguage;

// The second language differs in two rows: 0xBD gives keypad minus 0x56, 0xDF gives 0x55.
std::uint8_t vkToUsage(std::uint8_t vk, UiLanguage language);
// Inverse of the English table, the same in both languages.
std::uint8_t usageToVk(std::uint8_t usage);

}  // namespace pyxom::macro
