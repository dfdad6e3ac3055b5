#include "app/win32/DialogWindow.h"

namespace pyxom::app::win32 {
namespace {

// Messages whose result is the dialog procedure's return value itself, not DWLP_MSGRESULT.
bool returnsDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM:
    case WM_QUERYDRAGICON: case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

}  // namespace

DialogWindow::~DialogWindow() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

HWND DialogWindow::create(HINSTANCE instance, int resourceId, HWND owner) {
  instance_ = instance;
  ended_ = false;
  return CreateDialogParamW(instance, MAKEINTRESOURCEW(resourceId), owner, dialogProc,
                            reinterpret_cast<LPARAM>(this));
}

INT_PTR DialogWindow::runModal(HINSTANCE instance, int resourceId, HWND owner) {
  HWND created = create(instance, resourceId, owner);
  if (!created) return -1;
  const bool disableOwner = owner && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);
  // A modal dialog is shown once initialised (and its owner disabled), whether or not its
  // template says WS_VISIBLE.
  if (!ended_ && hwnd_ && !IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOWNORMAL);
  MSG msg;
  while (!ended_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {  // WM_QUIT: end the dialog and pass the quit on to the outer loop
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (preTranslateMessage(msg)) continue;
    if (hwnd_ && IsDialogMessageW(hwnd_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (disableOwner) EnableWindow(owner, TRUE);
  if (hwnd_) {
    HWND h = hwnd_;
    DestroyWindow(h);
  }
  return result_;
}

void DialogWindow::endDialog(INT_PTR result) {
  result_ = result;
  ended_ = true;
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
  PostMessageW(hwnd_, WM_NULL, 0, 0);  // wake the loop
}

INT_PTR CALLBACK DialogWindow::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogWindow* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<DialogWindow*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
    return self->onInitDialog() ? TRUE : FALSE;
  }
  self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return FALSE;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return FALSE;
  }
  LRESULT result = 0;
  if (!self->onMessage(message, wParam, lParam, result)) return FALSE;
  if (returnsDirectly(message)) return static_cast<INT_PTR>(result);
  SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace pyxom::app::win32
