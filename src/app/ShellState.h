// Process-wide state of the application shell that is computed from the executable's path and
// config.ini, kept apart from the window so that it can be checked without one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/PrivateProfile.h"
#include "settings/MouseSettings.h"
#include "settings/UiLanguage.h"

namespace pyxom::app {

using settings::UiLanguage;

// "C:\dir\pyxom.exe" -> "C:\dir" (everything before the last backslash).
std::wstring applicationFolder(const std::wstring& modulePath);
// "C:\dir\pyxom.exe" -> "pyxom": the caption of every message box.
std::wstring applicationName(const std::wstring& modulePath);

struct ShellState {
  std::wstring appFolder;
  std::wstring skinsFolder;   // appFolder + "\skins"
  std::wstring configPath;    // appFolder + "\config.ini"
  settings::ButtonLayout layout;      // product names, KeyNum, key map, factory functions
  settings::CurrentProfile profile;   // CurConfig text, number and section
  std::uint8_t storedLanguage = 0;    // VER_SEL, low 8 bits
  UiLanguage language = UiLanguage::Second;

  const std::wstring& productName() const {
    return language == UiLanguage::English ? layout.productNameEnglish : layout.productNameSecond;
  }
};

// Start-up steps 4 to 8: paths, product names and layout, current profile and language.
ShellState readShellState(platform::PrivateProfile& ini, const std::wstring& appFolder);

// The message shown when no mouse is attached.
std::wstring noMouseMessage(const ShellState& state);

// Command line of pyxom.exe.
struct CommandLine {
  std::optional<int> simulateModel;  // --simulate=N
  std::wstring simTracePath;         // --sim-trace=FILE
  bool valid = true;
  std::wstring error;
};
CommandLine parseCommandLine(int argc, const wchar_t* const* argv);

}  // namespace pyxom::app
