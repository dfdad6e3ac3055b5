#include "settings/FunctionCodes.h"

#include <array>

namespace pyxom::settings {
namespace {

using K = HostActionKind;
constexpr int kNone = -1;  // no device value on model 2

struct CodeRow {
  std::uint8_t value01;
  HostAction host01;
  int value2;  // kNone: no button report on model 2
  HostAction host2;
};

constexpr const wchar_t* kCmd = L"cmd.exe";
constexpr const wchar_t* kCalc = L"calc.exe";
constexpr const wchar_t* kComputerFolder = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

constexpr CodeRow builtIn(std::uint8_t v) { return {v, {}, v, {}}; }
constexpr CodeRow noFunction(int value2) { return {0, {}, value2, {}}; }
constexpr CodeRow consumer(std::uint16_t usage, int value2, HostAction host2 = {}) {
  return {0, {K::ConsumerKey, usage, nullptr}, value2, host2};
}
constexpr CodeRow shortcut(std::uint16_t slot, HostAction host2) {
  return {0, {K::BuiltInMacro, slot, nullptr}, kHostPerformedValue, host2};
}

// Codes 0 to 40; a code of 7 to 255 not listed here behaves like code 7.
constexpr std::array<CodeRow, 41> kCodes = {{
    /* 0 */ noFunction(0),
    /* 1 */ builtIn(1),
    /* 2 */ builtIn(2),
    /* 3 */ builtIn(3),
    /* 4 */ builtIn(4),
    /* 5 */ builtIn(5),
    /* 6 */ {6, {K::DpiFromReport}, kHostPerformedValue, {K::DpiCycle}},
    /* 7 */ noFunction(kNone),
    /* 8 */ noFunction(kNone),
    /* 9 */ noFunction(kNone),
    /* 10 */ noFunction(kNone),
    /* 11 */ builtIn(7),
    /* 12 */ {8, {}, kHostPerformedValue, {K::DoubleClick}},
    /* 13 */ builtIn(9),
    /* 14 */ {10, {K::ReportRateCycle}, kNone, {}},
    /* 15 */ {11, {K::DpiFromReport}, kHostPerformedValue, {K::DpiUp}},
    /* 16 */ {12, {K::DpiFromReport}, kHostPerformedValue, {K::DpiDown}},
    /* 17 */ noFunction(kNone),
    /* 18 */ noFunction(kNone),
    /* 19 */ noFunction(kHostPerformedValue),
    /* 20 */ noFunction(kNone),
    /* 21 */ consumer(0x223, 10),
    /* 22 */ consumer(0x183, 11),
    /* 23 */ consumer(0x18A, 12),
    /* 24 */ consumer(0xE9, 13),
    /* 25 */ consumer(0xEA, 14),
    /* 26 */ consumer(0xB6, 17),
    /* 27 */ consumer(0xB5, 16),
    /* 28 */ consumer(0xE2, kHostPerformedValue, {K::VirtualKey, 0xAD, nullptr}),
    /* 29 */ consumer(0xCD, 15),
    /* 30 */ consumer(0x192, kHostPerformedValue, {K::RunProgram, 0, kCalc}),
    /* 31 */ shortcut(0, {K::CtrlShortcut, 'C', nullptr}),
    /* 32 */ shortcut(1, {K::CtrlShortcut, 'V', nullptr}),
    /* 33 */ shortcut(2, {K::CtrlShortcut, 'A', nullptr}),
    /* 34 */ shortcut(3, {K::CtrlShortcut, 'Z', nullptr}),
    /* 35 */ shortcut(4, {K::CtrlShortcut, 'F', nullptr}),
    /* 36 */ shortcut(5, {K::AltF4}),
    /* 37 */ shortcut(6, {K::OpenShellFolder, 0, kComputerFolder}),
    /* 38 */ shortcut(7, {K::LockWorkstation}),
    /* 39 */ noFunction(kHostPerformedValue),
    /* 40 */ {0, {K::RunProgram, 0, kCmd}, kHostPerformedValue, {K::RunProgram, 0, kCmd}},
}};

const CodeRow* rowOf(ButtonFunction code) {
  if (code < 0 || isMacroCode(code)) return nullptr;
  return code < static_cast<ButtonFunction>(kCodes.size()) ? &kCodes[static_cast<std::size_t>(code)]
                                                            : &kCodes[7];
}

}  // namespace

std::optional<std::uint8_t> deviceValue(ButtonFunction code, int model) {
  const bool m2 = model == kModel2;
  if (isMacroCode(code)) {
    if (!m2) return std::uint8_t{0};
    if (macroIndex(code) < kMacrosPerGroup) return kHostPerformedValue;
    return std::nullopt;
  }
  const CodeRow* row = rowOf(code);
  if (!row) return m2 ? std::nullopt : std::optional<std::uint8_t>(0);  // negative codes
  if (!m2) return row->value01;
  if (row->value2 == kNone) return std::nullopt;
  return static_cast<std::uint8_t>(row->value2);
}

HostAction hostAction(ButtonFunction code, int model) {
  const bool m2 = model == kModel2;
  if (isMacroCode(code)) return {m2 ? K::GroupMacro : K::ButtonMacro, 0, nullptr};
  const CodeRow* row = rowOf(code);
  if (!row) return {};
  return m2 ? row->host2 : row->host01;
}

}  // namespace pyxom::settings
