#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "skin/LedPreview.h"

namespace pyxom::skin {
namespace {

class FakeClock final : public platform::Clock {
 public:
  std::uint64_t nowMs() override { return now.load(); }
  void sleepMs(unsigned ms) override {
    now += ms;
    std::this_thread::yield();
  }
  std::atomic<std::uint64_t> now{0};
};

struct Frame {
  std::uint64_t at;
  int state;
  bool off;
  bool operator==(const Frame&) const = default;
  friend void PrintTo(const Frame& f, std::ostream* os) { *os << "{" << f.at << "ms " << f.state << (f.off ? " off}" : " on}"); }
};

// Shows the colour page for `frames` invalidations; `onFrame` may change the level or mode.
class FakeHost final : public LedPreviewHost {
 public:
  FakeHost(FakeClock& c, std::size_t frames) : clock_(c), limit_(frames) {}
  bool colorPageShown() override { return shown_ && seen.size() < limit_; }
  int dpiLevel() override { return level; }
  int appliedLedMode() override { return mode; }
  void invalidate() override {
    seen.push_back({clock_.nowMs(), preview->state(), preview->off()});
    if (onFrame) onFrame(seen.size());
  }
  std::atomic<int> level{0}, mode{1};
  std::atomic<bool> shown_{true};
  LedPreview* preview = nullptr;
  std::vector<Frame> seen;
  std::function<void(std::size_t)> onFrame;

 private:
  FakeClock& clock_;
  std::size_t limit_;
};

std::vector<Frame> runPreview(int mode, int level, std::size_t frames, std::function<void(FakeHost&, std::size_t)> onFrame = {}) {
  FakeClock clock;
  FakeHost host(clock, frames);
  LedPreview preview(host, clock);
  host.preview = &preview;
  host.mode = mode;
  host.level = level;
  if (onFrame) host.onFrame = [&](std::size_t n) { onFrame(host, n); };
  preview.run();
  EXPECT_FALSE(preview.running());
  return host.seen;
}

TEST(LedPreview, FastCycleAlternatesGreyAndTheNextLevelEvery800Ms) {
  EXPECT_EQ(runPreview(1, 0, 8), (std::vector<Frame>{{0, 1, true}, {800, 1, false}, {1600, 2, true}, {2400, 2, false},
                                                     {3200, 3, true}, {4000, 3, false}, {4800, 0, true}, {5600, 0, false}}));
}

TEST(LedPreview, SlowCycleUses1200MsAndANewLevelJumpsAtOnceThenHolds2000Ms) {
  auto frames = runPreview(0, 1, 6, [](FakeHost& h, std::size_t n) {
    if (n == 2) h.level = 3;
  });
  EXPECT_EQ(frames, (std::vector<Frame>{{0, 2, true}, {1200, 2, false},
                                        {2400, 3, false}, {4400, 3, false},  // jump, 2000 ms, then the pass's own frame
                                        {5600, 0, true}, {6800, 0, false}}))
      << "after the jump the next pass greys and advances";
}

TEST(LedPreview, SteadyAndOffModesFollowTheLevel) {
  auto steady = runPreview(2, 0, 3, [](FakeHost& h, std::size_t n) {
    if (n == 2) h.level = 2;
  });
  EXPECT_EQ(steady, (std::vector<Frame>{{0, 0, false}, {1200, 0, false}, {2400, 2, false}}));
  auto off = runPreview(3, 1, 2);
  EXPECT_EQ(off, (std::vector<Frame>{{0, 1, true}, {1200, 1, true}}));
  auto switched = runPreview(3, 1, 3, [](FakeHost& h, std::size_t n) {
    if (n == 1) h.mode = 2;  // the mode is read again in every pass
  });
  EXPECT_EQ(switched.back(), (Frame{2400, 1, false}));
}

TEST(LedPreview, EndsAtOnceWhenThePageIsNotShown) {
  FakeClock clock;
  FakeHost host(clock, 0);
  LedPreview preview(host, clock);
  host.preview = &preview;
  host.level = 2;
  preview.run();
  EXPECT_TRUE(host.seen.empty());
  EXPECT_EQ(preview.state(), 2);
}

TEST(LedPreview, ThreadStartsOnceWhileRunningAndStopReturnsPromptly) {
  FakeClock clock;
  FakeHost host(clock, static_cast<std::size_t>(-1));
  LedPreview preview(host, clock);
  host.preview = &preview;
  std::atomic<int> frames{0};
  host.onFrame = [&](std::size_t) { ++frames; };
  ASSERT_TRUE(preview.start());
  EXPECT_TRUE(preview.running());
  EXPECT_FALSE(preview.start());
  while (frames < 3) std::this_thread::yield();
  host.shown_ = false;  // leaving the page ends the thread by itself
  while (preview.running()) std::this_thread::yield();
  EXPECT_TRUE(preview.start());  // and it can start again
  preview.stop();
  EXPECT_FALSE(preview.running());
}

}  // namespace
}  // namespace pyxom::skin
