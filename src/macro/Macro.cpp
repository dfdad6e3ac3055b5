#include "macro/Macro.h"

namespace pyxom::macro {
namespace {

// wchar_t is 16 bits on Windows and 32 bits elsewhere: names are always stored as UTF-16.
std::u16string toUtf16(std::wstring_view s) {
  std::u16string out;
  for (wchar_t wc : s) {
    auto c = static_cast<std::uint32_t>(wc);
    if constexpr (sizeof(wchar_t) == 4) {
      if (c >= 0x10000 && c <= 0x10FFFF) {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        continue;
      }
      if (c > 0x10FFFF) c = 0xFFFD;
    }
    out.push_back(static_cast<char16_t>(c));
  }
  return out;
}

std::wstring fromUtf16(std::u16string_view s) {
  std::wstring out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if constexpr (sizeof(wchar_t) == 4) {
      if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
        ++i;
      }
    }
    out.push_back(static_cast<wchar_t>(c));
  }
  return out;
}

}  // namespace

std::wstring nameFromBytes(const std::uint8_t* bytes) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < kNameBytes; i += 2) {
    char16_t u = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (u == 0) break;
    units.push_back(u);
  }
  return fromUtf16(units);
}

std::size_t utf16Length(std::wstring_view name) { return toUtf16(name).size(); }

std::wstring Macro::name() const { return nameFromBytes(bytes.data()); }

void Macro::setName(std::wstring_view name) {
  std::fill(bytes.begin(), bytes.begin() + kNameBytes, 0);
  std::u16string units = toUtf16(name);
  if (units.size() > kMaxMacroNameLength) {
    units.resize(kMaxMacroNameLength);
    // Do not leave half of a surrogate pair at the end.
    if (units.back() >= 0xD800 && units.back() < 0xDC00) units.pop_back();
  }
  for (std::size_t i = 0; i < units.size(); ++i) {
    bytes[2 * i] = static_cast<std::uint8_t>(units[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<std::uint8_t>(units[i] >> 8);
  }
}

MacroEvent Macro::event(int e) const {
  if (e < 0 || e >= kMacroSlots) return {};
  const auto s = static_cast<std::size_t>(e);
  MacroEvent ev;
  ev.key = bytes[device::kBlockEvents + 2 * s];
  ev.action = bytes[device::kBlockEvents + 2 * s + 1];
  ev.delay = static_cast<std::uint16_t>(bytes[device::kBlockDelays + 2 * s] |
                                        (bytes[device::kBlockDelays + 2 * s + 1] << 8));
  return ev;
}

void Macro::setEvent(int e, const MacroEvent& ev) {
  if (e < 0 || e >= kMacroSlots) return;
  const auto s = static_cast<std::size_t>(e);
  bytes[device::kBlockEvents + 2 * s] = ev.key;
  bytes[device::kBlockEvents + 2 * s + 1] = ev.action;
  bytes[device::kBlockDelays + 2 * s] = static_cast<std::uint8_t>(ev.delay & 0xFF);
  bytes[device::kBlockDelays + 2 * s + 1] = static_cast<std::uint8_t>(ev.delay >> 8);
}

}  // namespace pyxom::macro
