// Feature reports (report id 7) on the vendor feature collection: one shared 256-byte buffer,
// in which bytes a report does not write keep earlier values, and the key-emulation state.
// One lock covers building and sending, so two senders never interleave.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

#include "platform/Clock.h"
#include "platform/HidTransport.h"

namespace pyxom::device {

class ReportProtocol {
 public:
  static constexpr std::size_t kBufferSize = 256;

  // featureLength: the feature report byte length of the feature collection (capped at 256).
  ReportProtocol(platform::HidTransport& transport, platform::HidHandle writeHandle,
                 std::size_t featureLength, platform::Clock& clock);

  // Configuration reports.
  void sendButtonFunction(std::uint8_t deviceKeyIndex, std::uint8_t deviceValue);
  void sendDpiLevel(int level, std::uint8_t code, int currentLevel, std::uint8_t enableMask);
  void sendDpiCurrent(int currentLevel, std::uint8_t codeOfCurrentLevel, std::uint8_t ledMode);
  void sendLed(std::uint8_t ledMode);
  void sendReport11();
  void sendFireInterval(int model, std::int32_t fireInterval);
  void sendExitReport();

  // Emulation (models 0 and 1). action: 1 press, 2 release, other: resend.
  void pressKey(std::uint8_t usage, int action);
  void releaseKey(std::uint8_t usage) { pressKey(usage, 2); }
  void releaseAll();
  void sendConsumer(std::uint16_t usage);

  // For tests and the simulated mouse's checks.
  std::array<std::uint8_t, 6> keySlots() const;
  std::uint8_t buttonState() const;
  // Length of every report sent: the feature length, capped at the buffer size.
  std::size_t reportLength() const;

 private:
  void sendLocked();  // sends buffer_ with the report length; caller holds mutex_
  void buildKeysLocked();
  void buildButtonsLocked();

  platform::HidTransport& transport_;
  platform::HidHandle writeHandle_;
  std::size_t length_;
  platform::Clock& clock_;
  mutable std::mutex mutex_;
  std::array<std::uint8_t, kBufferSize> buffer_{};
  std::array<std::uint8_t, 6> keySlots_{};
  std::uint8_t buttonState_ = 0xFF;
};

}  // namespace pyxom::device
