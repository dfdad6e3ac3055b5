// A config.ini of any bytes: the layout and every profile load without a crash, the loaded
// record stays inside its tables, and what is saved loads back unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/IniFileProfile.h"
#include "settings/MouseSettings.h"

using namespace pyxom;
using namespace pyxom::settings;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

std::filesystem::path scratch() {
  std::filesystem::path dir = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  return dir / ("pyxom-config-fuzz-" + std::to_string(::getpid()) + ".ini");
}

bool same(const MouseSettings& a, const MouseSettings& b, int keys) {
  for (int i = 0; i < keys; ++i)
    if (a.buttons[i] != b.buttons[i]) return false;
  for (int j = 0; j < kDpiLevels; ++j)
    if (a.dpiStep[j] != b.dpiStep[j] || a.dpiEnabled[j] != b.dpiEnabled[j]) return false;
  return a.dpiLevel == b.dpiLevel && a.ledMode == b.ledMode && a.pointerSpeed == b.pointerSpeed &&
         a.wheelSpeed == b.wheelSpeed && a.reportRate == b.reportRate &&
         a.fireInterval == b.fireInterval && a.macroMode == b.macroMode;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int model = data[0] % 4;  // 3: a model without a DPI table
  const int profile = data[1] % 7;
  static const std::filesystem::path file = scratch();
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 2), static_cast<std::streamsize>(size - 2));
  }
  const std::wstring path = file.wstring();
  platform::IniFileProfile ini;
  const ButtonLayout layout = readLayout(ini, path);
  check(layout.keyCount >= 0 && layout.keyCount <= kMaxKeys);
  check(layout.productNameEnglish.size() <= 34 && layout.productNameSecond.size() <= 34);
  const std::uint8_t language = readStoredLanguage(ini, path);

  MouseSettings s;
  loadSettings(ini, path, profile, (data[1] & 0x80) != 0, layout.storedKeyNum, model, language, s);
  check(s.dpiLevel >= 0 && s.dpiLevel < kDpiLevels);
  for (int j = 0; j < kDpiLevels; ++j) {
    check(s.dpiEnabled[j] <= 1);
    if (model < 3) check(s.dpiStep[j] < dpiStepCount(model));
  }
  check(static_cast<std::uint32_t>(s.fireInterval) >= 8u);
  check(s.wheelStatus == 0);

  saveSettings(ini, path, profile, layout.storedKeyNum, model, s);
  MouseSettings back;
  back.dpiStep = s.dpiStep;  // a model without a table neither reads nor writes steps
  loadSettings(ini, path, profile, false, layout.storedKeyNum, model, language, back);
  check(same(s, back, layout.keyCount));
  return 0;
}
