#include "device/ReportProtocol.h"

#include <algorithm>

#include "device/DpiCodes.h"

namespace pyxom::device {

namespace {

constexpr std::uint8_t kReportId = 7;
constexpr std::uint8_t kButtonFunction = 0x10;
constexpr std::uint8_t kDpi = 0x09;
constexpr std::uint8_t kReport11 = 0x11;
constexpr std::uint8_t kFire = 0x12;
constexpr std::uint8_t kLed = 0x13;
constexpr std::uint8_t kKeys = 0x15;
constexpr std::uint8_t kButtons = 0x16;
constexpr std::uint8_t kConsumer = 0x17;
constexpr std::uint8_t kExit = 0x20;

constexpr std::uint8_t lowByte(unsigned v) { return static_cast<std::uint8_t>(v & 0xFFu); }

}  // namespace

ReportProtocol::ReportProtocol(platform::HidTransport& transport, platform::HidHandle writeHandle,
                               std::size_t featureLength, platform::Clock& clock)
    : transport_(transport),
      writeHandle_(writeHandle),
      length_(std::min(featureLength, kBufferSize)),
      clock_(clock) {}

void ReportProtocol::sendLocked() {
  // Only the invalid-handle value stops a send; any other handle goes to the transport, and a
  // failure is ignored.
  if (writeHandle_ == platform::kInvalidHidHandle) return;
  transport_.setFeature(writeHandle_, buffer_.data(), length_);
}

void ReportProtocol::sendButtonFunction(std::uint8_t deviceKeyIndex, std::uint8_t deviceValue) {
  std::lock_guard lock(mutex_);
  buffer_[0] = kReportId;
  buffer_[1] = kButtonFunction;
  buffer_[2] = deviceKeyIndex;
  buffer_[3] = deviceValue;
  sendLocked();
}

void ReportProtocol::sendDpiLevel(int level, std::uint8_t code, int currentLevel,
                                  std::uint8_t enableMask) {
  std::lock_guard lock(mutex_);
  const auto c = static_cast<unsigned>(code);
  buffer_[0] = kReportId;
  buffer_[1] = kDpi;
  buffer_[2] = lowByte((c / 16u) * 64u + static_cast<unsigned>(currentLevel));
  buffer_[3] = lowByte((c % 16u) * 16u + 8u + static_cast<unsigned>(level));
  buffer_[4] = enableMask;
  sendLocked();
}

void ReportProtocol::sendDpiCurrent(int currentLevel, std::uint8_t codeOfCurrentLevel,
                                    std::uint8_t ledMode) {
  std::lock_guard lock(mutex_);
  buffer_[0] = kReportId;
  buffer_[1] = kDpi;
  buffer_[2] = lowByte(static_cast<unsigned>(currentLevel));
  buffer_[3] = lowByte((static_cast<unsigned>(codeOfCurrentLevel) + 8u) * 16u + ledMode);
  sendLocked();
}

void ReportProtocol::sendLed(std::uint8_t ledMode) {
  std::lock_guard lock(mutex_);
  buffer_[0] = kReportId;
  buffer_[1] = kLed;
  buffer_[2] = 0x7F;
  buffer_[3] = lowByte(0x10u + ledCode(ledMode));
  sendLocked();
}

void ReportProtocol::sendReport11() {
  std::lock_guard lock(mutex_);
  // The report id is set here too: were this the first report, byte 0 would still be 0.
  buffer_[0] = kReportId;
  buffer_[1] = kReport11;
  buffer_[2] = 0x00;
  buffer_[3] = 0x00;
  sendLocked();
}

void ReportProtocol::sendFireInterval(int model, std::int32_t fireInterval) {
  std::lock_guard lock(mutex_);
  // The interval is compared and divided as an unsigned number, as it is when loaded.
  const auto interval = static_cast<std::uint32_t>(fireInterval);
  buffer_[0] = kReportId;
  buffer_[1] = kFire;
  if (model == 2) {
    buffer_[2] = lowByte(interval / 8u);
    buffer_[3] = 0;
  } else {
    const std::uint32_t t = interval / 16u;
    buffer_[2] = lowByte(t >> 8);
    buffer_[3] = lowByte(t);
  }
  buffer_[4] = 0;
  buffer_[5] = 0;
  sendLocked();
}

void ReportProtocol::sendExitReport() {
  std::lock_guard lock(mutex_);
  if (writeHandle_ == platform::kInvalidHidHandle) return;
  buffer_[0] = kReportId;
  buffer_[1] = kExit;
  buffer_[2] = 0;
  buffer_[3] = 0;
  sendLocked();
}

void ReportProtocol::buildKeysLocked() {
  buffer_[0] = kReportId;
  buffer_[1] = kKeys;
  std::copy(keySlots_.begin(), keySlots_.end(), buffer_.begin() + 2);
}

void ReportProtocol::buildButtonsLocked() {
  buffer_[0] = kReportId;
  buffer_[1] = kButtons;
  buffer_[3] = buttonState_;
}

void ReportProtocol::pressKey(std::uint8_t usage, int action) {
  std::lock_guard lock(mutex_);
  if (usage < 0xF0) {
    if (action == 1) {
      auto empty = std::find(keySlots_.begin(), keySlots_.end(), std::uint8_t{0});
      if (empty != keySlots_.end()) *empty = usage;
    } else if (action == 2) {
      auto held = std::find(keySlots_.begin(), keySlots_.end(), usage);
      if (held != keySlots_.end()) std::copy(held + 1, keySlots_.end(), held);
      keySlots_[5] = 0;
    }
    buildKeysLocked();
  } else {
    const unsigned bit = usage - 0xF0u;
    if (bit <= 2) {
      const auto mask = static_cast<std::uint8_t>(1u << bit);
      if (action == 1) buttonState_ = static_cast<std::uint8_t>(buttonState_ & ~mask);
      if (action == 2) buttonState_ = static_cast<std::uint8_t>(buttonState_ | mask);
    }
    buildButtonsLocked();
  }
  sendLocked();
}

void ReportProtocol::releaseAll() {
  clock_.sleepMs(10);
  {
    std::lock_guard lock(mutex_);
    buttonState_ = static_cast<std::uint8_t>(buttonState_ | 0x07u);
    buildButtonsLocked();
    sendLocked();
  }
  clock_.sleepMs(10);
  {
    std::lock_guard lock(mutex_);
    keySlots_.fill(0);
    buildKeysLocked();
    sendLocked();
  }
}

void ReportProtocol::sendConsumer(std::uint16_t usage) {
  std::lock_guard lock(mutex_);
  buffer_[0] = kReportId;
  buffer_[1] = kConsumer;
  buffer_[2] = lowByte(usage >> 8);
  buffer_[3] = lowByte(usage);
  sendLocked();
}

std::array<std::uint8_t, 6> ReportProtocol::keySlots() const {
  std::lock_guard lock(mutex_);
  return keySlots_;
}

std::uint8_t ReportProtocol::buttonState() const {
  std::lock_guard lock(mutex_);
  return buttonState_;
}

std::size_t ReportProtocol::reportLength() const { return length_; }

}  // namespace pyxom::device
