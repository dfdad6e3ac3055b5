#include "macro/MacroFileSystem.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/FilePath.h"

namespace pyxom::macro {

namespace fs = std::filesystem;

namespace {

// Program path to host path. Elsewhere than on Windows the wide text is encoded as UTF-8 here,
// so that names in any script work whatever the process locale.
fs::path toNativePath(const std::wstring& programPath) {
#ifdef _WIN32
  return platform::toNativePath(programPath);
#else
  std::u8string out;
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
  return fs::path(out);
#endif
}

}  // namespace

bool StdMacroFileSystem::fileExists(const std::wstring& path) {
  std::error_code ec;
  return fs::is_regular_file(toNativePath(path), ec);
}

bool StdMacroFileSystem::createUnicodeFile(const std::wstring& path) {
  std::ofstream out(toNativePath(path), std::ios::binary | std::ios::trunc);
  out << "\xFF\xFE";
  out.close();
  return static_cast<bool>(out);
}

bool StdMacroFileSystem::copyFile(const std::wstring& from, const std::wstring& to) {
  std::error_code ec;
  if (!fs::is_regular_file(toNativePath(from), ec)) return false;
  return fs::copy_file(toNativePath(from), toNativePath(to), fs::copy_options::overwrite_existing, ec) &&
         !ec;
}

bool StdMacroFileSystem::deleteFile(const std::wstring& path) {
  std::error_code ec;
  const auto p = toNativePath(path);
  if (!fs::is_regular_file(fs::symlink_status(p, ec)) && !fs::is_symlink(fs::symlink_status(p, ec))) {
    return false;
  }
  return fs::remove(p, ec) && !ec;
}

bool StdMacroFileSystem::sameFile(const std::wstring& a, const std::wstring& b) {
  std::error_code ec;
  return fs::equivalent(toNativePath(a), toNativePath(b), ec) && !ec;
}

void StdMacroFileSystem::clearFolder(const std::wstring& folder) {
  std::error_code ec;
  const auto root = toNativePath(folder);
  if (!fs::is_directory(root, ec)) return;
  // remove_all does not follow links, so nothing outside the folder is touched.
  for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code rec;
    fs::remove_all(it->path(), rec);
  }
}

void StdMacroFileSystem::copyFolder(const std::wstring& from, const std::wstring& to) {
  std::error_code ec;
  const auto src = toNativePath(from), dst = toNativePath(to);
  if (!fs::is_directory(src, ec)) return;
  fs::create_directories(dst, ec);
  // File by file, so that one failure does not stop the rest.
  for (fs::recursive_directory_iterator it(src, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fec;
    const auto target = dst / fs::relative(it->path(), src, fec);
    if (fec) continue;
    if (it->is_directory(fec)) {
      fs::create_directories(target, fec);
    } else if (it->is_regular_file(fec)) {
      fs::create_directories(target.parent_path(), fec);
      fs::copy_file(it->path(), target, fs::copy_options::overwrite_existing, fec);
    }
  }
}

}  // namespace pyxom::macro
