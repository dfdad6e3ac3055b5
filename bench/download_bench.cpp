// A whole configuration download built and sent through a null transport, per model.
// Counter "reports": feature reports one download sends.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "device/Download.h"
#include "platform/IniFileProfile.h"

namespace {

using namespace pyxom;

class NullTransport : public platform::HidTransport {
 public:
  void beginEnumeration() override {}
  std::optional<std::wstring> interfacePath(int) override { return std::nullopt; }
  void endEnumeration() override {}
  platform::HidHandle open(const std::wstring&, platform::HidAccess) override { return 1; }
  void close(platform::HidHandle) override {}
  bool getAttributes(platform::HidHandle, platform::HidAttributes&) override { return false; }
  bool getCaps(platform::HidHandle, platform::HidCaps&) override { return false; }
  bool setFeature(platform::HidHandle, const std::uint8_t* data, std::size_t length) override {
    benchmark::DoNotOptimize(data[length - 1]);
    ++reports;
    return true;
  }
  bool readInput(platform::HidHandle, std::uint8_t*, std::size_t, std::size_t& n) override {
    n = 0;
    return false;
  }
  void cancelReads() override {}
  long reports = 0;
};

class NullProfile : public platform::PrivateProfile {
 public:
  std::wstring readString(const std::wstring&, const std::wstring&, const std::wstring&,
                          std::size_t, const std::wstring& d) override {
    return d;
  }
  bool writeString(const std::wstring&, const std::wstring&, const std::wstring&,
                   const std::wstring& v) override {
    benchmark::DoNotOptimize(v.data());
    return true;
  }
  bool deleteKey(const std::wstring&, const std::wstring&, const std::wstring&) override { return true; }
  bool deleteSection(const std::wstring&, const std::wstring&) override { return true; }
};

class NullSystem : public platform::SystemSettings {
 public:
  std::optional<int> pointerSpeed() override { return 10; }
  bool setPointerSpeed(int) override { return true; }
  std::optional<unsigned> wheelScrollLines() override { return 3u; }
  bool setWheelScrollLines(unsigned) override { return true; }
};

class EmptyMacros : public device::MacroBlockSource {
 public:
  device::MacroBlock buttonBlock(std::int32_t) override { return {}; }
  device::MacroBlock groupBlock(int, int) override { return {}; }
  int groupMacroCount(int) override { return 0; }
};

class NoSleep : public platform::Clock {
 public:
  std::uint64_t nowMs() override { return 0; }
  void sleepMs(unsigned) override {}
};

// Ten buttons: clicks, DPI functions, multimedia keys, shortcuts and two macros.
void fillProfile(settings::MouseSettings& s, settings::ButtonLayout& layout) {
  const std::int32_t codes[10] = {1, 2, 3, 4, 5, 6, 24, 31, 0x100, 0x201};
  layout.keyCount = 10;
  for (int i = 0; i < 10; ++i) {
    s.buttons[static_cast<std::size_t>(i)] = codes[i];
    layout.deviceKeyIndex[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
  }
  s.dpiLevel = 1;
  for (std::size_t j = 0; j < 4; ++j) {
    s.dpiStep[j] = static_cast<std::uint8_t>(j);
    s.dpiEnabled[j] = 1;
  }
  s.ledMode = 1;
  s.pointerSpeed = 5;
  s.wheelSpeed = 2;
  s.fireInterval = 50;
}

void runDownloads(benchmark::State& state, platform::PrivateProfile& ini, const std::wstring& path) {
  const int model = static_cast<int>(state.range(0));
  NullTransport transport;
  NoSleep clock;
  NullSystem system;
  EmptyMacros macros;
  device::ButtonTables tables;
  settings::MouseSettings s;
  settings::ButtonLayout layout;
  fillProfile(s, layout);
  device::ReportProtocol protocol(transport, 1, 8, clock);
  const device::DownloadContext context{protocol, s,      layout, model,  ini,     path, 1,
                                        macros,   system, tables, nullptr, nullptr, nullptr};
  for (auto _ : state) device::downloadConfiguration(context);
  state.counters["reports"] = static_cast<double>(transport.reports) / static_cast<double>(state.iterations());
}

// Reports only: config.ini writes go to a store that keeps nothing.
void BM_Download(benchmark::State& state) {
  NullProfile ini;
  runDownloads(state, ini, L"C:\\pyxom\\config.ini");
}
BENCHMARK(BM_Download)->Arg(0)->Arg(1)->Arg(2);

// The same with the two profile saves going to a real config.ini.
void BM_DownloadWithIniFile(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / "pyxom-download-bench";
  std::filesystem::create_directories(dir);
  const std::wstring path = (dir / "config.ini").wstring();
  platform::IniFileProfile ini;
  runDownloads(state, ini, path);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_DownloadWithIniFile)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
