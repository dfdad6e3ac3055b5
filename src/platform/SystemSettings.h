// System mouse settings seam (SystemParametersInfoW on Windows).
#pragma once

#include <optional>

namespace pyxom::platform {

class SystemSettings {
 public:
  virtual ~SystemSettings() = default;
  // Each query gives nullopt when it fails; setters write to the user profile and broadcast.
  virtual std::optional<int> pointerSpeed() = 0;
  virtual bool setPointerSpeed(int speed) = 0;
  virtual std::optional<unsigned> wheelScrollLines() = 0;
  virtual bool setWheelScrollLines(unsigned lines) = 0;
};

}  // namespace pyxom::platform
