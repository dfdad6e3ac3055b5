#include "platform/win32/WinHidTransport.h"

#include <dbt.h>
#include <setupapi.h>

#include <vector>

extern "C" {
#include <hidsdi.h>
#include <hidpi.h>
}

namespace pyxom::platform::win32 {
namespace {
HANDLE toHandle(HidHandle h) { return reinterpret_cast<HANDLE>(h); }
}  // namespace

WinHidTransport::WinHidTransport() {
  HidD_GetHidGuid(&guid_);
  cancelEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

WinHidTransport::~WinHidTransport() {
  endEnumeration();
  if (cancelEvent_) CloseHandle(cancelEvent_);
}

void WinHidTransport::beginEnumeration() {
  endEnumeration();
  HDEVINFO set = SetupDiGetClassDevsW(&guid_, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  infoSet_ = (set == INVALID_HANDLE_VALUE) ? nullptr : set;
}

std::optional<std::wstring> WinHidTransport::interfacePath(int memberIndex) {
  if (!infoSet_) return std::nullopt;
  SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = sizeof(data);
  if (!SetupDiEnumDeviceInterfaces(infoSet_, nullptr, &guid_, static_cast<DWORD>(memberIndex), &data))
    return std::nullopt;
  DWORD required = 0;
  SetupDiGetDeviceInterfaceDetailW(infoSet_, &data, nullptr, 0, &required, nullptr);
  if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;
  std::vector<unsigned char> storage(required);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!SetupDiGetDeviceInterfaceDetailW(infoSet_, &data, detail, required, nullptr, nullptr))
    return std::nullopt;
  return std::wstring(detail->DevicePath);
}

void WinHidTransport::endEnumeration() {
  if (infoSet_) SetupDiDestroyDeviceInfoList(infoSet_);
  infoSet_ = nullptr;
}

HidHandle WinHidTransport::open(const std::wstring& path, HidAccess access) {
  DWORD rights = access == HidAccess::Read ? GENERIC_READ : access == HidAccess::Write ? GENERIC_WRITE : 0;
  DWORD flags = access == HidAccess::Read ? FILE_FLAG_OVERLAPPED : 0;
  HANDLE h = CreateFileW(path.c_str(), rights, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, flags, nullptr);
  return reinterpret_cast<HidHandle>(h);  // INVALID_HANDLE_VALUE == kInvalidHidHandle
}

void WinHidTransport::close(HidHandle handle) {
  if (handle != kNullHidHandle && handle != kInvalidHidHandle) CloseHandle(toHandle(handle));
}

bool WinHidTransport::getAttributes(HidHandle handle, HidAttributes& out) {
  HIDD_ATTRIBUTES a{};
  a.Size = sizeof(a);
  if (!HidD_GetAttributes(toHandle(handle), &a)) return false;
  out = {a.VendorID, a.ProductID, a.VersionNumber};
  return true;
}

bool WinHidTransport::getCaps(HidHandle handle, HidCaps& out) {
  PHIDP_PREPARSED_DATA pre = nullptr;
  if (!HidD_GetPreparsedData(toHandle(handle), &pre)) return false;
  HIDP_CAPS caps{};
  bool ok = HidP_GetCaps(pre, &caps) == HIDP_STATUS_SUCCESS;
  HidD_FreePreparsedData(pre);
  if (!ok) return false;
  out = {caps.Usage, caps.UsagePage, caps.InputReportByteLength, caps.OutputReportByteLength,
         caps.FeatureReportByteLength};
  return true;
}

bool WinHidTransport::setFeature(HidHandle handle, const std::uint8_t* data, std::size_t length) {
  if (handle == kInvalidHidHandle || handle == kNullHidHandle) return false;
  return HidD_SetFeature(toHandle(handle), const_cast<std::uint8_t*>(data), static_cast<ULONG>(length));
}

bool WinHidTransport::readInput(HidHandle handle, std::uint8_t* buffer, std::size_t length,
                                std::size_t& received) {
  received = 0;
  if (handle == kInvalidHidHandle || handle == kNullHidHandle) return false;
  // Overlapped so that shutdown can wake a read that would otherwise block forever.
  OVERLAPPED ov{};
  ov.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!ov.hEvent) return false;
  DWORD got = 0;
  bool ok = ReadFile(toHandle(handle), buffer, static_cast<DWORD>(length), &got, &ov);
  if (!ok && GetLastError() == ERROR_IO_PENDING) {
    HANDLE waits[2] = {ov.hEvent, cancelEvent_};
    DWORD w = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (w == WAIT_OBJECT_0) {
      ok = GetOverlappedResult(toHandle(handle), &ov, &got, FALSE);
    } else {
      CancelIoEx(toHandle(handle), &ov);
      GetOverlappedResult(toHandle(handle), &ov, &got, TRUE);
      ok = false;
    }
  }
  CloseHandle(ov.hEvent);
  if (ok) received = got;
  return ok;
}

void WinHidTransport::cancelReads() { SetEvent(cancelEvent_); }

void WinDeviceNotifications::registerHidInterfaceNotifications() {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = 32;  // the fixed-size head of the record; the name is not part of a filter
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = guid_;
  RegisterDeviceNotificationW(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

}  // namespace pyxom::platform::win32
