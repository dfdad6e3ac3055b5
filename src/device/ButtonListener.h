// The listener: reads the mouse's input reports (report id 6) on the vendor input collection
// and keeps the press / stop state of ButtonEvents. One family for models 0 and 1, one for
// model 2, which also takes a failed read or a report of another id as a toggle event.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device/ButtonEvents.h"
#include "device/ButtonTables.h"
#include "platform/Clock.h"
#include "platform/HidTransport.h"
#include "settings/MouseSettings.h"

namespace pyxom::device {

inline constexpr std::uint8_t kInputReportId = 6;
inline constexpr std::uint8_t kReleaseArg = 0x80;

struct ListenerContext {
  platform::HidTransport& transport;
  platform::HidHandle readHandle;
  std::size_t readLength;  // input report byte length of the collection (capped at 256)
  int model;
  ButtonEvents& events;
  const ButtonTables& tables;
  const settings::MouseSettings& settings;  // the macro trigger mode
  platform::Clock& clock;
};

// What one read gave the listener. `ok` false: the read failed (or was cancelled).
void applyInputReport(const ListenerContext& c, bool ok, const std::uint8_t* data,
                      std::size_t length);

// One iteration: a blocking read (skipped when there is no read handle), its effect, and the
// 2 ms pause.
void listenOnce(const ListenerContext& c);

// The `options` byte of the macro that a release or toggle may stop: the block of
// currentButton (models 0, 1) or of currentMacro (model 2).
std::uint8_t currentMacroOptions(const ListenerContext& c);

}  // namespace pyxom::device
