#include "macro/MacroFile.h"

#include <algorithm>

#include "settings/Decimal.h"

namespace pyxom::macro {
namespace {

// The key of step e is field 44 + 4e; fields 0..43 are record bytes 0..43.
constexpr std::size_t kHeaderBytes = device::kBlockEvents;  // 44

std::uint8_t fieldOf(std::wstring_view line, std::size_t f) {
  const std::size_t at = 3 * f;
  if (at >= line.size()) return 0;
  return settings::decimalToByte(line.substr(at, 3));
}

void appendField(std::wstring& line, std::uint8_t v) {
  line.push_back(static_cast<wchar_t>(L'0' + v / 100));
  line.push_back(static_cast<wchar_t>(L'0' + v / 10 % 10));
  line.push_back(static_cast<wchar_t>(L'0' + v % 10));
}

template <typename Table>
void loadTable(platform::PrivateProfile& ini, const std::wstring& path, UiLanguage language,
               Table& table, int slots) {
  const int count = std::clamp(readMacroCount(ini, path), 0, slots);
  for (auto& m : table.slots) m.clear();
  table.count = static_cast<std::int16_t>(count);
  for (int k = 0; k < count; ++k) {
    table.slots[static_cast<std::size_t>(k)] = parseMacroLine(readMacroLine(ini, path, k), language);
  }
}

}  // namespace

std::wstring formatField(std::uint8_t value) {
  std::wstring s;
  appendField(s, value);
  return s;
}

std::wstring formatMacroLine(const Macro& macro) {
  std::wstring line;
  line.reserve(kLineLength);
  for (std::size_t b = 0; b < kHeaderBytes; ++b) appendField(line, macro.bytes[b]);
  for (int e = 0; e < kMacroSlots; ++e) {
    const MacroEvent ev = macro.event(e);
    appendField(line, usageToVk(ev.key));
    appendField(line, ev.action);
    appendField(line, static_cast<std::uint8_t>(ev.delay & 0xFF));
    appendField(line, static_cast<std::uint8_t>(ev.delay >> 8));
  }
  return line;
}

Macro parseMacroLine(std::wstring_view line, std::optional<UiLanguage> convertKeysFor) {
  if (line.size() > kLineLength) line = line.substr(0, kLineLength);
  Macro m;
  for (std::size_t b = 0; b < kHeaderBytes; ++b) m.bytes[b] = fieldOf(line, b);
  for (int e = 0; e < kMacroSlots; ++e) {
    const std::size_t f = kHeaderBytes + 4 * static_cast<std::size_t>(e);
    MacroEvent ev;
    ev.key = fieldOf(line, f);
    if (convertKeysFor) ev.key = vkToUsage(ev.key, *convertKeysFor);
    ev.action = fieldOf(line, f + 1);
    ev.delay = static_cast<std::uint16_t>(fieldOf(line, f + 2) | (fieldOf(line, f + 3) << 8));
    m.setEvent(e, ev);
  }
  return m;
}

std::wstring macroNameOfLine(std::wstring_view line) {
  std::uint8_t bytes[kNameBytes];
  for (std::size_t b = 0; b < kNameBytes; ++b) bytes[b] = fieldOf(line, b);
  return nameFromBytes(bytes);
}

int readMacroCount(platform::PrivateProfile& ini, const std::wstring& path) {
  return settings::decimalToInt(ini.readString(path, kMacrosSection, kMacroCountKey, 3));
}

std::wstring readMacroLine(platform::PrivateProfile& ini, const std::wstring& path, int index) {
  return ini.readString(path, kMacrosSection, std::to_wstring(index), kLineLength + 1);
}

void loadGroupMacros(platform::PrivateProfile& ini, const std::wstring& path, UiLanguage language,
                     GroupMacroTable& table) {
  loadTable(ini, path, language, table, kGroupMacroSlots);
  table.edited = 0;
}

void loadBuiltInMacros(platform::PrivateProfile& ini, const std::wstring& path,
                       UiLanguage language, BuiltInMacroTable& table) {
  loadTable(ini, path, language, table, kBuiltInMacroSlots);
}

bool saveMacro(platform::PrivateProfile& ini, const std::wstring& path,
               const GroupMacroTable& table, int index) {
  if (index < 0 || index >= kGroupMacroSlots) return false;
  bool ok = ini.writeString(path, kMacrosSection, kMacroCountKey, std::to_wstring(table.count));
  ok = ini.writeString(path, kMacrosSection, std::to_wstring(index),
                       formatMacroLine(table.slots[static_cast<std::size_t>(index)])) && ok;
  return ok;
}

bool saveGroupMacros(platform::PrivateProfile& ini, const std::wstring& path,
                     const GroupMacroTable& table) {
  bool ok = ini.writeString(path, kMacrosSection, kMacroCountKey, std::to_wstring(table.count));
  const int count = std::clamp<int>(table.count, 0, kGroupMacroSlots);
  for (int k = 0; k < count; ++k) {
    ok = ini.writeString(path, kMacrosSection, std::to_wstring(k),
                         formatMacroLine(table.slots[static_cast<std::size_t>(k)])) && ok;
  }
  return ok;
}

}  // namespace pyxom::macro
