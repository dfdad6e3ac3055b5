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
  std::wstring p = programPath;
  for (auto& c : p) {
    if (c == L'\\') c = L'/';
  }
  return std::filesystem::path(p);
#endif
}

}  // namespace pyxom::platform
