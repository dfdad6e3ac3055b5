#include "macro/win32/WinMacroPageView.h"

#include <commdlg.h>

#include <vector>

namespace pyxom::macro::win32 {

void WinMacroPageView::showMessage(const std::wstring& text) {
  MessageBoxW(owner_, text.c_str(), caption_.c_str(), MB_OK);
}

std::optional<std::wstring> WinMacroPageView::askSavePath(const FileDialogRequest& request) {
  return runDialog(request, true);
}

std::optional<std::wstring> WinMacroPageView::askOpenPath(const FileDialogRequest& request) {
  return runDialog(request, false);
}

std::optional<std::wstring> WinMacroPageView::runDialog(const FileDialogRequest& request, bool save) {
  // "Text|pattern||" becomes the NUL-separated, double-NUL-ended list the dialog expects.
  std::wstring filter = request.filter;
  for (auto& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.push_back(L'\0');
  std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
  // The dialog wants the folder without its trailing backslash.
  std::wstring folder = request.initialFolder;
  while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner_;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (request.confirmOverwrite) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (!save) ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return std::nullopt;
  return std::wstring(file.data());
}

}  // namespace pyxom::macro::win32
