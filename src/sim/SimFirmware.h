// The device side of the protocol of one simulated mouse: decodes every feature report it
// receives into device state, and produces the input reports that a press or release of one
// of its physical buttons makes the real mouse send.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pyxom::sim {

using Report = std::vector<std::uint8_t>;

struct SimState {
  int model = 0;
  std::array<std::uint8_t, 256> buttonMap{};   // device value per device key index
  std::array<bool, 256> buttonMapped{};        // a button report arrived for this key index
  std::array<std::uint8_t, 4> dpiCodes{};      // per level
  std::uint8_t enableMask = 0;
  int currentLevel = 0;
  int ledMode = -1;                            // -1 until an LED report arrived
  int ledCode = -1;                            // code as received (0x10 + code in byte 3)
  int fireInterval = -1;                       // milliseconds as decoded; -1 until set
  int fireUnits = -1;                          // the raw interval: ms / 16 (models 0, 1), / 8 (2)
  std::array<std::uint8_t, 6> heldKeys{};      // key emulation slots
  std::uint8_t buttonState = 0xFF;             // bit cleared = pressed
  std::vector<std::uint16_t> consumerKeys;     // every consumer usage received, in order
  int report11 = 0;                            // report 0x11 received this many times
  bool exited = false;                         // exit report received
  int featureReports = 0;                      // total feature reports received
  int rejectedReports = 0;                     // wrong id, unknown command or too short
};

class SimFirmware {
 public:
  explicit SimFirmware(int model);

  int model() const { return state_.model; }
  const SimState& state() const { return state_; }

  // A feature report from the host (byte 0 = report id).
  void onFeatureReport(const std::uint8_t* data, std::size_t length);

  // A physical button (device key index 0..15) went down or up: the input reports the mouse
  // sends. Only buttons whose function leaves work to the host are reported; a press of one
  // of the mouse's own DPI functions (models 0, 1) first moves its level over the enabled ones.
  std::vector<Report> onButton(int keyIndex, bool pressed);

  // An input report with a toggle event (byte 1 at most 0xF0), for tests.
  Report toggleReport() const;

  // One line per field, "name=value", for the control client's "state" command.
  std::string describeState() const;

  // What the emulation state makes the mouse send on its own interfaces: a boot keyboard
  // report (modifier bits for usages 0xE0..0xE7, then a reserved byte and up to six other
  // usages) and the pressed pointer buttons (bit 0 left, 1 right, 2 middle).
  std::array<std::uint8_t, 8> keyboardReport() const;
  std::uint8_t pointerButtons() const;

  // Called for each emulated key, button or consumer key change, so the host can be given
  // what a real mouse would send on its keyboard and pointer interfaces (optional).
  std::function<void(const SimState&)> onEmulationChanged;

  static constexpr std::size_t kInputReportLength = 8;
  static constexpr std::size_t kFeatureReportLength = 8;

 private:
  bool decode(const std::uint8_t* data, std::size_t length);
  int ownDpiStep(std::uint8_t deviceValue) const;
  void emulationChanged();

  SimState state_;
};

}  // namespace pyxom::sim
