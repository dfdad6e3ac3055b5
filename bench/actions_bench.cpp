// Listener and action threads against the simulated mouse (model 0), on the real clock.
// Counters: latency from an input report to the first feature report it causes (median,
// p99, in microseconds); error of macro step delays against their value for a 50-step macro
// (mean, p99, max, in microseconds); sleeps per second of each thread while idle.
#include <benchmark/benchmark.h>

#include "ActionsMeasure.h"

namespace {

using namespace pyxom::bench;

void BM_PressToFirstReport(benchmark::State& state) {
  Bench b;
  b.start();
  std::vector<double> all;
  for (auto _ : state) {
    auto v = measureLatency(b, 1);
    state.SetIterationTime(v[0] / 1e6);
    all.push_back(v[0]);
  }
  const Summary s = summarize(all);
  state.counters["median_us"] = s.median;
  state.counters["p99_us"] = s.p99;
}
BENCHMARK(BM_PressToFirstReport)->UseManualTime()->Iterations(400)->Unit(benchmark::kMicrosecond);

void BM_MacroStepDelayError(benchmark::State& state) {
  Bench b;
  b.start();
  std::vector<double> all;
  for (auto _ : state) {
    auto v = measureStepError(b, static_cast<unsigned>(state.range(0)));
    all.insert(all.end(), v.begin(), v.end());
  }
  const Summary s = summarize(all);
  state.counters["intervals"] = static_cast<double>(all.size());
  state.counters["mean_err_us"] = s.mean;
  state.counters["p99_err_us"] = s.p99;
  state.counters["max_err_us"] = s.max;
}
BENCHMARK(BM_MacroStepDelayError)->Arg(15)->Arg(30)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_IdleWakeups(benchmark::State& state) {
  Bench b;
  b.start();
  Wakeups w;
  for (auto _ : state) w = measureIdleWakeups(b, 2000);
  state.counters["listener_per_s"] = w.listener;
  state.counters["action_per_s"] = w.action;
}
BENCHMARK(BM_IdleWakeups)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
