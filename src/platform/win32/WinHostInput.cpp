#include "platform/win32/WinHostInput.h"

#include <windows.h>

namespace pyxom::platform::win32 {
namespace {

void sendOne(INPUT& in) { SendInput(1, &in, sizeof(INPUT)); }

int virtualKeyOf(MouseButton b) {
  switch (b) {
    case MouseButton::Left: return VK_LBUTTON;
    case MouseButton::Right: return VK_RBUTTON;
    default: return VK_MBUTTON;
  }
}

}  // namespace

void WinHostInput::keyEvent(std::uint8_t virtualKey, std::uint16_t scanCode, bool keyUp,
                            bool extended) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;
  in.ki.wScan = scanCode;
  in.ki.dwFlags = (keyUp ? KEYEVENTF_KEYUP : 0u) | (extended ? KEYEVENTF_EXTENDEDKEY : 0u);
  sendOne(in);
}

void WinHostInput::mouseButton(MouseButton button, bool up) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  switch (button) {
    case MouseButton::Left: in.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN; break;
    case MouseButton::Right: in.mi.dwFlags = up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN; break;
    default: in.mi.dwFlags = up ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_MIDDLEDOWN; break;
  }
  sendOne(in);
}

void WinHostInput::mouseMove(int dx, int dy) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = dx;
  in.mi.dy = dy;
  in.mi.dwFlags = MOUSEEVENTF_MOVE;
  sendOne(in);
}

bool WinHostInput::isButtonDown(MouseButton button) {
  return (GetAsyncKeyState(virtualKeyOf(button)) & 0x8000) != 0;
}

std::uint16_t WinHostInput::scanCode(std::uint8_t virtualKey) {
  return static_cast<std::uint16_t>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
}

}  // namespace pyxom::platform::win32
