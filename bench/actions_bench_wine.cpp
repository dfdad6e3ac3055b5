// The measurements of actions_bench as a plain program, for the Windows build under Wine
// (Google Benchmark is native only). Build and run: see the comment in bench/CMakeLists.txt.
#include <cstdio>

#include "ActionsMeasure.h"

using namespace pyxom::bench;

int main() {
  {
    Bench b;
    b.start();
    const Summary s = summarize(measureLatency(b, 400));
    std::printf("press to first report: median %.0f us, p99 %.0f us, max %.0f us\n", s.median, s.p99, s.max);
  }
  for (unsigned d : {15u, 30u, 100u}) {
    Bench b;
    b.start();
    const Summary s = summarize(measureStepError(b, d));
    std::printf("macro steps at %u ms: error mean %.0f us, p99 %.0f us, max %.0f us\n", d, s.mean, s.p99, s.max);
  }
  {
    Bench b;
    b.start();
    const Wakeups w = measureIdleWakeups(b, 2000);
    std::printf("idle wake-ups per second: listener %.1f, action thread %.1f\n", w.listener, w.action);
  }
  return 0;
}
