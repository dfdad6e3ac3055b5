// The macro line parser on any text: no out-of-bounds access, and whatever it reads writes
// back as a 3192-character line that reads back to the same record (keys through the tables).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "macro/KeyCodes.h"
#include "macro/MacroFile.h"

using namespace pyxom::macro;
using pyxom::settings::UiLanguage;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  std::wstring line;
  if (mode & 1) {
    for (std::size_t i = 1; i + 1 < size; i += 2) line.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  } else {
    for (std::size_t i = 1; i < size; ++i) line.push_back(static_cast<wchar_t>(data[i]));
  }
  const UiLanguage lang = (mode & 2) ? UiLanguage::English : UiLanguage::Second;

  const Macro raw = parseMacroLine(line, std::nullopt);
  const Macro converted = parseMacroLine(line, lang);
  (void)macroNameOfLine(line);
  (void)raw.name();

  const std::wstring again = formatMacroLine(raw);
  if (again.size() != kLineLength) std::abort();
  for (wchar_t c : again) {
    if (c < L'0' || c > L'9') std::abort();
  }
  // Reading the rewritten line gives the same record, with each key through both tables.
  const Macro back = parseMacroLine(again, lang);
  for (std::size_t b = 0; b < 44; ++b) {
    if (back.bytes[b] != raw.bytes[b] || converted.bytes[b] != raw.bytes[b]) std::abort();
  }
  for (int e = 0; e < kMacroSlots; ++e) {
    const MacroEvent r = raw.event(e), k = back.event(e), c = converted.event(e);
    if (k.action != r.action || k.delay != r.delay) std::abort();
    if (k.key != vkToUsage(usageToVk(r.key), lang)) std::abort();
    if (c.key != vkToUsage(r.key, lang) || c.action != r.action || c.delay != r.delay) std::abort();
  }
  return 0;
}
