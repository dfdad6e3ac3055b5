#include "sim/SimHidTransport.h"

#include <algorithm>
#include <cstdio>

#include "device/DeviceLink.h"

namespace pyxom::sim {
namespace {

constexpr const wchar_t* kHidClass = L"{4d1e55b2-f16f-11cf-88cb-001111000030}";

std::wstring makePath(std::uint16_t vid, std::uint16_t pid, int mi, const wchar_t* instance) {
  wchar_t buf[160];
  std::swprintf(buf, 160, L"\\\\?\\HID#VID_%04X&PID_%04X&MI_%02d#%ls#%ls", vid, pid, mi, instance,
                kHidClass);
  return buf;
}

}  // namespace

SimHidTransport::SimHidTransport(int model, const std::string& tracePath)
    : firmware_(model) {
  const device::ModelInfo& info = device::kModels[std::clamp(model, 0, 2)];
  using platform::HidCaps;
  // Foreign devices first, as the system lists its own virtual mouse and keyboard.
  interfaces_.push_back({makePath(0x845E, 0x0001, 0, L"1&sysmouse&0&0000"), {0x845E, 0x0001, 1},
                         HidCaps{2, 0x01, 5, 0, 0}, false});
  interfaces_.push_back({makePath(0x845E, 0x0002, 0, L"1&syskbd&0&0000"), {0x845E, 0x0002, 1},
                         HidCaps{6, 0x01, 9, 2, 0}, false});
  const platform::HidAttributes a{info.vendorId, info.productId, 0x0100};
  const auto in = static_cast<std::uint16_t>(SimFirmware::kInputReportLength);
  const auto feat = static_cast<std::uint16_t>(SimFirmware::kFeatureReportLength);
  interfaces_.push_back({makePath(a.vendorId, a.productId, 0, L"7&simmouse&0&0000"), a,
                         HidCaps{2, 0x01, 7, 0, 0}, true});
  interfaces_.push_back({makePath(a.vendorId, a.productId, 1, L"7&simmouse&0&0001"), a,
                         HidCaps{6, 0x01, 9, 2, 0}, true});
  interfaces_.push_back({makePath(a.vendorId, a.productId, 2, L"7&simmouse&0&0002"), a,
                         HidCaps{1, 0xFF00, in, 0, 0}, true});
  interfaces_.push_back({makePath(a.vendorId, a.productId, 3, L"7&simmouse&0&0003"), a,
                         HidCaps{1, 0xFF01, 0, 0, feat}, true});
  if (!tracePath.empty()) trace_.open(tracePath, std::ios::app | std::ios::binary);
}

SimHidTransport::~SimHidTransport() { cancelReads(); }

std::optional<std::wstring> SimHidTransport::interfacePath(int memberIndex) {
  std::lock_guard lock(mutex_);
  if (unplugged_) {
    // Only the foreign devices remain.
    if (memberIndex >= 0 && memberIndex < 2) return interfaces_[memberIndex].path;
    return std::nullopt;
  }
  if (memberIndex < 0 || static_cast<std::size_t>(memberIndex) >= interfaces_.size())
    return std::nullopt;
  return interfaces_[memberIndex].path;
}

platform::HidHandle SimHidTransport::open(const std::wstring& path, platform::HidAccess) {
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < interfaces_.size(); ++i) {
    if (interfaces_[i].path == path && !(unplugged_ && interfaces_[i].ofMouse)) {
      platform::HidHandle h = nextHandle_++;
      handles_[h] = i;
      return h;
    }
  }
  return platform::kInvalidHidHandle;
}

void SimHidTransport::close(platform::HidHandle handle) {
  std::lock_guard lock(mutex_);
  handles_.erase(handle);
}

const SimInterface* SimHidTransport::interfaceOf(platform::HidHandle handle) const {
  auto it = handles_.find(handle);
  return it == handles_.end() ? nullptr : &interfaces_[it->second];
}

bool SimHidTransport::getAttributes(platform::HidHandle handle, platform::HidAttributes& out) {
  std::lock_guard lock(mutex_);
  const SimInterface* itf = interfaceOf(handle);
  if (!itf) return false;
  out = itf->attributes;
  return true;
}

