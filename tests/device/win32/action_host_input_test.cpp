// The Windows host input seam: the events it synthesises, as low-level hooks see them.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "platform/win32/WinHostInput.h"

namespace pyxom::platform::win32 {
namespace {

struct Seen {
  WPARAM message;
  DWORD code;  // virtual key, or 0 for the mouse
  DWORD scan;
  DWORD flags;
};
std::vector<Seen>* g_seen = nullptr;  // hook procedures take no context

LRESULT CALLBACK keyboardHook(int n, WPARAM w, LPARAM l) {
  const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(l);
  if (n == HC_ACTION && g_seen) g_seen->push_back({w, k->vkCode, k->scanCode, k->flags});
  return 1;  // swallowed: nothing reaches other programs
}

LRESULT CALLBACK mouseHook(int n, WPARAM w, LPARAM l) {
  if (n == HC_ACTION && g_seen && w != WM_MOUSEMOVE) g_seen->push_back({w, 0, 0, 0});
  return CallNextHookEx(nullptr, n, w, l);
}

void pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  }
}

TEST(WinHostInput, KeysCarryTheGivenScanCodeAndExtendedFlag) {
  std::vector<Seen> seen;
  g_seen = &seen;
  HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, keyboardHook, GetModuleHandleW(nullptr), 0);
  ASSERT_NE(hook, nullptr);
  WinHostInput input;
  input.keyEvent(0x25, 0x4B, false, true);   // left arrow, extended
  input.keyEvent(0x25, 0x4B, true, true);
  input.keyEvent('A', input.scanCode('A'), false, false);
  pump(300);
  UnhookWindowsHookEx(hook);
  g_seen = nullptr;
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].message, static_cast<WPARAM>(WM_KEYDOWN));
  EXPECT_EQ(seen[0].code, 0x25u);
  EXPECT_EQ(seen[0].scan, 0x4Bu);
  EXPECT_TRUE(seen[0].flags & LLKHF_EXTENDED);
  EXPECT_EQ(seen[1].message, static_cast<WPARAM>(WM_KEYUP));
  EXPECT_EQ(seen[2].code, static_cast<DWORD>('A'));
  EXPECT_EQ(seen[2].scan, 0x1Eu) << "MapVirtualKeyW gives the scan code of A";
  EXPECT_FALSE(seen[2].flags & LLKHF_EXTENDED);
}

TEST(WinHostInput, MouseButtonsAndTheirState) {
  std::vector<Seen> seen;
  g_seen = &seen;
  HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, mouseHook, GetModuleHandleW(nullptr), 0);
  ASSERT_NE(hook, nullptr);
  WinHostInput input;
  input.mouseButton(MouseButton::Right, false);
  pump(100);
  const bool downWhileHeld = input.isButtonDown(MouseButton::Right);
  input.mouseButton(MouseButton::Right, true);
  pump(100);
  const bool downAfter = input.isButtonDown(MouseButton::Right);
  UnhookWindowsHookEx(hook);
  g_seen = nullptr;
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].message, static_cast<WPARAM>(WM_RBUTTONDOWN));
  EXPECT_EQ(seen[1].message, static_cast<WPARAM>(WM_RBUTTONUP));
  EXPECT_TRUE(downWhileHeld);
  EXPECT_FALSE(downAfter);
}

TEST(WinHostInput, RelativeMoveMovesThePointer) {
  // Relative moves pass through pointer acceleration; without it they are exact.
  int saved[3] = {};
  SystemParametersInfoW(SPI_GETMOUSE, 0, saved, 0);
  int none[3] = {0, 0, 0};
  SystemParametersInfoW(SPI_SETMOUSE, 0, none, 0);
  POINT before;
  GetCursorPos(&before);
  SetCursorPos(300, 300);
  WinHostInput input;
  input.mouseMove(25, -10);
  pump(100);
  POINT p;
  GetCursorPos(&p);
  SystemParametersInfoW(SPI_SETMOUSE, 0, saved, 0);
  SetCursorPos(before.x, before.y);
  EXPECT_EQ(p.x, 325);
  EXPECT_EQ(p.y, 290);
}

}  // namespace
}  // namespace pyxom::platform::win32
