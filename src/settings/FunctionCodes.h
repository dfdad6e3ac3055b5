// ButtonFunction codes: what one programmable button does, the byte the mouse is sent for it
// (per model) and what the host does when the mouse reports the button.
#pragma once

#include <cstdint>
#include <optional>

namespace pyxom::settings {

using ButtonFunction = std::int32_t;

// DeviceModel 0, 1 or 2. Models 0 and 1 share one column of the code table; any model other
// than 2 is treated like them.
inline constexpr int kModel2 = 2;

inline constexpr ButtonFunction kPrimaryClick = 1;
inline constexpr ButtonFunction kFirstMacroCode = 256;
inline constexpr std::uint8_t kHostPerformedValue = 31;  // model 2: the host performs the code

// Device value of `code` for `model`: byte 3 of the button report. None: no button report is
// sent for the button on that model (model 2 only).
std::optional<std::uint8_t> deviceValue(ButtonFunction code, int model);

enum class HostActionKind : std::uint8_t {
  None,
  // Models 0 and 1.
  DpiFromReport,    // 6, 15, 16: take the level the mouse reports, save it
  ReportRateCycle,  // 14: advance the report rate (0 after 3), save it
  ConsumerKey,      // 21..30: value = consumer usage, sent through the mouse
  BuiltInMacro,     // 31..38: value = built-in macro slot 0..7, played once
  ButtonMacro,      // macro codes: the button's prepared macro block
  // Model 2.
  DpiCycle,         // 6: next enabled level, wrapping after level 3
  DpiUp,            // 15
  DpiDown,          // 16
  DoubleClick,      // 12
  VirtualKey,       // 28: value = virtual key pressed and released (0xAD, volume mute)
  CtrlShortcut,     // 31..35: Ctrl + value (virtual key 'C', 'V', 'A', 'Z', 'F')
  AltF4,            // 36
  OpenShellFolder,  // 37: text = shell folder
  LockWorkstation,  // 38
  GroupMacro,       // macro codes: block of (macroGroup, macroIndex)
  // Both.
  RunProgram,       // 40 (and 30 on model 2): text = program
};

struct HostAction {
  HostActionKind kind = HostActionKind::None;
  std::uint16_t value = 0;
  const wchar_t* text = nullptr;
};

// What the host does for `code` on `model` when the mouse reports the button.
HostAction hostAction(ButtonFunction code, int model);

constexpr bool isMacroCode(ButtonFunction code) { return code >= kFirstMacroCode; }
// 0-based group used to address macro blocks: code / 256 - 1 (the 1-based group g of
// code 256 * g + k is g). Only meaningful for macro codes.
constexpr int macroGroup(ButtonFunction code) { return code / 256 - 1; }
// 0-based position of the macro in its group: code mod 256.
constexpr int macroIndex(ButtonFunction code) { return code % 256; }
constexpr ButtonFunction macroCode(int group1Based, int index0Based) {
  return 256 * group1Based + index0Based;
}

// Model 2 reaches at most 12 macros per group; a larger index has no device value there.
inline constexpr int kMacrosPerGroup = 12;

}  // namespace pyxom::settings
