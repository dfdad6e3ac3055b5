// What the macro group operations need from the window: message boxes, file dialogs, and the
// macro page's controls (group list, event list, repeat-count box, in-place editor, recording).
// The Windows shell implements it over the real window; tests answer it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pyxom::macro {

struct FileDialogRequest {
  std::wstring defaultExtension;  // "dat" for export, empty for import
  std::wstring filter;            // "All Files(*.dat)|*.dat||"
  std::wstring initialFolder;
  bool confirmOverwrite = false;
};

// One line of the group list: icon 0 closed group, 1 open group, 2 macro.
struct GroupListLine {
  std::wstring text;
  int icon = 0;
  int indent = 0;  // pixels
  friend bool operator==(const GroupListLine&, const GroupListLine&) = default;
};

class MacroPageView {
 public:
  virtual ~MacroPageView() = default;
  // Message box: caption the application name, OK button.
  virtual void showMessage(const std::wstring& text) = 0;
  // File dialogs; none when the user cancels.
  virtual std::optional<std::wstring> askSavePath(const FileDialogRequest& request) = 0;
  virtual std::optional<std::wstring> askOpenPath(const FileDialogRequest& request) = 0;

  // The group list was refilled; `selected` is the line to select (may be out of range).
  virtual void showGroupList(const std::vector<GroupListLine>& lines, int selected) {}
  // Puts a text back on one line (after a refused rename).
  virtual void setLineText(int line, const std::wstring& text) {}
  virtual void openEditor(int line) {}
  virtual void clearEventList() {}
  // Fills the event list from the macro being edited and selects its line 0.
  virtual void fillEventList() {}
  virtual void setRepeatBox(const std::wstring& text, bool enabled) {}
  virtual std::wstring repeatBoxText() { return L"1"; }
  virtual bool isRecording() { return false; }
  // Stops recording without saving.
  virtual void stopRecording() {}
};

}  // namespace pyxom::macro
