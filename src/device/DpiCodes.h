// DPI code tables (indexed by DPI step) and LED codes, per model.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace pyxom::device {

inline constexpr std::array<std::uint8_t, 12> kDpiCodesModel0{1, 2, 3, 4, 5, 6, 8, 10, 12, 13, 14, 15};
inline constexpr std::array<std::uint8_t, 17> kDpiCodesModel1{1,  2,  3,  4,  5,  6,  7,  8, 9,
                                                              10, 12, 13, 14, 15, 16, 17, 18};
inline constexpr std::array<std::uint8_t, 5> kDpiCodesModel2{6, 8, 10, 12, 13};

// The model's table; empty for an unknown model.
constexpr std::span<const std::uint8_t> dpiCodeTable(int model) {
  switch (model) {
    case 0: return kDpiCodesModel0;
    case 1: return kDpiCodesModel1;
    case 2: return kDpiCodesModel2;
    default: return {};
  }
}

// Number of DPI steps of the model: 12, 17 or 5 (0 for an unknown model).
constexpr int dpiStepCount(int model) { return static_cast<int>(dpiCodeTable(model).size()); }

// DPI code of a step. A step beyond the table (only an edited config.ini holds one) takes the
// last entry, so no lookup leaves the table; an unknown model gives 0.
constexpr std::uint8_t dpiCode(int model, unsigned step) {
  auto table = dpiCodeTable(model);
  if (table.empty()) return 0;
  return step < table.size() ? table[step] : table.back();
}

// LED code by LED mode: 0, 3, 6, 7 for modes 0 to 3; a mode beyond 3 sends the code of mode 0.
constexpr std::uint8_t ledCode(unsigned ledMode) {
  constexpr std::array<std::uint8_t, 4> codes{0, 3, 6, 7};
  return ledMode < codes.size() ? codes[ledMode] : 0;
}

}  // namespace pyxom::device