bool SimHidTransport::getCaps(platform::HidHandle handle, platform::HidCaps& out) {
  std::lock_guard lock(mutex_);
  const SimInterface* itf = interfaceOf(handle);
  if (!itf) return false;
  out = itf->caps;
  return true;
}

bool SimHidTransport::setFeature(platform::HidHandle handle, const std::uint8_t* data,
                                 std::size_t length) {
  std::lock_guard lock(mutex_);
  const SimInterface* itf = interfaceOf(handle);
  if (!itf || !itf->ofMouse || itf->caps.usagePage != 0xFF01) return false;
  if (length != itf->caps.featureReportByteLength || length == 0) return false;
  // What the host sent is traced even after an unplug (the send then fails), so a trace
  // shows the whole conversation, the exit report included.
  traceLocked(formatTraceLine('F', data, length));
  if (unplugged_) return false;
  firmware_.onFeatureReport(data, length);
  return true;
}

bool SimHidTransport::readInput(platform::HidHandle handle, std::uint8_t* buffer,
                                std::size_t length, std::size_t& received) {
  received = 0;
  std::unique_lock lock(mutex_);
  const SimInterface* itf = interfaceOf(handle);
  if (!itf || !itf->ofMouse || itf->caps.usagePage != 0xFF00) return false;
  inputReady_.wait(lock, [&] { return unplugged_ || cancelled_ || !pendingInput_.empty(); });
  if (unplugged_ || cancelled_) return false;
  Report r = std::move(pendingInput_.front());
  pendingInput_.pop_front();
  received = std::min(length, r.size());
  std::copy_n(r.begin(), received, buffer);
  return true;
}

void SimHidTransport::cancelReads() {
  {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
  }
  inputReady_.notify_all();
}

void SimHidTransport::queueLocked(const std::vector<Report>& reports) {
  if (unplugged_) return;
  for (const Report& r : reports) {
    traceLocked(formatTraceLine('I', r.data(), r.size()));
    pendingInput_.push_back(r);
  }
  inputReady_.notify_all();
}

void SimHidTransport::pressButton(int keyIndex) {
  std::lock_guard lock(mutex_);
  queueLocked(firmware_.onButton(keyIndex, true));
}

void SimHidTransport::releaseButton(int keyIndex) {
  std::lock_guard lock(mutex_);
  queueLocked(firmware_.onButton(keyIndex, false));
}

void SimHidTransport::sendToggle() {
  std::lock_guard lock(mutex_);
  queueLocked({firmware_.toggleReport()});
}

void SimHidTransport::sendInputReport(const Report& report) {
  std::lock_guard lock(mutex_);
  queueLocked({report});
}

void SimHidTransport::unplug() {
  {
    std::lock_guard lock(mutex_);
    if (unplugged_) return;
    unplugged_ = true;
    traceLocked("U");
  }
  inputReady_.notify_all();
  if (onUnplugged) onUnplugged();
}

bool SimHidTransport::unplugged() const {
  std::lock_guard lock(mutex_);
  return unplugged_;
}

std::string SimHidTransport::describeState() const {
  std::lock_guard lock(mutex_);
  return firmware_.describeState();
}

SimState SimHidTransport::state() const {
  std::lock_guard lock(mutex_);
  return firmware_.state();
}

std::wstring SimHidTransport::mousePath() const { return interfaces_.back().path; }

std::string SimHidTransport::formatTraceLine(char tag, const std::uint8_t* data, std::size_t length) {
  std::string line(1, tag);
  static const char* hex = "0123456789ABCDEF";
  for (std::size_t i = 0; i < length; ++i) {
    line += ' ';
    line += hex[data[i] >> 4];
    line += hex[data[i] & 0xF];
  }
  return line;
}

void SimHidTransport::traceLocked(const std::string& line) {
  if (!trace_.is_open()) return;
  trace_ << line << '\n';
  trace_.flush();
}

}  // namespace pyxom::sim
