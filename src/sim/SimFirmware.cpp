#include "sim/SimFirmware.h"

#include <sstream>

namespace pyxom::sim {

SimFirmware::SimFirmware(int model) { state_.model = model; }

void SimFirmware::onFeatureReport(const std::uint8_t* data, std::size_t length) {
  ++state_.featureReports;
  if (length >= 2 && data[0] == 7 && data[1] == 0x20) state_.exited = true;
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
  out << "featureReports=" << state_.featureReports << "\n";
  out << "exited=" << (state_.exited ? 1 : 0) << "\n";
  return out.str();
}

}  // namespace pyxom::sim
