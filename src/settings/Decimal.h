// Decimal text conversion used for every number read from an INI file or a macro line:
// leading blanks skipped, optional sign, digits up to the first non-digit; no digits gives 0.
// Values beyond 32 bits wrap (modulo 2^32), so any input gives a defined result.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pyxom::settings {

constexpr std::int32_t decimalToInt(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    negative = text[i] == L'-';
    ++i;
  }
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - L'0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

// Byte fields keep the low 8 bits of the number.
constexpr std::uint8_t decimalToByte(std::wstring_view text) {
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(decimalToInt(text)) & 0xFFu);
}

// Signed decimal without padding ("%d").
inline std::wstring intToDecimal(std::int64_t value) { return std::to_wstring(value); }

}  // namespace pyxom::settings
