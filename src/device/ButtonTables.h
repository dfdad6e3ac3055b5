// Per-button tables that the configuration download fills and the action threads read.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "device/MacroBlock.h"

namespace pyxom::device {

inline constexpr int kMaxButtons = 10;
inline constexpr int kMacroGroups = 13;       // group 0 to 12
inline constexpr int kMacrosPerGroup = 12;    // index 0 to 11

struct ButtonTables {
  // Models 0 and 1.
  std::array<bool, kMaxButtons> dpiReportFlag{};   // codes 6, 15, 16
  std::array<bool, kMaxButtons> rateCycleFlag{};   // code 14
  std::array<MacroBlock, kMaxButtons> buttonMacroBlock{};
  // Model 2.
  std::array<int, kMaxButtons> hostDpiAction{};    // 2 cycle, 1 up, -1 down, 3 double click, 0
  std::array<std::array<MacroBlock, kMacrosPerGroup>, kMacroGroups> macroBlockTable{};
  // All models: DPI code of each level.
  std::array<std::uint8_t, 4> dpiCodes{};
};

}  // namespace pyxom::device
