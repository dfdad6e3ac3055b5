// HID transport over SetupAPI and the HID class driver.
#pragma once

#include <windows.h>

#include "platform/HidTransport.h"

namespace pyxom::platform::win32 {

class WinHidTransport final : public HidTransport {
 public:
  WinHidTransport();
  ~WinHidTransport() override;

  void beginEnumeration() override;
  std::optional<std::wstring> interfacePath(int memberIndex) override;
  void endEnumeration() override;
  HidHandle open(const std::wstring& path, HidAccess access) override;
  void close(HidHandle handle) override;
  bool getAttributes(HidHandle handle, HidAttributes& out) override;
  bool getCaps(HidHandle handle, HidCaps& out) override;
  bool setFeature(HidHandle handle, const std::uint8_t* data, std::size_t length) override;
  bool readInput(HidHandle handle, std::uint8_t* buffer, std::size_t length,
                 std::size_t& received) override;
  void cancelReads() override;

  const GUID& hidGuid() const { return guid_; }

 private:
  GUID guid_{};
  void* infoSet_ = nullptr;  // HDEVINFO
  HANDLE cancelEvent_ = nullptr;
};

// RegisterDeviceNotificationW for the HID interface class, recipient = a window.
class WinDeviceNotifications final : public DeviceNotifications {
 public:
  WinDeviceNotifications(HWND window, const GUID& hidGuid) : window_(window), guid_(hidGuid) {}
  void registerHidInterfaceNotifications() override;

 private:
  HWND window_;
  GUID guid_;
};

}  // namespace pyxom::platform::win32
