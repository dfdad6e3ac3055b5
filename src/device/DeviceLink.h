// The found mouse: discovery over the HID transport, its two vendor collections, and the
// recognition of its removal.
#pragma once

#include <cstdint>
#include <string>

#include "platform/HidTransport.h"

namespace pyxom::device {

struct ModelInfo {
  int model;
  std::uint16_t vendorId;
  std::uint16_t productId;
  int dpiSteps;
};

// Recognised only by the exact vendor/product pair.
inline constexpr ModelInfo kModels[] = {
    {0, 0x18F8, 0x1286, 12},
    {1, 0x30FA, 0x1701, 17},
    {2, 0x18F8, 0x0F99, 5},
};

const ModelInfo* findModel(std::uint16_t vendorId, std::uint16_t productId);

// Device-change events the link reacts to.
inline constexpr std::uint32_t kDeviceArrival = 0x8000;
inline constexpr std::uint32_t kDeviceRemoveComplete = 0x8004;
inline constexpr std::uint32_t kDeviceTypeInterface = 5;

// What the portable code needs of a device-change broadcast header.
struct DeviceBroadcast {
  std::uint32_t deviceType = 0;
  std::wstring interfaceName;  // only for device-interface broadcasts
};

class DeviceLink {
 public:
  static constexpr int kMaxMemberIndex = 99;

  explicit DeviceLink(platform::HidTransport& transport) : transport_(transport) {}

  // Enumerates HID interfaces (member indices 0 to 99), opens the vendor collections of the
  // mouse, registers `notifications` for each matching interface; returns the present flag.
  bool discover(platform::DeviceNotifications& notifications);

  // Returns true when the event is the removal of the saved interface; the caller then
  // shuts the program down. Clears the present flag in that case.
  bool onDeviceChange(std::uint32_t event, const DeviceBroadcast* header);
  bool pathMatches(const DeviceBroadcast* header) const;

  bool present() const { return present_; }
  int model() const { return model_; }
  int dpiStepCount() const { return dpiSteps_; }
  const std::wstring& devicePath() const { return devicePath_; }
  platform::HidHandle readHandle() const { return readHandle_; }
  platform::HidHandle writeHandle() const { return writeHandle_; }
  const platform::HidCaps& inputCaps() const { return inputCaps_; }
  const platform::HidCaps& outputCaps() const { return outputCaps_; }
  platform::HidTransport& transport() const { return transport_; }

 private:
  platform::HidTransport& transport_;
  bool present_ = false;
  int model_ = 0;
  int dpiSteps_ = 0;
  std::wstring devicePath_;
  platform::HidHandle readHandle_ = platform::kNullHidHandle;
  platform::HidHandle writeHandle_ = platform::kNullHidHandle;
  platform::HidCaps inputCaps_{};
  platform::HidCaps outputCaps_{};
};

}  // namespace pyxom::device
