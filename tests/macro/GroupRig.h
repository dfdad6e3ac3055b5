// A macro folder on disk with a view that records what the group operations show and answers
// their file dialogs.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "macro/MacroFile.h"
#include "macro/MacroGroups.h"
#include "macro/MacroTestSupport.h"
#include "platform/IniFileProfile.h"

namespace pyxom::test {

class RecordingView : public macro::MacroPageView {
 public:
  void showMessage(const std::wstring& text) override { messages.push_back(text); }
  std::optional<std::wstring> askSavePath(const macro::FileDialogRequest& r) override {
    lastDialog = r;
    return next();
  }
  std::optional<std::wstring> askOpenPath(const macro::FileDialogRequest& r) override {
    lastDialog = r;
    return next();
  }
  void showGroupList(const std::vector<macro::GroupListLine>& l, int selected) override {
    lines = l;
    selectedLine = selected;
  }
  void setLineText(int line, const std::wstring& text) override {
    restored.emplace_back(line, text);
  }
  void openEditor(int line) override { editorLine = line; }
  void clearEventList() override { ++eventListCleared; }
  void fillEventList() override { ++eventListFilled; }
  void setRepeatBox(const std::wstring& text, bool enabled) override {
    repeatBox = text;
    repeatBoxEnabled = enabled;
  }
  std::wstring repeatBoxText() override { return repeatBox; }

  std::wstring lastMessage() const { return messages.empty() ? L"" : messages.back(); }

  std::vector<std::wstring> messages;
  std::deque<std::optional<std::wstring>> answers;  // dialog answers, in order
  macro::FileDialogRequest lastDialog;
  std::vector<macro::GroupListLine> lines;
  int selectedLine = -1;
  std::vector<std::pair<int, std::wstring>> restored;
  int editorLine = -1;
  int eventListCleared = 0, eventListFilled = 0;
  std::wstring repeatBox = L"1";
  bool repeatBoxEnabled = false;

 private:
  std::optional<std::wstring> next() {
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
};

class CountingClock : public platform::Clock {
 public:
  std::uint64_t nowMs() override { return now; }
  void sleepMs(unsigned ms) override { now += ms; }
  std::uint64_t now = 0;
};

// skins\INI_EN\macro\ and skins\INI_EN\macroReset\ under a temporary folder.
struct GroupRig {
  explicit GroupRig(settings::UiLanguage language = settings::UiLanguage::English)
      : folders(macro::macroFoldersFor(dir.path(L"skins"), language)),
        store(ini, files, view, clock) {
    std::filesystem::create_directories(platform::toNativePath(folders.macro));
    std::filesystem::create_directories(platform::toNativePath(folders.reset));
    store.setFolders(folders, language);
  }

  // Writes a group file with macros of the given names and the group list.
  void writeGroup(const std::wstring& folder, const std::wstring& name,
                  const std::vector<std::wstring>& macros) {
    macro::GroupMacroTable t;
    for (const auto& m : macros) {
      t.slots[static_cast<std::size_t>(t.count)].setName(m);
      t.slots[static_cast<std::size_t>(t.count)].setEventCount(1);
      t.slots[static_cast<std::size_t>(t.count)].setEvent(0, {0x04, 1, 30});
      ++t.count;
    }
    files.createUnicodeFile(folder + name + L".dat");
    macro::saveGroupMacros(ini, folder + name + L".dat", t);
  }
  void writeGroupList(const std::wstring& folder, const std::vector<std::wstring>& names) {
    const std::wstring path = folder + L"macroGrp.ini";
    files.createUnicodeFile(path);
    ini.writeString(path, L"MACRO_GROUP_NUM", L"macGrpNum", std::to_wstring(names.size()));
    for (std::size_t k = 0; k < names.size(); ++k) ini.writeString(path, L"MACRO_GROUP_NAME", std::to_wstring(k), names[k]);
  }
  std::wstring listed(int k) {
    return ini.readString(folders.macro + L"macroGrp.ini", L"MACRO_GROUP_NAME", std::to_wstring(k), 100, L"<none>");
  }
  std::wstring listedCount() {
    return ini.readString(folders.macro + L"macroGrp.ini", L"MACRO_GROUP_NUM", L"macGrpNum", 10);
  }
  bool hasFile(const std::wstring& folderFile) { return files.fileExists(folderFile); }

  TempFolder dir;
  platform::IniFileProfile ini;
  macro::StdMacroFileSystem files;
  RecordingView view;
  CountingClock clock;
  macro::MacroFolders folders;
  macro::MacroGroupStore store;
};

}  // namespace pyxom::test
