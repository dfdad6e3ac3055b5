// Program paths are Windows paths built with backslashes ("<folder>\config.ini").
// toNativePath turns one into a path the host file system understands.
#pragma once

#include <filesystem>
#include <string>

namespace pyxom::platform {

inline std::filesystem::path toNativePath(const std::wstring& programPath) {
#ifdef _WIN32
  return std::filesystem::path(programPath);
#else
  // Encoded as UTF-8 here rather than through the process locale, so that names in any script
  // (Russian group names) work under the "C" locale too.
  std::u8string out;
  out.reserve(programPath.size());
  for (wchar_t wc : programPath) {
    auto c = static_cast<char32_t>(wc);
    if (c == U'\\') c = U'/';
    if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) c = 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char8_t>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char8_t>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char8_t>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char8_t>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char8_t>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char8_t>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char8_t>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char8_t>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char8_t>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char8_t>(0x80 | (c & 0x3F)));
    }
  }
  return std::filesystem::path(out);
#endif
}

}  // namespace pyxom::platform
