#include "device/ActionWorkers.h"

namespace pyxom::device {

ActionWorkers::ActionWorkers(const ListenerContext& listener, const ActionContext& action,
                             std::function<void()> onThreadStart)
    : listenerContext_(listener), actionContext_(action), onThreadStart_(std::move(onThreadStart)) {
  actionContext_.quit = &quit_;
}

ActionWorkers::~ActionWorkers() { stop(); }

void ActionWorkers::start() {
  if (running()) return;
  quit_ = false;
  listener_ = std::thread([this] {
    if (onThreadStart_) onThreadStart_();
    while (!quit_.load()) listenOnce(listenerContext_);
  });
  action_ = std::thread([this] {
    if (onThreadStart_) onThreadStart_();
    while (!quit_.load()) actionPass(actionContext_);
  });
}

void ActionWorkers::stop() {
  quit_ = true;
  if (listener_.joinable()) {
    listenerContext_.transport.cancelReads();
    listener_.join();
  }
  if (action_.joinable()) action_.join();
}

}  // namespace pyxom::device
