// The simulated mouse behind the HID transport seam: two foreign HID devices followed by the
// four interfaces of one model (pointer, keyboard, vendor input FF00/1, vendor feature FF01/1).
// Thread-safe: the program's threads send and read while a control client presses buttons.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <fstream>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/HidTransport.h"
#include "sim/SimFirmware.h"

namespace pyxom::sim {

struct SimInterface {
  std::wstring path;
  platform::HidAttributes attributes;
  platform::HidCaps caps;
  bool ofMouse = false;
};

class SimHidTransport final : public platform::HidTransport {
 public:
  // model: 0, 1 or 2. tracePath: file that receives one line per report; empty for none.
  explicit SimHidTransport(int model, const std::string& tracePath = {});
  ~SimHidTransport() override;

  // platform::HidTransport
  void beginEnumeration() override {}
  std::optional<std::wstring> interfacePath(int memberIndex) override;
  void endEnumeration() override {}
  platform::HidHandle open(const std::wstring& path, platform::HidAccess access) override;
  void close(platform::HidHandle handle) override;
  bool getAttributes(platform::HidHandle handle, platform::HidAttributes& out) override;
  bool getCaps(platform::HidHandle handle, platform::HidCaps& out) override;
  bool setFeature(platform::HidHandle handle, const std::uint8_t* data, std::size_t length) override;
  bool readInput(platform::HidHandle handle, std::uint8_t* buffer, std::size_t length,
                 std::size_t& received) override;
  void cancelReads() override;

  // What a person or a test does to the mouse.
  void pressButton(int keyIndex);
  void releaseButton(int keyIndex);
  void sendToggle();
  void sendInputReport(const Report& report);  // any bytes, e.g. garbage
  void unplug();
  bool unplugged() const;

  std::string describeState() const;
  SimState state() const;
  const std::vector<SimInterface>& interfaces() const { return interfaces_; }
  // Path of the mouse interface whose removal the system would announce (the last one).
  std::wstring mousePath() const;

  // Called (outside the lock) after unplug(), so the host can announce the removal.
  std::function<void()> onUnplugged;

  // One trace line: tag + bytes as upper-case hex separated by spaces.
  static std::string formatTraceLine(char tag, const std::uint8_t* data, std::size_t length);

 private:
  void traceLocked(const std::string& line);
  void queueLocked(const std::vector<Report>& reports);
  const SimInterface* interfaceOf(platform::HidHandle handle) const;

  mutable std::mutex mutex_;
  std::condition_variable inputReady_;
  std::vector<SimInterface> interfaces_;
  std::map<platform::HidHandle, std::size_t> handles_;  // handle -> interface index
  platform::HidHandle nextHandle_ = 0x100;
  SimFirmware firmware_;
  std::deque<Report> pendingInput_;
  std::ofstream trace_;
  bool unplugged_ = false;
  bool cancelled_ = false;
};

}  // namespace pyxom::sim
