// decimalToInt against a plain reference: blanks, sign, digits up to the first non-digit,
// modulo 2^32; the byte form keeps the low 8 bits; the written form reads back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/Decimal.h"

using namespace pyxom::settings;

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

std::int32_t reference(const std::wstring& s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == L' ' || s[i] == L'\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == L'-' || s[i] == L'+')) negative = s[i++] == L'-';
  std::uint64_t v = 0;
  for (; i < s.size() && s[i] >= L'0' && s[i] <= L'9'; ++i) v = (v * 10 + (s[i] - L'0')) % (1ull << 32);
  if (negative) v = ((1ull << 32) - v) % (1ull << 32);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Two bytes per character, so that wide characters beyond Latin-1 are reached too.
  std::wstring text;
  for (std::size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  const std::int32_t v = decimalToInt(text);
  check(v == reference(text));
  check(decimalToByte(text) == static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) & 0xFF));
  check(decimalToInt(intToDecimal(v)) == v);
  return 0;
}
