// Helpers of the macro tests: a temporary folder addressed by program (backslash) paths.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/FilePath.h"

namespace pyxom::test {

class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    native_ = std::filesystem::temp_directory_path() /
              ("pyxom-macro-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(native_);
    programPath_ = native_.wstring();
#ifndef _WIN32
    for (auto& c : programPath_) {
      if (c == L'/') c = L'\\';
    }
#endif
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(native_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Program path of a file inside the folder: folder + "\" + relative (backslashes).
  std::wstring path(const std::wstring& relative = L"") const {
    return relative.empty() ? programPath_ : programPath_ + L"\\" + relative;
  }
  std::filesystem::path native(const std::wstring& relative = L"") const {
    return platform::toNativePath(path(relative));
  }
  bool exists(const std::wstring& relative) const { return std::filesystem::exists(native(relative)); }
  void write(const std::wstring& relative, const std::string& bytes) const {
    auto p = native(relative);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
  }

 private:
  std::filesystem::path native_;
  std::wstring programPath_;
};

}  // namespace pyxom::test
