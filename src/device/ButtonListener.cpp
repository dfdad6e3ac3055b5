#include "device/ButtonListener.h"

#include <algorithm>
#include <array>

#include "settings/FunctionCodes.h"

namespace pyxom::device {
namespace {

constexpr std::uint8_t kRepeatUntilStopped = 0x02;

void onToggle(const ListenerContext& c, std::uint8_t options) {
  ButtonEvents& e = c.events;
  const std::int32_t held = e.buttonHeld.load() ? 0 : 1;
  e.buttonHeld = held;
  if ((options & kRepeatUntilStopped) || c.settings.macroMode != 0 ||
      (e.buttonEventPending.load() != 0 && held == 1)) {
    e.macroStopRequest = 1;
  }
}

}  // namespace

std::uint8_t currentMacroOptions(const ListenerContext& c) {
  if (c.model == settings::kModel2) {
    const MacroRef m = c.events.currentMacro();
    return c.tables.copyGroupBlock(m.group, m.index)[kBlockOptions];
  }
  return c.tables.copyButtonBlock(c.events.currentButton.load())[kBlockOptions];
}

void applyInputReport(const ListenerContext& c, bool ok, const std::uint8_t* data,
                      std::size_t length) {
  // Bytes the report did not carry read as 0.
  auto byteAt = [&](std::size_t i) -> std::uint8_t { return i < length ? data[i] : 0; };
  const bool ours = ok && byteAt(0) == kInputReportId;
  if (!ours) {
    if (c.model == settings::kModel2) onToggle(c, currentMacroOptions(c));
    return;
  }
  ButtonEvents& e = c.events;
  const std::uint8_t b1 = byteAt(1);
  const std::uint8_t b2 = byteAt(2);
  if (b1 <= 0xF0) {
    onToggle(c, currentMacroOptions(c));
    return;
  }
  if (b2 == kReleaseArg) {
    e.buttonHeld = 0;
    if ((currentMacroOptions(c) & kRepeatUntilStopped) || c.settings.macroMode != 0) {
      e.macroStopRequest = 1;
    }
    return;
  }
  e.buttonHeld = 1;
  if (e.buttonEventPending.load() == 0) {
    e.lastButtonCode = b1;
    e.lastButtonArg = b2;
    e.buttonEventPending = 1;
  } else if (c.settings.macroMode == 0) {
    e.macroStopRequest = 1;
  }
}

void listenOnce(const ListenerContext& c) {
  // Without a read handle nothing was read, so there is no event to react to.
  if (c.readHandle != platform::kInvalidHidHandle && c.readHandle != platform::kNullHidHandle) {
    std::array<std::uint8_t, 256> buffer{};
    const std::size_t length = std::min(c.readLength, buffer.size());
    std::size_t received = 0;
    const bool ok = c.transport.readInput(c.readHandle, buffer.data(), length, received);
    applyInputReport(c, ok, buffer.data(), std::min(received, length));
  }
  c.clock.sleepMs(kPollSleepMs);
}

}  // namespace pyxom::device
