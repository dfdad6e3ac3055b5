#include "platform/win32/WinSystemSettings.h"

#include <windows.h>

namespace pyxom::platform::win32 {

constexpr UINT kUpdateAndBroadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

std::optional<int> WinSystemSettings::pointerSpeed() {
  int speed = 0;
  if (!SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0)) return std::nullopt;
  return speed;
}

bool WinSystemSettings::setPointerSpeed(int speed) {
  // Windows reads the speed from pvParam, Wine from uiParam: pass it in both.
  return SystemParametersInfoW(SPI_SETMOUSESPEED, static_cast<UINT>(speed),
                               reinterpret_cast<PVOID>(static_cast<INT_PTR>(speed)),
                               kUpdateAndBroadcast) != 0;
}

std::optional<unsigned> WinSystemSettings::wheelScrollLines() {
  UINT lines = 0;
  if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) return std::nullopt;
  return lines;
}

bool WinSystemSettings::setWheelScrollLines(unsigned lines) {
  return SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, kUpdateAndBroadcast) != 0;
}

}  // namespace pyxom::platform::win32
