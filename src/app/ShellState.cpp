#include "app/ShellState.h"


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

ShellState readShellState(platform::PrivateProfile& ini, const std::wstring& appFolder) {
  ShellState s;
  s.appFolder = appFolder;
  s.skinsFolder = appFolder + L"\\skins";
  s.configPath = appFolder + L"\\config.ini";
  s.layout = settings::readLayout(ini, s.configPath);
  s.profile = settings::readCurrentProfile(ini, s.configPath);
  s.storedLanguage = settings::readStoredLanguage(ini, s.configPath);
  s.language = settings::languageOf(s.storedLanguage);
  return s;
}

std::wstring noMouseMessage(const ShellState& state) {
  if (state.language == UiLanguage::English)
    return L"Please connect your USB mouse : " + state.layout.productNameEnglish;
  return L"Подключите мышь : " + state.layout.productNameSecond;
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
