// A macro playback block: the 1064 bytes of a macro record, as the action threads play it.
#pragma once

#include <array>
#include <cstdint>

namespace pyxom::device {

inline constexpr std::size_t kMacroBlockSize = 1064;
using MacroBlock = std::array<std::uint8_t, kMacroBlockSize>;

// Byte offsets inside a block.
inline constexpr std::size_t kBlockOptions = 40;       // bit 1: repeat until stopped
inline constexpr std::size_t kBlockRepeatCount = 41;   // 16 bits, little-endian
inline constexpr std::size_t kBlockEventCount = 43;
inline constexpr std::size_t kBlockEvents = 44;        // key at 44 + 2e, action at 45 + 2e
inline constexpr std::size_t kBlockDelays = 554;       // 16-bit delay at 554 + 2e, little-endian

// Where the download gets the block of a macro code (filled by the macro subsystem).
class MacroBlockSource {
 public:
  virtual ~MacroBlockSource() = default;
  // Block for a button on models 0 and 1 (keys as HID usages); empty block when not a macro.
  virtual MacroBlock buttonBlock(std::int32_t code) = 0;
  // Block for model 2 (keys as virtual-key codes as stored), group 0..12, index 0..11.
  virtual MacroBlock groupBlock(int group, int index) = 0;
  // Number of macros in group (0..12), for the range check of the action threads.
  virtual int groupMacroCount(int group) = 0;
};

}  // namespace pyxom::device
