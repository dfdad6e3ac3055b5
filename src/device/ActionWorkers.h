// The listener and the action thread of one mouse, as two threads. Started once at start-up;
// stop() ends both (it wakes the blocked read and cuts a playing macro short) and joins them,
// so neither touches the main window after it is gone.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "device/ActionThread.h"
#include "device/ButtonListener.h"

namespace pyxom::device {

class ActionWorkers {
 public:
  // onThreadStart runs first on each new thread (e.g. to raise its priority). The action
  // context's quit pointer is replaced by the workers' own flag.
  ActionWorkers(const ListenerContext& listener, const ActionContext& action,
                std::function<void()> onThreadStart = {});
  ~ActionWorkers();
  ActionWorkers(const ActionWorkers&) = delete;
  ActionWorkers& operator=(const ActionWorkers&) = delete;

  void start();
  void stop();
  bool running() const { return listener_.joinable() || action_.joinable(); }

 private:
  ListenerContext listenerContext_;
  ActionContext actionContext_;
  std::function<void()> onThreadStart_;
  std::atomic<bool> quit_{false};
  std::thread listener_;
  std::thread action_;
};

}  // namespace pyxom::device
