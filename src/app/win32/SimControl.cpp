#include "app/win32/SimControl.h"

#include <cstdio>
#include <cwchar>
#include <sstream>
#include <string>

namespace pyxom::app::win32 {

SimControl::SimControl(HINSTANCE instance, sim::SimHidTransport& sim) : sim_(sim) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kSimControlClass;
  RegisterClassExW(&wc);
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kSimControlClass, L"Pyxom simulated mouse", WS_POPUP,
                          0, 0, 0, 0, nullptr, nullptr, instance, this);
}

SimControl::~SimControl() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool SimControl::execute(const std::wstring& command) {
  std::wistringstream in(command);
  std::wstring verb;
  in >> verb;
  if (verb == L"press" || verb == L"release") {
    int key = -1;
    if (!(in >> key) || key < 0 || key > 14) return false;
    if (verb == L"press") sim_.pressButton(key); else sim_.releaseButton(key);
    return true;
  }
  if (verb == L"toggle") {
    sim_.sendToggle();
    return true;
  }
  if (verb == L"input") {
    sim::Report r;
    unsigned value = 0;
    while (in >> std::hex >> value) r.push_back(static_cast<std::uint8_t>(value));
    if (r.empty()) return false;
    sim_.sendInputReport(r);
    return true;
  }
  if (verb == L"unplug") {
    sim_.unplug();
    return true;
  }
  if (verb == L"state") {
    std::wstring path;
    std::getline(in >> std::ws, path);
    if (path.empty()) return false;
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    std::string text = sim_.describeState();
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    return true;
  }
  return false;
}

LRESULT CALLBACK SimControl::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<SimControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_COPYDATA && self) {
    auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lParam);
    if (!cds->lpData || cds->cbData < sizeof(wchar_t) || cds->cbData > 4096) return 0;
    std::wstring command(static_cast<const wchar_t*>(cds->lpData), cds->cbData / sizeof(wchar_t));
    while (!command.empty() && command.back() == L'\0') command.pop_back();
    return self->execute(command) ? 1 : 0;
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace pyxom::app::win32
