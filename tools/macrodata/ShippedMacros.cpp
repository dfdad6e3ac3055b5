#include "ShippedMacros.h"

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>

#include "macro/MacroFile.h"
#include "macro/MacroGroups.h"
#include "platform/IniFileProfile.h"

namespace pyxom::macrodata {
namespace {

using macro::Macro;
using macro::MacroEvent;
using settings::UiLanguage;

// HID usages.
constexpr std::uint8_t kA = 0x04, kC = 0x06, kE = 0x08, kF = 0x09, kL = 0x0F, kR = 0x15,
                       kS = 0x16, kT = 0x17, kV = 0x19, kW = 0x1A, kX = 0x1B, kY = 0x1C,
                       kZ = 0x1D, kSpace = 0x2C, kF4 = 0x3D, kF5 = 0x3E, kLeft = 0x50,
                       kRight = 0x4F, kCtrl = 0xE0, kShift = 0xE1, kAlt = 0xE2, kWin = 0xE3;

constexpr std::uint16_t kStep = 30;  // ms after each key step

struct Builder {
  Macro m;
  explicit Builder(const std::wstring& name) { m.setName(name); }
  Builder& add(std::uint8_t key, std::uint8_t action, std::uint16_t delay = kStep) {
    m.setEvent(m.eventCount(), MacroEvent{key, action, delay});
    m.setEventCount(static_cast<std::uint8_t>(m.eventCount() + 1));
    return *this;
  }
  Builder& press(std::uint8_t key, std::uint16_t delay = kStep) { return add(key, macro::kActionPress, delay); }
  Builder& release(std::uint8_t key, std::uint16_t delay = kStep) { return add(key, macro::kActionRelease, delay); }
  Builder& tap(std::uint8_t key, std::uint16_t delay = kStep) { return press(key, delay).release(key, delay); }
  // Modifiers held around a key, released in reverse order.
  Builder& chord(std::initializer_list<std::uint8_t> modifiers, std::uint8_t key) {
    for (auto mod : modifiers) press(mod);
    tap(key);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) release(*it);
    return *this;
  }
  Builder& repeat(std::uint8_t options, std::uint16_t count = 1) {
    m.setOptions(options);
    m.setRepeatCount(count);
    return *this;
  }
  operator Macro() {  // NOLINT: builders read as macros in the tables below
    if (m.options() == macro::kPlayOnce) m.setRepeatCount(1);
    return m;
  }
};

Macro shortcut(const std::wstring& name, std::initializer_list<std::uint8_t> modifiers, std::uint8_t key) {
  return Builder(name).chord(modifiers, key);
}

// One in-memory profile per shipped file, written with the program's macro writer.
class MemoryProfile final : public platform::PrivateProfile {
 public:
  std::wstring readString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                          std::size_t bufferSize, const std::wstring& def) override {
    auto it = docs.find(path);
    std::optional<std::wstring> v;
    if (it != docs.end()) v = it->second.find(section, key);
    std::wstring s = v ? *v : def;
    return bufferSize == 0 ? std::wstring() : s.substr(0, bufferSize - 1);
  }
  bool writeString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override {
    docs.try_emplace(path, platform::IniDocument::empty()).first->second.set(section, key, value);
    return true;
  }
  bool deleteKey(const std::wstring&, const std::wstring&, const std::wstring&) override { return false; }
  bool deleteSection(const std::wstring&, const std::wstring&) override { return false; }

  std::map<std::wstring, platform::IniDocument> docs;
};

void writeGroupFolder(MemoryProfile& ini, const std::wstring& folder, const std::vector<ShippedGroup>& groups) {
  const std::wstring list = folder + macro::kGroupIniName;
  ini.writeString(list, macro::kGroupCountSection, macro::kGroupCountKey, std::to_wstring(groups.size()));
  for (int k = 0; k < macro::kMaxGroups; ++k) {
    ini.writeString(list, macro::kGroupNameSection, std::to_wstring(k),
                    k < static_cast<int>(groups.size()) ? groups[static_cast<std::size_t>(k)].name : L"");
  }
  for (const auto& g : groups) {
    macro::GroupMacroTable t;
    for (const auto& m : g.macros) t.slots[static_cast<std::size_t>(t.count++)] = m;
    macro::saveGroupMacros(ini, folder + g.name + L".dat", t);
  }
}

