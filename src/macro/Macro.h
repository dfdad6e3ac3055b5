// The macro record: 1064 bytes whose layout is both the macro file line and the playback block.
// Fields are read and written byte by byte, so the layout does not depend on the compiler.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "device/MacroBlock.h"

namespace pyxom::macro {

inline constexpr std::size_t kMacroSize = device::kMacroBlockSize;  // 1064
inline constexpr int kMacroSlots = 255;       // step slots in a record
inline constexpr int kMaxEventCount = 254;    // steps in use at most
inline constexpr std::size_t kNameBytes = 40;
inline constexpr std::size_t kMaxMacroNameLength = 19;  // UTF-16 units before the NUL

// Step actions.
inline constexpr std::uint8_t kActionPress = 1;
inline constexpr std::uint8_t kActionRelease = 2;
inline constexpr std::uint8_t kActionMoveRight = 0x81;
inline constexpr std::uint8_t kActionMoveLeft = 0x82;
inline constexpr std::uint8_t kActionMoveDown = 0xF1;
inline constexpr std::uint8_t kActionMoveUp = 0xF2;

// Repeat rules (options).
inline constexpr std::uint8_t kPlayOnce = 0;
inline constexpr std::uint8_t kPlayCount = 1;
inline constexpr std::uint8_t kPlayUntilStopped = 2;

// Mouse-button key codes, kept as they are by both key conversions.
inline constexpr std::uint8_t kKeyMouseLeft = 0xF0;
inline constexpr std::uint8_t kKeyMouseRight = 0xF1;
inline constexpr std::uint8_t kKeyMouseMiddle = 0xF2;

struct MacroEvent {
  std::uint8_t key = 0;
  std::uint8_t action = 0;
  std::uint16_t delay = 0;
  friend bool operator==(const MacroEvent&, const MacroEvent&) = default;
};

struct Macro {
  device::MacroBlock bytes{};

  // The name up to its first NUL; a name without NUL yields all 20 units of the field.
  std::wstring name() const;
  // Clears the 40 name bytes, then stores the name (cut to 19 units) and a NUL.
  void setName(std::wstring_view name);

  std::uint8_t options() const { return bytes[device::kBlockOptions]; }
  void setOptions(std::uint8_t v) { bytes[device::kBlockOptions] = v; }
  std::uint16_t repeatCount() const {
    return static_cast<std::uint16_t>(bytes[device::kBlockRepeatCount] |
                                      (bytes[device::kBlockRepeatCount + 1] << 8));
  }
  void setRepeatCount(std::uint16_t v) {
    bytes[device::kBlockRepeatCount] = static_cast<std::uint8_t>(v & 0xFF);
    bytes[device::kBlockRepeatCount + 1] = static_cast<std::uint8_t>(v >> 8);
  }
  std::uint8_t eventCount() const { return bytes[device::kBlockEventCount]; }
  void setEventCount(std::uint8_t v) { bytes[device::kBlockEventCount] = v; }

  // Slot e of 0..254; other slots read as empty and are not written.
  MacroEvent event(int e) const;
  void setEvent(int e, const MacroEvent& ev);

  void clear() { bytes.fill(0); }
  const device::MacroBlock& block() const { return bytes; }
  friend bool operator==(const Macro&, const Macro&) = default;
};
static_assert(sizeof(Macro) == 1064, "the macro record is exactly 1064 bytes");

// A name of 40 UTF-16LE bytes read up to its first NUL (at most 20 units).
std::wstring nameFromBytes(const std::uint8_t* bytes);
// Length of a name in UTF-16 units (characters beyond the BMP count twice).
std::size_t utf16Length(std::wstring_view name);

inline constexpr int kGroupMacroSlots = 12;
inline constexpr int kBuiltInMacroSlots = 13;

// The macros of the current group.
struct GroupMacroTable {
  std::array<Macro, kGroupMacroSlots> slots{};
  std::int16_t count = 0;
  std::int32_t edited = 0;  // index of the macro being edited
  Macro blank{};            // all zeros: what recording copies into a slot

  void clear() {
    for (auto& m : slots) m.clear();
    count = 0;
  }
};

// The constant macros; slots 0..7 are played for button functions 31..38.
struct BuiltInMacroTable {
  std::array<Macro, kBuiltInMacroSlots> slots{};
  std::int16_t count = 0;
};

}  // namespace pyxom::macro
