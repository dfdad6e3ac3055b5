#include "device/DeviceLink.h"

#include <cwctype>

namespace pyxom::device {

const ModelInfo* findModel(std::uint16_t vendorId, std::uint16_t productId) {
  for (const auto& m : kModels) {
    if (m.vendorId == vendorId && m.productId == productId) return &m;
  }
  return nullptr;
}

bool DeviceLink::discover(platform::DeviceNotifications& notifications) {
  using platform::HidAccess;
  transport_.beginEnumeration();
  for (int index = 0; index <= kMaxMemberIndex; ++index) {
    auto path = transport_.interfacePath(index);
    if (!path) continue;  // gaps do not end the enumeration

    platform::HidHandle probe = transport_.open(*path, HidAccess::Probe);
    platform::HidAttributes attributes{};
    transport_.getAttributes(probe, attributes);
    present_ = false;

    const ModelInfo* info = findModel(attributes.vendorId, attributes.productId);
    if (!info) {
      transport_.close(probe);
      continue;
    }
    model_ = info->model;
    dpiSteps_ = info->dpiSteps;
    present_ = true;
    devicePath_ = *path;
    notifications.registerHidInterfaceNotifications();

    platform::HidCaps caps{};
    transport_.getCaps(probe, caps);
    transport_.close(probe);

    if (caps.usagePage == 0xFF00 && caps.usage == 1) {
      inputCaps_ = caps;
      readHandle_ = transport_.open(*path, HidAccess::Read);
    }
    if (caps.usagePage == 0xFF01 && caps.usage == 1) {
      outputCaps_ = caps;
      writeHandle_ = transport_.open(*path, HidAccess::Write);
    }
    // A failed open leaves the invalid-handle value, which still counts as set.
    if (readHandle_ != platform::kNullHidHandle && writeHandle_ != platform::kNullHidHandle) break;
  }
  transport_.endEnumeration();
  return present_;
}

bool DeviceLink::pathMatches(const DeviceBroadcast* header) const {
  if (!header || header->deviceType != kDeviceTypeInterface || devicePath_.empty()) return false;
  const std::wstring& a = header->interfaceName;
  if (a.size() != devicePath_.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(devicePath_[i])) return false;
  }
  return true;
}

bool DeviceLink::onDeviceChange(std::uint32_t event, const DeviceBroadcast* header) {
  if (event == kDeviceRemoveComplete && pathMatches(header)) {
    present_ = false;
    return true;
  }
  return false;
}

}  // namespace pyxom::device
