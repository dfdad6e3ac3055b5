// The macro operations' window seam on Windows: message boxes and the common file dialogs of
// the main window. The macro page's controls are not built yet; their calls do nothing.
#pragma once

#include <windows.h>

#include <string>

#include "macro/MacroPageView.h"

namespace pyxom::macro::win32 {

class WinMacroPageView : public MacroPageView {
 public:
  WinMacroPageView(HWND owner, std::wstring caption) : owner_(owner), caption_(std::move(caption)) {}

  void showMessage(const std::wstring& text) override;
  std::optional<std::wstring> askSavePath(const FileDialogRequest& request) override;
  std::optional<std::wstring> askOpenPath(const FileDialogRequest& request) override;

 private:
  std::optional<std::wstring> runDialog(const FileDialogRequest& request, bool save);

  HWND owner_;
  std::wstring caption_;
};

}  // namespace pyxom::macro::win32
