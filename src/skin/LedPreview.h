// The LED colour page's preview: while the page is shown, a thread steps the swatch through the
// DPI level colours (cycling LED modes), holds it (steady) or shows it grey (off).
#pragma once

#include <atomic>
#include <thread>

#include "platform/Clock.h"

namespace pyxom::skin {

class LedPreviewHost {
 public:
  virtual ~LedPreviewHost() = default;
  virtual bool colorPageShown() = 0;  // MainPage is 3
  virtual int dpiLevel() = 0;
  virtual int appliedLedMode() = 0;   // the LED mode last sent to the mouse
  virtual void invalidate() = 0;      // the whole window, with erasing
};

class LedPreview {
 public:
  static constexpr unsigned kFastPhaseMs = 800;    // mode 1
  static constexpr unsigned kSlowPhaseMs = 1200;   // other modes
  static constexpr unsigned kLevelChangeMs = 2000;

  LedPreview(LedPreviewHost& host, platform::Clock& clock) : host_(host), clock_(clock) {}
  ~LedPreview() { stop(); }
  LedPreview(const LedPreview&) = delete;
  LedPreview& operator=(const LedPreview&) = delete;

  int state() const { return state_.load(); }
  bool off() const { return off_.load(); }
  bool running() const { return running_.load(); }

  // Starts the thread when the running mark is clear and sets the mark. False when it runs.
  bool start();
  // Asks the thread to end at its next pause and waits for it (shutdown).
  void stop();
  // The thread's procedure, on the calling thread; clears the running mark when it ends.
  void run();
  // The download restarts the preview at the current DPI level.
  void restartAt(int dpiLevel);

 private:
  void pass();
  bool pause(unsigned ms);  // false when asked to stop

  LedPreviewHost& host_;
  platform::Clock& clock_;
  std::atomic<int> state_{0};
  std::atomic<bool> off_{false};
  std::atomic<bool> running_{false};
  std::atomic<bool> stop_{false};
  std::atomic<int> rememberedLevel_{0};
  std::thread thread_;
};

}  // namespace pyxom::skin
