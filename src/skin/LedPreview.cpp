#include "skin/LedPreview.h"

#include <algorithm>

namespace pyxom::skin {

bool LedPreview::start() {
  if (running_.exchange(true)) return false;
  if (thread_.joinable()) thread_.join();  // a pass that ended by itself
  stop_ = false;
  thread_ = std::thread([this] { run(); });
  return true;
}

void LedPreview::stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void LedPreview::restartAt(int dpiLevel) {
  state_ = dpiLevel;
  rememberedLevel_ = dpiLevel;
  off_ = false;
}

bool LedPreview::pause(unsigned ms) {
  // Short slices, so that shutdown never waits for a whole phase.
  constexpr unsigned kSlice = 50;
  while (ms > 0) {
    if (stop_) return false;
    const unsigned d = std::min(ms, kSlice);
    clock_.sleepMs(d);
    ms -= d;
  }
  return !stop_;
}

void LedPreview::run() {
  running_ = true;
  const int level = host_.dpiLevel();
  state_ = level;
  rememberedLevel_ = level;
  while (!stop_ && host_.colorPageShown()) pass();
  running_ = false;
}

void LedPreview::pass() {
  const int m = host_.appliedLedMode();
  const int level = host_.dpiLevel();
  if (m == 3) {
    off_ = true;
    state_ = level;
  } else if (m == 2) {
    off_ = false;
    state_ = level;
  } else if (m == 0 || m == 1) {
    if (level != rememberedLevel_) {
      state_ = level;
      off_ = false;
      rememberedLevel_ = level;
      host_.invalidate();
      if (!pause(kLevelChangeMs)) return;
    } else if (off_) {
      off_ = false;
    } else {
      off_ = true;
      state_ = state_ >= 3 ? 0 : state_ + 1;
    }
  }
  host_.invalidate();
  pause(m == 1 ? kFastPhaseMs : kSlowPhaseMs);
}

}  // namespace pyxom::skin
