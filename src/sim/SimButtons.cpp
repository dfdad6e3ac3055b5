#include "sim/SimFirmware.h"

namespace pyxom::sim {
namespace {

// Device values of models 0 and 1 whose presses the mouse reports to the host.
constexpr std::uint8_t kHostValue01 = 0;       // the host performs the function
constexpr std::uint8_t kDpiCycleValue = 6;     // the mouse moves its own DPI level ...
constexpr std::uint8_t kDpiUpValue = 11;
constexpr std::uint8_t kDpiDownValue = 12;     // ... and reports the new level in byte 2
constexpr std::uint8_t kRateCycleValue = 10;   // the mouse cycles its rate; the host records it
constexpr std::uint8_t kHostValue2 = 31;       // model 2: the host performs the function

bool enabled(std::uint8_t mask, int level) { return (mask >> level) & 1; }

}  // namespace

int SimFirmware::ownDpiStep(std::uint8_t value) const {
  const int level = state_.currentLevel;
  const std::uint8_t mask = state_.enableMask;
  switch (value) {
    case kDpiCycleValue:
      for (int step = 1; step <= 4; ++step) {
        const int k = (level + step) % 4;
        if (enabled(mask, k)) return k;
      }
      return level;
    case kDpiUpValue:
      for (int k = level + 1; k < 4; ++k)
        if (enabled(mask, k)) return k;
      return level;
    case kDpiDownValue:
      for (int k = level - 1; k >= 0; --k)
        if (enabled(mask, k)) return k;
      return level;
    default:
      return level;
  }
}

// A button is reported only when the host has work for it: device value 0 (models 0, 1) or 31
// (model 2), the mouse's own DPI functions (with the new level in byte 2 of the press) and the
// report-rate cycle. Buttons the host never mapped, and built-in functions, are the mouse's
// own business. A release carries 0x80 in byte 2.
std::vector<Report> SimFirmware::onButton(int keyIndex, bool pressed) {
  if (keyIndex < 0 || keyIndex > 0x0F) return {};
  const auto k = static_cast<std::size_t>(keyIndex);
  if (!state_.buttonMapped[k]) return {};
  const std::uint8_t value = state_.buttonMap[k];
  std::uint8_t arg = 0x00;
  if (state_.model == 2) {
    if (value != kHostValue2) return {};
  } else if (value == kDpiCycleValue || value == kDpiUpValue || value == kDpiDownValue) {
    if (pressed) {
      state_.currentLevel = ownDpiStep(value);
      arg = static_cast<std::uint8_t>(state_.currentLevel);
    }
  } else if (value != kHostValue01 && value != kRateCycleValue) {
    return {};
  }
  Report r(kInputReportLength, 0);
  r[0] = 6;
  r[1] = static_cast<std::uint8_t>(0xF0 + keyIndex);
  r[2] = pressed ? arg : 0x80;
  return {r};
}

}  // namespace pyxom::sim
