#include "sim/SimFirmware.h"

namespace pyxom::sim {

// Every physical button is reported to the host: byte 1 = 0xF0 + key index, byte 2 = 0x80 on
// a release.
std::vector<Report> SimFirmware::onButton(int keyIndex, bool pressed) {
  Report r(kInputReportLength, 0);
  r[0] = 6;
  r[1] = static_cast<std::uint8_t>(0xF0 + keyIndex);
  r[2] = pressed ? 0x00 : 0x80;
  return {r};
}

}  // namespace pyxom::sim
