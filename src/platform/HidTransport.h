// HID transport seam: what the device link needs of the operating system's HID class.
// Windows: SetupAPI + HID (win32/WinHidTransport). Tests and --simulate: the simulated mouse.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace pyxom::platform {

// Opaque handle; 0 means "not opened", kInvalidHidHandle means "open failed".
using HidHandle = std::intptr_t;
inline constexpr HidHandle kNullHidHandle = 0;
inline constexpr HidHandle kInvalidHidHandle = -1;

enum class HidAccess { Probe, Read, Write };  // Probe = no access rights

struct HidAttributes {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t versionNumber = 0;
};

struct HidCaps {
  std::uint16_t usage = 0;
  std::uint16_t usagePage = 0;
  std::uint16_t inputReportByteLength = 0;
  std::uint16_t outputReportByteLength = 0;
  std::uint16_t featureReportByteLength = 0;
};

class HidTransport {
 public:
  virtual ~HidTransport() = default;

  // One enumeration of present HID interfaces; interfacePath() asks for one member index
  // and returns nullopt for a gap (no member at that index).
  virtual void beginEnumeration() = 0;
  virtual std::optional<std::wstring> interfacePath(int memberIndex) = 0;
  virtual void endEnumeration() = 0;

  // Returns kInvalidHidHandle when the open fails.
  virtual HidHandle open(const std::wstring& path, HidAccess access) = 0;
  virtual void close(HidHandle handle) = 0;
  virtual bool getAttributes(HidHandle handle, HidAttributes& out) = 0;
  virtual bool getCaps(HidHandle handle, HidCaps& out) = 0;

  // Sends one feature report (byte 0 is the report id).
  virtual bool setFeature(HidHandle handle, const std::uint8_t* data, std::size_t length) = 0;
  // Blocks until an input report arrives, the device goes away or cancelReads() is called.
  // Returns false on failure or cancellation; `received` is the number of bytes stored.
  virtual bool readInput(HidHandle handle, std::uint8_t* buffer, std::size_t length,
                         std::size_t& received) = 0;
  // Wakes every blocked readInput() with a failure (used when the program shuts down).
  virtual void cancelReads() = 0;
};

// Registration of device-interface notifications for the HID class (per matching interface).
class DeviceNotifications {
 public:
  virtual ~DeviceNotifications() = default;
  virtual void registerHidInterfaceNotifications() = 0;
};

}  // namespace pyxom::platform
