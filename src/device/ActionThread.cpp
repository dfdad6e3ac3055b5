#include "device/ActionThread.h"

#include <algorithm>
#include <array>

#include "settings/FunctionCodes.h"

namespace pyxom::device {
namespace {

using platform::MouseButton;
using settings::HostActionKind;

constexpr std::uint8_t kRepeatUntilStopped = 0x02;
constexpr unsigned kPauseSliceMs = 250;  // longest uninterrupted sleep while the program may end
constexpr std::uint8_t kVkControl = 0x11, kVkMenu = 0x12, kVkF4 = 0x73;
constexpr unsigned kShortcutHoldMs = 20;
constexpr int kShowWindow = 5;

bool quitting(const ActionContext& c) { return c.quit && c.quit->load(); }

bool stopRequested(const ActionContext& c) {
  return c.events.macroStopRequest.load() == 1 || quitting(c);
}

void pause(const ActionContext& c, unsigned ms) {
  if (!c.quit) {
    c.clock.sleepMs(ms);
    return;
  }
  while (ms > 0 && !quitting(c)) {
    const unsigned slice = std::min(ms, kPauseSliceMs);
    c.clock.sleepMs(slice);
    ms -= slice;
  }
}

struct Step {
  std::uint8_t key;
  std::uint8_t action;
  unsigned delay;
};

Step stepOf(const MacroBlock& b, int e) {
  const auto i = static_cast<std::size_t>(e);
  return {b[kBlockEvents + 2 * i], b[kBlockEvents + 2 * i + 1],
          static_cast<unsigned>(b[kBlockDelays + 2 * i] | b[kBlockDelays + 2 * i + 1] << 8)};
}

// Movement steps: the pointer moves by the distance on one axis. False for other actions.
bool moveFor(std::uint8_t action, int distance, platform::HostInput& input) {
  switch (action) {
    case 0x81: input.mouseMove(distance, 0); return true;
    case 0x82: input.mouseMove(-distance, 0); return true;
    case 0xF1: input.mouseMove(0, distance); return true;
    case 0xF2: input.mouseMove(0, -distance); return true;
    default: return false;
  }
}

void saveLevel(const ActionContext& c) {
  settings::saveDpiLevel(c.ini, c.configPath, c.profile.get(), c.settings);
}

void repaint(const ActionContext& c) {
  if (c.repaint) c.repaint();
}

bool matches(const ActionContext& c, int button, std::uint8_t code) {
  return c.layout.deviceKeyIndex[static_cast<std::size_t>(button)] + 0xF0 == code;
}

int buttonCount(const ActionContext& c) { return std::clamp(c.layout.keyCount, 0, kMaxButtons); }

// ---- Models 0 and 1: keys and buttons through the mouse.

void playThroughMouse(const ActionContext& c, const MacroBlock& block, int reps) {
  const int events = block[kBlockEventCount];
  for (int r = 0; r < reps; ++r) {
    for (int e = 0; e < events; ++e) {
      if (stopRequested(c)) return;
      const Step s = stepOf(block, e);
      if (!moveFor(s.action, s.key, c.input)) c.protocol.pressKey(s.key, s.action);
      pause(c, std::max(s.delay, kMinStepDelayMs));
    }
    if (stopRequested(c)) return;
  }
}

void handleButton01(const ActionContext& c, int i, std::uint8_t arg) {
  const auto bi = static_cast<std::size_t>(i);
  if (c.tables.dpiReportFlag[bi]) {
    // The mouse names the level it moved to; a level it cannot have is not taken.
    if (arg < settings::kDpiLevels) {
      c.settings.dpiLevel = arg;
      repaint(c);
      saveLevel(c);
    }
  }
  if (c.tables.rateCycleFlag[bi]) {
    const std::uint8_t rate = c.settings.reportRate;
    c.settings.reportRate = static_cast<std::uint8_t>(rate >= 3 ? 0 : rate + 1);
    repaint(c);
    settings::saveReportRate(c.ini, c.configPath, c.profile.get(), c.settings);
  }
  const settings::ButtonFunction code = c.settings.buttons[bi];
  const settings::HostAction a = settings::hostAction(code, c.model);
  switch (a.kind) {
    case HostActionKind::ButtonMacro: {
      const int g = settings::macroGroup(code);
      const int k = settings::macroIndex(code);
      if (g < 0 || g >= kMacroGroups || k >= c.macros.groupMacroCount(g)) return;
      const MacroBlock block = c.tables.copyButtonBlock(i);
      playThroughMouse(c, block, repetitions(block, c.model));
      c.protocol.releaseAll();
      return;
    }
    case HostActionKind::BuiltInMacro: {
      const MacroBlock block = c.builtInMacro ? c.builtInMacro(a.value) : MacroBlock{};
      playThroughMouse(c, block, 1);
      c.protocol.releaseAll();
      return;
    }
    case HostActionKind::ConsumerKey:
      c.protocol.sendConsumer(a.value);
      return;
    case HostActionKind::RunProgram:
      if (a.text) c.shell.runProgram(a.text, kShowWindow);
      return;
    default:
      return;
  }
}

void pass01(const ActionContext& c) {
  const std::uint8_t code = c.events.lastButtonCode;
  const std::uint8_t arg = c.events.lastButtonArg;
  for (int i = 0; i < buttonCount(c); ++i) {
    c.events.currentButton = i;
    if (matches(c, i, code)) handleButton01(c, i, arg);
  }
}

// ---- Model 2: the system's own input.

MouseButton buttonOfKey(std::uint8_t key) {
  if (key == 240) return MouseButton::Left;
  if (key == 241) return MouseButton::Right;
  return MouseButton::Middle;
}

void tapKey(const ActionContext& c, std::uint8_t vk, std::uint16_t scan, bool up) {
  c.input.keyEvent(vk, scan, up, false);
}

void runDpiFunction(const ActionContext& c, int action) {
  if (action == 3) {
    c.input.mouseButton(MouseButton::Left, false);
    c.clock.sleepMs(10);
    c.input.mouseButton(MouseButton::Left, true);
    c.clock.sleepMs(50);
    c.input.mouseButton(MouseButton::Left, false);
    c.clock.sleepMs(10);
    c.input.mouseButton(MouseButton::Left, true);
  }
  const int level = nextDpiLevel(action, c.settings.dpiLevel, c.settings);
  c.settings.dpiLevel = level;
  const std::uint8_t levelCode = c.tables.dpiCodes[static_cast<std::size_t>(level & 3)];
  c.protocol.sendDpiCurrent(level, levelCode, c.settings.ledMode);
  repaint(c);
  saveLevel(c);
}

void runFixedFunction(const ActionContext& c, settings::ButtonFunction code) {
  const settings::HostAction a = settings::hostAction(code, c.model);
  switch (a.kind) {
    case HostActionKind::VirtualKey: {
      const auto vk = static_cast<std::uint8_t>(a.value);
      const std::uint16_t scan = c.input.scanCode(vk);
      tapKey(c, vk, scan, false);
      tapKey(c, vk, scan, true);
      return;
    }
    case HostActionKind::CtrlShortcut: {
      const auto vk = static_cast<std::uint8_t>(a.value);
      const std::uint16_t scan = c.input.scanCode(vk);
      tapKey(c, kVkControl, 0, false);
      tapKey(c, vk, scan, false);
      c.clock.sleepMs(kShortcutHoldMs);
      tapKey(c, vk, scan, true);
      tapKey(c, kVkControl, 0, true);
      return;
    }
    case HostActionKind::AltF4: {
      const std::uint16_t scan = c.input.scanCode(kVkF4);
      tapKey(c, kVkMenu, 0, false);
      tapKey(c, kVkF4, scan, false);
      tapKey(c, kVkF4, scan, true);
      tapKey(c, kVkMenu, 0, true);
      return;
    }
    case HostActionKind::RunProgram:
      if (a.text) c.shell.runProgram(a.text, kShowWindow);
      return;
    case HostActionKind::OpenShellFolder:
      if (a.text) c.shell.openShellFolder(a.text);
      return;
    case HostActionKind::LockWorkstation:
      c.shell.lockWorkstation();
      return;
    default:
      return;
  }
}

void playOnHost(const ActionContext& c, settings::ButtonFunction code) {
  const MacroRef ref{settings::macroGroup(code), settings::macroIndex(code)};
  c.events.setCurrentMacro(ref);
  const MacroBlock block = c.tables.copyGroupBlock(ref.group, ref.index);
  const int reps = repetitions(block, c.model);
  const int events = block[kBlockEventCount];
  bool stopped = false;
  for (int r = 0; r < reps && !stopped; ++r) {
    for (int e = 0; e < events; ++e) {
      const Step s = stepOf(block, e);
      const int distance = c.vkToUsage ? c.vkToUsage(s.key) : s.key;
      if (!moveFor(s.action, distance, c.input)) {
        if (s.key < 240) {
          if (s.action == 1 || s.action == 2) {
            c.input.keyEvent(s.key, hostScanCode(c.input, s.key), s.action == 2, isExtendedKey(s.key));
          }
        } else {
          const MouseButton b = buttonOfKey(s.key);
          if (s.action == 1 && !c.input.isButtonDown(b)) c.input.mouseButton(b, false);
          if (s.action == 2 && c.input.isButtonDown(b)) c.input.mouseButton(b, true);
        }
      }
      pause(c, std::max(s.delay, kMinStepDelayMs));
      if (stopRequested(c)) {
        stopped = true;
        break;
      }
    }
    if (stopRequested(c)) stopped = true;
  }
  for (MouseButton b : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
    if (c.input.isButtonDown(b)) c.input.mouseButton(b, true);
  }
}

void pass2(const ActionContext& c) {
  const std::uint8_t code = c.events.lastButtonCode;
  for (int i = 0; i < buttonCount(c); ++i) {
    if (!matches(c, i, code)) continue;
    c.events.currentButton = i;
    const int dpi = c.tables.hostDpiAction[static_cast<std::size_t>(i)];
    const settings::ButtonFunction f = c.settings.buttons[static_cast<std::size_t>(i)];
    if (dpi != 0) runDpiFunction(c, dpi);
    else if (f < settings::kFirstMacroCode) runFixedFunction(c, f);
    else playOnHost(c, f);
  }
}

}  // namespace

int repetitions(const MacroBlock& block, int model) {
  const std::uint8_t options = block[kBlockOptions];
  if (options & kRepeatUntilStopped) {
    return model == settings::kModel2 ? kEndlessRepeats2 : kEndlessRepeats01;
  }
  if (options == 0) return 1;
  return block[kBlockRepeatCount] | block[kBlockRepeatCount + 1] << 8;
}

int nextDpiLevel(int action, int level, const settings::MouseSettings& s) {
  auto enabled = [&](int k) { return s.dpiEnabled[static_cast<std::size_t>(k)] != 0; };
  switch (action) {
    case -1:
      for (int k = std::min(level, settings::kDpiLevels) - 1; k >= 0; --k)
        if (enabled(k)) return k;
      return level;
    case 1:
      for (int k = std::max(level, -1) + 1; k < settings::kDpiLevels; ++k)
        if (enabled(k)) return k;
      return level;
    case 2:
      for (int step = 1; step <= settings::kDpiLevels; ++step) {
        const int k = ((level + step) % settings::kDpiLevels + settings::kDpiLevels) % settings::kDpiLevels;
        if (enabled(k)) return k;
      }
      return level;
    default:
      return level;
  }
}

std::uint16_t hostScanCode(platform::HostInput& input, std::uint8_t vk) {
  switch (vk) {
    case 0x2C: return 0x37;  // Print Screen
    case 0x13: return 0x45;  // Pause
    case 0x5B: return 0x5B;  // left Windows
    default: return input.scanCode(vk);
  }
}

bool isExtendedKey(std::uint8_t vk) {
  if (vk >= 0x21 && vk <= 0x28) return true;
  switch (vk) {
    case 0x2C: case 0x2D: case 0x2E: case 0x5B: case 0x5D: case 0x6F:
    case 0x90: case 0xA1: case 0xA3: case 0xA5:
      return true;
    default:
      return false;
  }
}

void actionPass(const ActionContext& c) {
  if (c.events.buttonEventPending.load() != 0) {
    if (c.model == settings::kModel2) pass2(c);
    else pass01(c);
    c.events.buttonEventPending = 0;
  }
  // Only a handled press is cleared: a press the listener raises while this thread is idle
  // waits for the next pass.
  c.events.macroStopRequest = 0;
  c.clock.sleepMs(kPollSleepMs);
}

}  // namespace pyxom::device
