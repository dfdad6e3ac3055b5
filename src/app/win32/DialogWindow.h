// The small dialog layer of the program: a dialog-resource window bound to a C++ object,
// with a modal loop of its own so that every message can be pre-translated before dispatch.
#pragma once

#include <windows.h>

namespace pyxom::app::win32 {

class DialogWindow {
 public:
  DialogWindow() = default;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;
  virtual ~DialogWindow();

  // Creates the dialog from resource `resourceId`, disables `owner` while it runs, and runs
  // the message loop until endDialog(); returns the result given to endDialog().
  INT_PTR runModal(HINSTANCE instance, int resourceId, HWND owner);
  // Modeless: creates the dialog and returns; the caller's loop dispatches its messages.
  HWND create(HINSTANCE instance, int resourceId, HWND owner);
  void endDialog(INT_PTR result);
  bool ended() const { return ended_; }

  HWND hwnd() const { return hwnd_; }
  HINSTANCE instance() const { return instance_; }

 protected:
  // WM_INITDIALOG. Return true to let the system set the focus.
  virtual bool onInitDialog() { return true; }
  // Return true when the message was handled; `result` is the message's result.
  virtual bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return false;
  }
  // Every message of the modal loop passes here first; return true to swallow it.
  virtual bool preTranslateMessage(MSG& msg) { return false; }

 private:
  static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  HINSTANCE instance_ = nullptr;
  bool ended_ = false;
  INT_PTR result_ = 0;
};

}  // namespace pyxom::app::win32
