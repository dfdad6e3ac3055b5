// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test, and small helpers for the bytes of INI files.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace pyxom::testing {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = std::filesystem::temp_directory_path() /
           ("pyxom-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  // Full path of a file in the folder, as the program passes it to the private-profile seam.
  std::wstring file(std::wstring_view name) const { return (dir_ / std::wstring(name)).wstring(); }

 private:
  std::filesystem::path dir_;
};

inline void writeBytes(const std::wstring& path, std::string_view bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// UTF-16LE bytes (with a byte-order mark) of a text of code points below 0x10000.
inline std::string utf16le(std::wstring_view text, bool bom = true) {
  std::string out = bom ? "\xFF\xFE" : "";
  for (wchar_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return out;
}

}  // namespace pyxom::testing
