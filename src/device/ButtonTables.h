// Per-button tables that the configuration download fills and the action threads read.
// Flags and numbers are single shared words (relaxed atomics). Macro blocks are larger than a
// word: the download writes them and the action threads copy them under blockMutex, through
// the functions below, so a block is never copied half rewritten.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "device/MacroBlock.h"
#include "settings/MouseSettings.h"

namespace pyxom::device {

inline constexpr int kMaxButtons = 10;
inline constexpr int kMacroGroups = 13;       // group 0 to 12
inline constexpr int kMacrosPerGroup = 12;    // index 0 to 11

struct ButtonTables {
  template <typename T>
  using Shared = settings::Shared<T>;

  // Models 0 and 1.
  std::array<Shared<bool>, kMaxButtons> dpiReportFlag{};   // codes 6, 15, 16
  std::array<Shared<bool>, kMaxButtons> rateCycleFlag{};   // code 14
  std::array<MacroBlock, kMaxButtons> buttonMacroBlock{};  // under blockMutex
  // Model 2.
  std::array<Shared<int>, kMaxButtons> hostDpiAction{};    // 2 cycle, 1 up, -1 down, 3 double click, 0
  std::array<std::array<MacroBlock, kMacrosPerGroup>, kMacroGroups> macroBlockTable{};  // under blockMutex
  // All models: DPI code of each level.
  std::array<Shared<std::uint8_t>, 4> dpiCodes{};

  mutable std::mutex blockMutex;

  // Copies for a player; an all-zero block (plays nothing) outside the tables.
  MacroBlock copyButtonBlock(int button) const {
    std::lock_guard lock(blockMutex);
    if (button < 0 || button >= kMaxButtons) return {};
    return buttonMacroBlock[static_cast<std::size_t>(button)];
  }
  MacroBlock copyGroupBlock(int group, int index) const {
    std::lock_guard lock(blockMutex);
    if (!inGroupTable(group, index)) return {};
    return macroBlockTable[static_cast<std::size_t>(group)][static_cast<std::size_t>(index)];
  }
  // Writers (the download); a slot outside the tables is not written.
  void setButtonBlock(int button, const MacroBlock& block) {
    std::lock_guard lock(blockMutex);
    if (button >= 0 && button < kMaxButtons) buttonMacroBlock[static_cast<std::size_t>(button)] = block;
  }
  void setGroupBlock(int group, int index, const MacroBlock& block) {
    std::lock_guard lock(blockMutex);
    if (inGroupTable(group, index)) {
      macroBlockTable[static_cast<std::size_t>(group)][static_cast<std::size_t>(index)] = block;
    }
  }
  static constexpr bool inGroupTable(int group, int index) {
    return group >= 0 && group < kMacroGroups && index >= 0 && index < kMacrosPerGroup;
  }
};

}  // namespace pyxom::device