std::filesystem::path utf8Path(const std::string& base, const std::wstring& relative) {
  std::u8string out(base.begin(), base.end());
  out.push_back(u8'/');
  for (wchar_t wc : relative) {
    auto c = static_cast<char32_t>(wc);
    if (c < 0x80) {
      out.push_back(static_cast<char8_t>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char8_t>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char8_t>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char8_t>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char8_t>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char8_t>(0x80 | (c & 0x3F)));
    }
  }
  return std::filesystem::path(out);
}

}  // namespace

std::vector<Macro> builtInMacros() {
  return {
      shortcut(L"Copy", {kCtrl}, kC),
      shortcut(L"Paste", {kCtrl}, kV),
      shortcut(L"Select All", {kCtrl}, kA),
      shortcut(L"Undo", {kCtrl}, kZ),
      shortcut(L"Find", {kCtrl}, kF),
      shortcut(L"Close Window", {kAlt}, kF4),
      shortcut(L"Computer", {kWin}, kE),
      shortcut(L"Lock", {kWin}, kL),
  };
}

std::vector<ShippedGroup> factoryGroups(UiLanguage language) {
  const bool en = language == UiLanguage::English;
  auto t = [en](const wchar_t* english, const wchar_t* second) { return std::wstring(en ? english : second); };
  const std::uint8_t left = macro::kKeyMouseLeft;
  ShippedGroup office{t(L"Office", L"Офис"),
                      {shortcut(t(L"Copy", L"Копировать"), {kCtrl}, kC),
                       shortcut(t(L"Paste", L"Вставить"), {kCtrl}, kV),
                       shortcut(t(L"Cut", L"Вырезать"), {kCtrl}, kX),
                       shortcut(t(L"Undo", L"Отменить"), {kCtrl}, kZ),
                       shortcut(t(L"Redo", L"Повторить"), {kCtrl}, kY),
                       shortcut(t(L"Save", L"Сохранить"), {kCtrl}, kS),
                       shortcut(t(L"Select All", L"Выделить всё"), {kCtrl}, kA)}};
  ShippedGroup browser{t(L"Browser", L"Браузер"),
                       {shortcut(t(L"New Tab", L"Новая вкладка"), {kCtrl}, kT),
                        shortcut(t(L"Close Tab", L"Закрыть вкладку"), {kCtrl}, kW),
                        shortcut(t(L"Reopen Tab", L"Вернуть вкладку"), {kCtrl, kShift}, kT),
                        Builder(t(L"Refresh", L"Обновить")).tap(kF5),
                        shortcut(t(L"Back", L"Назад"), {kAlt}, kLeft),
                        shortcut(t(L"Forward", L"Вперёд"), {kAlt}, kRight)}};
  ShippedGroup gaming{t(L"Gaming", L"Игры"),
                      {Builder(t(L"Double Click", L"Двойной щелчок")).tap(left, 20).tap(left, 20),
                       Builder(t(L"Rapid Fire", L"Автоогонь")).tap(left, 40).repeat(macro::kPlayCount, 10),
                       Builder(t(L"Reload", L"Перезарядка")).tap(kR, 50),
                       Builder(t(L"Quick Turn", L"Разворот"))
                           .add(255, macro::kActionMoveRight, 15)
                           .add(255, macro::kActionMoveRight, 15)
                           .add(255, macro::kActionMoveRight, 15)
                           .add(255, macro::kActionMoveRight, 15),
                       Builder(t(L"Bunny Hop", L"Распрыжка")).press(kSpace, 30).release(kSpace, 500)
                           .repeat(macro::kPlayUntilStopped)}};
  return {office, browser, gaming};
}

std::map<std::wstring, std::string> shippedFiles() {
  MemoryProfile ini;
  macro::GroupMacroTable constant;
  for (const auto& m : builtInMacros()) constant.slots[static_cast<std::size_t>(constant.count++)] = m;
  macro::saveGroupMacros(ini, L"constMacro.dat", constant);
  for (UiLanguage lang : {UiLanguage::English, UiLanguage::Second}) {
    const std::wstring base = lang == UiLanguage::English ? L"skins/INI_EN/" : L"skins/INI_CN/";
    writeGroupFolder(ini, base + L"macro/", factoryGroups(lang));
    writeGroupFolder(ini, base + L"macroReset/", factoryGroups(lang));
  }
  std::map<std::wstring, std::string> files;
  for (const auto& [path, doc] : ini.docs) files[path] = doc.serialize();
  return files;
}

bool writeShippedFiles(const std::string& dataFolder) {
  bool ok = true;
  for (const auto& [relative, bytes] : shippedFiles()) {
    const auto path = utf8Path(dataFolder, relative);
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    ok = ok && static_cast<bool>(out);
  }
  return ok;
}

}  // namespace pyxom::macrodata
