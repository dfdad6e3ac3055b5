#include "app/ShellState.h"

#include "settings/Decimal.h"

namespace pyxom::app {

std::wstring applicationFolder(const std::wstring& modulePath) {
  auto pos = modulePath.find_last_of(L'\\');
  return pos == std::wstring::npos ? std::wstring() : modulePath.substr(0, pos);
}

std::wstring applicationName(const std::wstring& modulePath) {
  auto slash = modulePath.find_last_of(L"\\/");
  std::wstring base = slash == std::wstring::npos ? modulePath : modulePath.substr(slash + 1);
  auto dot = base.find_last_of(L'.');
  return dot == std::wstring::npos ? base : base.substr(0, dot);
}

UiLanguage languageFromStored(std::uint8_t stored) {
  return stored != 0 ? UiLanguage::English : UiLanguage::Second;
}

ShellState readShellState(platform::PrivateProfile& ini, const std::wstring& appFolder) {
  ShellState s;
  s.appFolder = appFolder;
  s.skinsFolder = appFolder + L"\\skins";
  s.configPath = appFolder + L"\\config.ini";
  s.productNameSecond = ini.readString(s.configPath, L"PRODUCTNAME", L"PRODUCTNAME_CN", 34);
  s.productNameEnglish = ini.readString(s.configPath, L"PRODUCTNAME", L"PRODUCTNAME_EN", 34);
  s.currentProfileText = ini.readString(s.configPath, L"Init", L"CurConfig", 5);
  s.currentProfile = settings::decimalToInt(s.currentProfileText);
  s.currentProfileSection = L"Config" + s.currentProfileText;
  s.storedLanguage = settings::decimalToByte(ini.readString(s.configPath, L"Init", L"VER_SEL", 5));
  s.language = languageFromStored(s.storedLanguage);
  return s;
}

std::wstring noMouseMessage(const ShellState& state) {
  if (state.language == UiLanguage::English)
    return L"Please connect your USB mouse : " + state.productNameEnglish;
  return L"Подключите мышь : " + state.productNameSecond;
}

CommandLine parseCommandLine(int argc, const wchar_t* const* argv) {
  CommandLine c;
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    if (a.rfind(L"--simulate=", 0) == 0) {
      std::wstring v = a.substr(11);
      if (v == L"0" || v == L"1" || v == L"2") {
        c.simulateModel = v[0] - L'0';
      } else {
        c.valid = false;
        c.error = L"--simulate takes a model number 0, 1 or 2, not \"" + v + L"\".";
      }
    } else if (a.rfind(L"--sim-trace=", 0) == 0) {
      c.simTracePath = a.substr(12);
    }
  }
  return c;
}

}  // namespace pyxom::app
