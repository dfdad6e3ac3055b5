// The state that the listener and the action thread share: a few polled words, each one
// atomic. The listener stores lastButtonCode and lastButtonArg before it raises
// buttonEventPending, so the action thread that sees the flag reads the matching pair.
#pragma once

#include <atomic>
#include <cstdint>

namespace pyxom::device {

// Both threads poll with this pause between iterations.
inline constexpr unsigned kPollSleepMs = 2;

struct MacroRef {
  int group = 0;  // 0-based block group
  int index = 0;
};

struct ButtonEvents {
  std::atomic<std::int32_t> buttonEventPending{0};  // listener sets, action thread clears
  std::atomic<std::int32_t> macroStopRequest{0};    // listener sets, action thread clears
  std::atomic<std::int32_t> buttonHeld{0};          // listener's view of the reported button
  std::atomic<std::uint8_t> lastButtonCode{0};      // byte 1 of the pending press: 0xF0 + key index
  std::atomic<std::uint8_t> lastButtonArg{0};       // byte 2 of that press
  std::atomic<std::int32_t> currentButton{0};       // models 0, 1: button being handled

  // Model 2: the macro most recently started, as one word so group and index always match.
  void setCurrentMacro(MacroRef m) {
    currentMacro_.store((m.group & 0xFFFF) << 16 | (m.index & 0xFFFF));
  }
  MacroRef currentMacro() const {
    const std::int32_t v = currentMacro_.load();
    return {static_cast<std::int16_t>(v >> 16), static_cast<std::int16_t>(v & 0xFFFF)};
  }

  // Start-up: nothing pending, nothing to stop.
  void clear() {
    buttonEventPending = 0;
    macroStopRequest = 0;
  }

 private:
  std::atomic<std::int32_t> currentMacro_{0};
};

}  // namespace pyxom::device
