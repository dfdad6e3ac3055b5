// Clock and sleep seam, so that loops with pauses can be driven by tests.
#pragma once

#include <cstdint>

namespace pyxom::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint64_t nowMs() = 0;   // monotonic milliseconds
  virtual void sleepMs(unsigned ms) = 0;
};

// The real clock: std::chrono::steady_clock and std::this_thread::sleep_for.
Clock& systemClock();

}  // namespace pyxom::platform
