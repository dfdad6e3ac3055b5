#include "sim/SimFirmware.h"

#include <sstream>

namespace pyxom::sim {

namespace {

// LED mode of each LED code the host sends; -1 for a code no mode has.
int ledModeOfCode(int code) {
  switch (code) {
    case 0: return 0;
    case 3: return 1;
    case 6: return 2;
    case 7: return 3;
    default: return -1;
  }
}

template <typename Range>
std::string joined(const Range& values) {
  std::ostringstream out;
  bool first = true;
  for (auto v : values) {
    if (!first) out << ',';
    out << static_cast<unsigned>(v);
    first = false;
  }
  return out.str();
}

}  // namespace

SimFirmware::SimFirmware(int model) { state_.model = model; }

void SimFirmware::onFeatureReport(const std::uint8_t* data, std::size_t length) {
  ++state_.featureReports;
  if (!decode(data, length)) ++state_.rejectedReports;
}

// Returns false for a report the mouse does not understand; such a report changes nothing.
bool SimFirmware::decode(const std::uint8_t* d, std::size_t length) {
  if (d == nullptr || length < 4 || d[0] != 7) return false;
  switch (d[1]) {
    case 0x10:  // button function: key index, device value
      state_.buttonMap[d[2]] = d[3];
      state_.buttonMapped[d[2]] = true;
      return true;
    case 0x09: {
      const int low = d[3] & 0x0F;
      if (low >= 8 && low <= 11) {
        // DPI level: byte 2 = (code / 16) * 64 + current, byte 3 = (code % 16) * 16 + 8 + level.
        if (length < 5) return false;
        const int level = low - 8;
        state_.dpiCodes[level] = static_cast<std::uint8_t>((d[2] >> 6) * 16 + (d[3] >> 4));
        state_.currentLevel = d[2] & 0x3F;
        state_.enableMask = d[4];
        return true;
      }
      if (state_.model == 2 && low <= 3 && d[2] <= 3) {
        // DPI current: byte 2 = level, byte 3 = (code + 8) * 16 + LED mode (8 bits).
        state_.currentLevel = d[2];
        state_.dpiCodes[d[2]] = static_cast<std::uint8_t>(((d[3] >> 4) + 8) % 16);
        state_.ledMode = low;
        return true;
      }
      return false;
    }
    case 0x13: {  // LED: 0x7F, 0x10 + code
      const int code = d[3] - 0x10;
      const int mode = ledModeOfCode(code);
      if (d[2] != 0x7F || mode < 0) return false;
      state_.ledCode = code;
      state_.ledMode = mode;
      return true;
    }
    case 0x11:
      ++state_.report11;
      return true;
    case 0x12:  // fire interval
      if (state_.model == 2) {
        state_.fireUnits = d[2];
        state_.fireInterval = d[2] * 8;
      } else {
        state_.fireUnits = d[2] * 256 + d[3];
        state_.fireInterval = state_.fireUnits * 16;
      }
      return true;
    case 0x15:  // key emulation: six slots in bytes 2 to 7
      if (length < 8) return false;
      for (std::size_t i = 0; i < 6; ++i) state_.heldKeys[i] = d[2 + i];
      emulationChanged();
      return true;
    case 0x16:  // button emulation: state in byte 3
      state_.buttonState = d[3];
      emulationChanged();
      return true;
    case 0x17:  // consumer key, big-endian usage
      state_.consumerKeys.push_back(static_cast<std::uint16_t>(d[2] << 8 | d[3]));
      emulationChanged();
      return true;
    case 0x20:
      state_.exited = true;
      return true;
    default:
      return false;
  }
}

void SimFirmware::emulationChanged() {
  if (onEmulationChanged) onEmulationChanged(state_);
}

std::array<std::uint8_t, 8> SimFirmware::keyboardReport() const {
  std::array<std::uint8_t, 8> r{};
  std::size_t next = 2;
  for (auto usage : state_.heldKeys) {
    if (usage >= 0xE0 && usage <= 0xE7) {
      r[0] = static_cast<std::uint8_t>(r[0] | (1u << (usage - 0xE0)));
    } else if (usage != 0) {
      r[next++] = usage;
    }
  }
  return r;
}

std::uint8_t SimFirmware::pointerButtons() const {
  return static_cast<std::uint8_t>(~state_.buttonState & 0x07);
}

Report SimFirmware::toggleReport() const {
  Report r(kInputReportLength, 0);
  r[0] = 6;
  r[1] = 0xF0;
  return r;
}

std::string SimFirmware::describeState() const {
  std::ostringstream out;
  out << "model=" << state_.model << "\n";
  for (int k = 0; k < 256; ++k) {
    if (state_.buttonMapped[k]) out << "button." << k << "=" << unsigned{state_.buttonMap[k]} << "\n";
  }
  for (int j = 0; j < 4; ++j) out << "dpiCode." << j << "=" << unsigned{state_.dpiCodes[j]} << "\n";
  out << "enableMask=" << unsigned{state_.enableMask} << "\n";
  out << "level=" << state_.currentLevel << "\n";
  out << "led=" << state_.ledMode << "\n";
  out << "ledCode=" << state_.ledCode << "\n";
  out << "fire=" << state_.fireInterval << "\n";
  out << "fireUnits=" << state_.fireUnits << "\n";
  out << "keys=" << joined(state_.heldKeys) << "\n";
  out << "buttonState=" << unsigned{state_.buttonState} << "\n";
  out << "buttons=" << unsigned{pointerButtons()} << "\n";
  out << "consumer=" << joined(state_.consumerKeys) << "\n";
  out << "report11=" << state_.report11 << "\n";
  out << "exited=" << (state_.exited ? 1 : 0) << "\n";
  out << "featureReports=" << state_.featureReports << "\n";
  out << "rejectedReports=" << state_.rejectedReports << "\n";
  return out.str();
}

}  // namespace pyxom::sim
