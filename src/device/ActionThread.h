// The action threads: perform on the host the functions of the buttons that the mouse
// reports. Models 0 and 1 play keys and buttons through the mouse's emulation reports; model 2
// synthesises the system's own keyboard and mouse input. One pass handles the pending press
// (if any), clears the flags and pauses 2 ms, so tests can drive it without a thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "device/ButtonEvents.h"
#include "device/ButtonTables.h"
#include "device/MacroBlock.h"
#include "device/ReportProtocol.h"
#include "platform/Clock.h"
#include "platform/HostInput.h"
#include "platform/HostShell.h"
#include "platform/PrivateProfile.h"
#include "settings/MouseSettings.h"

namespace pyxom::device {

inline constexpr unsigned kMinStepDelayMs = 15;
inline constexpr int kEndlessRepeats01 = 10000;
inline constexpr int kEndlessRepeats2 = 100000;
inline constexpr int kBuiltInMacroSlots = 8;

struct ActionContext {
  ReportProtocol& protocol;
  ButtonEvents& events;
  const ButtonTables& tables;
  settings::MouseSettings& settings;  // DPI level and report rate are changed here
  const settings::ButtonLayout& layout;
  int model;
  MacroBlockSource& macros;  // group macro counts (models 0, 1)
  // Built-in macro slot 0..7 (models 0, 1; keys as HID usages). Empty: they play nothing.
  std::function<MacroBlock(int slot)> builtInMacro;
  // Model 2: the key-code conversion that turns a movement step's key byte into a distance.
  // Empty: the byte is the distance.
  std::function<std::uint8_t(std::uint8_t)> vkToUsage;
  platform::PrivateProfile& ini;
  std::wstring configPath;
  const settings::Shared<int>& profile;  // current profile number, for the DPI and rate saves
  platform::HostInput& input;
  platform::HostShell& shell;
  platform::Clock& clock;
  std::function<void()> repaint;  // may be empty
  // Set when the program ends: a playing macro stops and long pauses are cut short.
  const std::atomic<bool>* quit = nullptr;
};

// One pass of the action thread of the context's model.
void actionPass(const ActionContext& c);

// Repetitions of a block: bit 1 of options → endless (10000 or 100000 on model 2), options 0
// → once, otherwise the block's repeat count.
int repetitions(const MacroBlock& block, int model);

// Model-2 DPI functions: the level after `action` (−1 down, 1 up, 2 cycle, 3 double click)
// from `level`, given the enable flags.
int nextDpiLevel(int action, int level, const settings::MouseSettings& s);

// Model-2 keyboard details: the scan code to send and whether the key is extended.
std::uint16_t hostScanCode(platform::HostInput& input, std::uint8_t virtualKey);
bool isExtendedKey(std::uint8_t virtualKey);

}  // namespace pyxom::device
