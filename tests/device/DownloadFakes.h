// Fakes for download tests: an INI store that logs which sections are written, system
// settings that log queries and changes, and a macro block source that tags each block.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "device/MacroBlock.h"
#include "device/RecordingHidTransport.h"
#include "platform/PrivateProfile.h"
#include "platform/SystemSettings.h"

namespace pyxom::test {

inline std::string narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// Keeps the values in memory; logs "ini <section>" once per run of writes to one section, and
// "ini Init CurConfig=<value>" for the current-profile write.
class LoggingProfile : public platform::PrivateProfile {
 public:
  explicit LoggingProfile(EventLog* log = nullptr) : log_(log) {}
  std::wstring readString(const std::wstring&, const std::wstring& section, const std::wstring& key,
                          std::size_t bufferSize, const std::wstring& def) override {
    auto it = values_.find(section + L"/" + key);
    std::wstring v = it == values_.end() ? def : it->second;
    if (bufferSize == 0) return L"";
    return v.substr(0, bufferSize - 1);
  }
  bool writeString(const std::wstring&, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override {
    values_[section + L"/" + key] = value;
    if (log_) {
      if (section == L"Init") {
        log_->add("ini Init " + narrow(key) + "=" + narrow(value));
        lastSection_.clear();
      } else if (section != lastSection_) {
        log_->add("ini " + narrow(section));
        lastSection_ = section;
      }
    }
    return true;
  }
  bool deleteKey(const std::wstring&, const std::wstring&, const std::wstring&) override { return true; }
  bool deleteSection(const std::wstring&, const std::wstring&) override { return true; }

  std::optional<std::wstring> value(const std::wstring& section, const std::wstring& key) const {
    auto it = values_.find(section + L"/" + key);
    if (it == values_.end()) return std::nullopt;
    return it->second;
  }

 private:
  EventLog* log_;
  std::map<std::wstring, std::wstring> values_;
  std::wstring lastSection_;
};

class LoggingSystemSettings : public platform::SystemSettings {
 public:
  explicit LoggingSystemSettings(EventLog* log = nullptr) : log_(log) {}
  std::optional<int> pointerSpeed() override {
    add("get pointer speed");
    if (!pointerQueryWorks) return std::nullopt;
    return speed;
  }
  bool setPointerSpeed(int s) override {
    add("set pointer speed " + std::to_string(s));
    speed = s;
    return true;
  }
  std::optional<unsigned> wheelScrollLines() override {
    add("get wheel lines");
    if (!wheelQueryWorks) return std::nullopt;
    return lines;
  }
  bool setWheelScrollLines(unsigned l) override {
    add("set wheel lines " + std::to_string(l));
    lines = l;
    return true;
  }

  bool pointerQueryWorks = true;
  bool wheelQueryWorks = true;
  int speed = 10;
  unsigned lines = 3;

 private:
  void add(std::string s) {
    if (log_) log_->add(std::move(s));
  }
  EventLog* log_;
};

// Block of a code: byte 0..3 = the code (little-endian), byte 40 = 1 for a button block, 2 for a
// group block, byte 43 = 1 event.
class TaggingMacroSource : public device::MacroBlockSource {
 public:
  device::MacroBlock buttonBlock(std::int32_t code) override {
    ++buttonCalls;
    return tagged(code, 1);
  }
  device::MacroBlock groupBlock(int group, int index) override {
    ++groupCalls;
    return tagged(256 * (group + 1) + index, 2);
  }
  int groupMacroCount(int) override { return 12; }

  static device::MacroBlock tagged(std::int32_t code, std::uint8_t kind) {
    device::MacroBlock b{};
    for (int i = 0; i < 4; ++i) b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(code >> (8 * i));
    b[device::kBlockOptions] = kind;
    b[device::kBlockEventCount] = 1;
    return b;
  }

  int buttonCalls = 0;
  int groupCalls = 0;
};

}  // namespace pyxom::test
