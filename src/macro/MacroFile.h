// Macro files: private-profile files with section "Macros", key "macroNum" and one line per
// macro under key "0", "1", ... A line is the record's 1064 bytes as three-digit decimal
// fields (3192 characters); step keys are stored as virtual-key codes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "macro/KeyCodes.h"
#include "macro/Macro.h"
#include "platform/PrivateProfile.h"

namespace pyxom::macro {

inline constexpr std::size_t kLineLength = 3 * kMacroSize;  // 3192
inline constexpr const wchar_t* kMacrosSection = L"Macros";
inline constexpr const wchar_t* kMacroCountKey = L"macroNum";

// "007", "042", "255".
std::wstring formatField(std::uint8_t value);

// All 255 slots, keys through usageToVk.
std::wstring formatMacroLine(const Macro& macro);

// Reads a line of any length and content: three-character pieces converted as decimal numbers
// (leading blanks, low 8 bits); missing pieces and pieces without digits give 0, characters
// beyond 3192 are ignored. With a language the step keys go through vkToUsage; without one
// they are kept as stored.
Macro parseMacroLine(std::wstring_view line, std::optional<UiLanguage> convertKeysFor);

// The name in the first 40 fields of a line (up to its first NUL, at most 20 units).
std::wstring macroNameOfLine(std::wstring_view line);

// Raw reads of one file.
int readMacroCount(platform::PrivateProfile& ini, const std::wstring& path);  // may be out of range
std::wstring readMacroLine(platform::PrivateProfile& ini, const std::wstring& path, int index);

// Fills the table from a group file: at most 12 macros (a larger "macroNum" loads the first
// 12, a negative one none); sets the edited macro to 0.
void loadGroupMacros(platform::PrivateProfile& ini, const std::wstring& path, UiLanguage language,
                     GroupMacroTable& table);
// The same for the constant macro file, at most 13 macros; the table has no edited macro.
void loadBuiltInMacros(platform::PrivateProfile& ini, const std::wstring& path,
                       UiLanguage language, BuiltInMacroTable& table);
// Writes "macroNum" = the table's count, then the line of slot `index` (0..11).
bool saveMacro(platform::PrivateProfile& ini, const std::wstring& path,
               const GroupMacroTable& table, int index);
// Writes "macroNum", then lines 0 .. count - 1.
bool saveGroupMacros(platform::PrivateProfile& ini, const std::wstring& path,
                     const GroupMacroTable& table);

}  // namespace pyxom::macro
