// SystemSettings over SystemParametersInfoW.
#pragma once

#include "platform/SystemSettings.h"

namespace pyxom::platform::win32 {

class WinSystemSettings final : public SystemSettings {
 public:
  std::optional<int> pointerSpeed() override;
  bool setPointerSpeed(int speed) override;
  std::optional<unsigned> wheelScrollLines() override;
  bool setWheelScrollLines(unsigned lines) override;
};

}  // namespace pyxom::platform::win32
