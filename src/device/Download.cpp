#include "device/Download.h"

#include <algorithm>

#include "device/DpiCodes.h"
#include "settings/FunctionCodes.h"

namespace pyxom::device {

namespace {

void call(const std::function<void()>& f) {
  if (f) f();
}

// Step 4: the button reports and, for each button, its entries in the per-button tables.
void sendButtons(const DownloadContext& c) {
  const int keyCount = std::clamp(c.layout.keyCount, 0, kMaxButtons);
  for (int i = 0; i < keyCount; ++i) {
    const auto b = static_cast<std::size_t>(i);
    const settings::ButtonFunction code = c.settings.buttons[b];
    if (c.model == 2) {
      c.tables.hostDpiAction[b] = hostDpiAction(code);
      if (settings::isMacroCode(code)) {
        // Groups beyond the table (only an edited config.ini names one) fill nothing.
        const int group = settings::macroGroup(code);
        const int index = settings::macroIndex(code);
        if (ButtonTables::inGroupTable(group, index)) {
          c.tables.setGroupBlock(group, index, c.macros.groupBlock(group, index));
        }
      }
    } else {
      c.tables.dpiReportFlag[b] = reportsDpiLevel(code);
      c.tables.rateCycleFlag[b] = cyclesReportRate(code);
      c.tables.setButtonBlock(i, settings::isMacroCode(code) ? c.macros.buttonBlock(code)
                                                             : MacroBlock{});
    }
    // Model 2 sends nothing for a code it has no device value for.
    if (auto value = settings::deviceValue(code, c.model)) {
      c.protocol.sendButtonFunction(c.layout.deviceKeyIndex[b], *value);
    }
  }
}

// The code of the current level for the DPI current report; a level outside 0..3 (only an
// edited config.ini holds one) takes the code of level 0 rather than reading past the table.
std::uint8_t codeOfLevel(const ButtonTables& t, int level) {
  return t.dpiCodes[static_cast<std::size_t>(level >= 0 && level < 4 ? level : 0)];
}

}  // namespace

int systemPointerSpeed(std::uint8_t setting) {
  return setting <= 8 ? (setting == 0 ? 1 : 2 * setting) : 18;
}

unsigned wheelScrollLines(std::uint8_t setting) { return static_cast<std::uint8_t>(setting + 1); }

bool reportsDpiLevel(std::int32_t code) { return code == 6 || code == 15 || code == 16; }

bool cyclesReportRate(std::int32_t code) { return code == 14; }

int hostDpiAction(std::int32_t code) {
  switch (code) {
    case 6: return 2;
    case 15: return 1;
    case 16: return -1;
    case 12: return 3;
    default: return 0;
  }
}

std::uint8_t dpiEnableMask(const settings::MouseSettings& s) {
  unsigned mask = 0;
  for (unsigned j = 0; j < settings::kDpiLevels; ++j) {
    if (s.dpiEnabled[j] != 0) mask |= 1u << j;
  }
  return static_cast<std::uint8_t>(mask);
}

void downloadConfiguration(const DownloadContext& c) {
  const settings::MouseSettings& s = c.settings;
  const int keyCount = std::clamp(c.layout.keyCount, 0, kMaxButtons);

  call(c.flushMacroPage);                                              // 1
  settings::writeCurrentProfile(c.ini, c.configPath, c.profile);       // 2
  settings::saveSettings(c.ini, c.configPath, kSentProfile, keyCount, c.model, s);  // 3
  sendButtons(c);                                                      // 4

  if (c.system.pointerSpeed()) c.system.setPointerSpeed(systemPointerSpeed(s.pointerSpeed));  // 5
  if (c.system.wheelScrollLines()) c.system.setWheelScrollLines(wheelScrollLines(s.wheelSpeed));  // 6

  c.protocol.sendFireInterval(c.model, s.fireInterval);                // 7
  settings::saveSettings(c.ini, c.configPath, c.profile, keyCount, c.model, s);  // 8
  const std::uint8_t led = s.ledMode;
  c.protocol.sendLed(led);                                             // 9
  call(c.repaint);                                                     // 10
  if (led <= 1 && c.restartLedPreview) c.restartLedPreview(s.dpiLevel);
  c.protocol.sendReport11();                                           // 11

  const std::int32_t level = s.dpiLevel;                               // 12
  const std::uint8_t mask = dpiEnableMask(s);
  for (int j = 0; j < settings::kDpiLevels; ++j) {
    const std::uint8_t code = dpiCode(c.model, s.dpiStep[static_cast<std::size_t>(j)]);
    c.tables.dpiCodes[static_cast<std::size_t>(j)] = code;
    c.protocol.sendDpiLevel(j, code, level, mask);
  }

  if (c.model == 2) {                                                  // 13
    c.protocol.sendDpiCurrent(level, codeOfLevel(c.tables, level), led);
    call(c.repaint);
  }
}

void downloadAfterFirstPaint(const DownloadContext& context,
                             const std::function<void()>& invalidateWindow,
                             platform::Clock& clock) {
  call(invalidateWindow);
  clock.sleepMs(5);
  downloadConfiguration(context);
}

}  // namespace pyxom::device
