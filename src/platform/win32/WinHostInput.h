// HostInput on SendInput: the keyboard and mouse events of keybd_event / mouse_event.
#pragma once

#include "platform/HostInput.h"

namespace pyxom::platform::win32 {

class WinHostInput final : public HostInput {
 public:
  void keyEvent(std::uint8_t virtualKey, std::uint16_t scanCode, bool keyUp, bool extended) override;
  void mouseButton(MouseButton button, bool up) override;
  void mouseMove(int dx, int dy) override;
  bool isButtonDown(MouseButton button) override;
  std::uint16_t scanCode(std::uint8_t virtualKey) override;
};

}  // namespace pyxom::platform::win32
