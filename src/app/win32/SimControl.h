// The simulated mouse's control window: a hidden top-level window that pyxom-sim.exe finds by
// class name and drives with WM_COPYDATA ("press K", "release K", "toggle", "input HEX...",
// "unplug", "state PATH").
#pragma once

#include <windows.h>

#include <functional>

#include "sim/SimHidTransport.h"

namespace pyxom::app::win32 {

inline constexpr const wchar_t* kSimControlClass = L"PyxomSimControl";

class SimControl {
 public:
  SimControl(HINSTANCE instance, sim::SimHidTransport& sim);
  ~SimControl();
  SimControl(const SimControl&) = delete;
  SimControl& operator=(const SimControl&) = delete;

  HWND hwnd() const { return hwnd_; }

  // Runs one command; returns false when it is not understood.
  bool execute(const std::wstring& command);

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  sim::SimHidTransport& sim_;
  HWND hwnd_ = nullptr;
};

}  // namespace pyxom::app::win32
