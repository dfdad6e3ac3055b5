// The configuration download: stores the profile, sends every configuration report, sets the
// system pointer speed and wheel lines, and fills the per-button tables of the action threads.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "device/ButtonTables.h"
#include "device/MacroBlock.h"
#include "device/ReportProtocol.h"
#include "platform/Clock.h"
#include "platform/PrivateProfile.h"
#include "platform/SystemSettings.h"
#include "settings/MouseSettings.h"

namespace pyxom::device {

// Everything one download needs; the caller builds it for each call (the profile number
// changes when the user switches profile).
struct DownloadContext {
  ReportProtocol& protocol;
  const settings::MouseSettings& settings;
  const settings::ButtonLayout& layout;
  int model = 0;
  platform::PrivateProfile& ini;
  std::wstring configPath;  // full path of config.ini
  int profile = 0;          // current profile number N
  MacroBlockSource& macros;
  platform::SystemSettings& system;
  ButtonTables& tables;
  // Step 1: store the repeat count of the macro selected on the macro page and save its file
  // (only when that page is shown and a macro is selected). May be empty.
  std::function<void()> flushMacroPage;
  // Repaint of the main window, after the LED report and (model 2) after the DPI current
  // report. May be empty.
  std::function<void()> repaint;
  // Called after the first repaint when the LED mode is 0 or 1: the LED page's preview
  // restarts at this DPI level. May be empty.
  std::function<void(int dpiLevel)> restartLedPreview;
};

// The profile section that always holds the settings most recently sent to the mouse.
inline constexpr int kSentProfile = 6;

void downloadConfiguration(const DownloadContext& context);

// Start-up's last steps before the tray icon: invalidate the whole window, wait 5 ms, download.
void downloadAfterFirstPaint(const DownloadContext& context,
                             const std::function<void()>& invalidateWindow,
                             platform::Clock& clock);

// System pointer speed for the pointer speed setting: 1, 2, 4, ..., 16 for 0 to 8, else 18.
int systemPointerSpeed(std::uint8_t setting);
// Wheel scroll lines for the wheel speed setting: setting + 1 in 8 bits (255 gives 0).
unsigned wheelScrollLines(std::uint8_t setting);

// Per-button table entries of one code.
bool reportsDpiLevel(std::int32_t code);  // models 0, 1: 6, 15, 16
bool cyclesReportRate(std::int32_t code);  // models 0, 1: 14
int hostDpiAction(std::int32_t code);      // model 2: 2, 1, -1, 3 or 0

// Enable mask of the DPI level reports: bit n set when level n is enabled.
std::uint8_t dpiEnableMask(const settings::MouseSettings& s);

}  // namespace pyxom::device
