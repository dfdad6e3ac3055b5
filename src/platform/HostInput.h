// Host input synthesis seam: what the host-played actions need of the system's keyboard and
// mouse input. Windows: win32/WinHostInput (keybd_event / mouse_event family, MapVirtualKeyW,
// GetAsyncKeyState). Tests: fakes that record the calls.
#pragma once

#include <cstdint>

namespace pyxom::platform {

enum class MouseButton : std::uint8_t { Left = 0, Right = 1, Middle = 2 };

class HostInput {
 public:
  virtual ~HostInput() = default;
  // One keyboard event for a virtual key, with the scan code and extended-key flag given.
  virtual void keyEvent(std::uint8_t virtualKey, std::uint16_t scanCode, bool keyUp,
                        bool extended) = 0;
  virtual void mouseButton(MouseButton button, bool up) = 0;
  // Relative pointer move.
  virtual void mouseMove(int dx, int dy) = 0;
  // Whether the button is down right now (GetAsyncKeyState).
  virtual bool isButtonDown(MouseButton button) = 0;
  // Virtual key to scan code (MapVirtualKeyW, MAPVK_VK_TO_VSC); 0 when the key has none.
  virtual std::uint16_t scanCode(std::uint8_t virtualKey) = 0;
};

}  // namespace pyxom::platform
