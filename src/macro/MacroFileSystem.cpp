#include "macro/MacroFileSystem.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/FilePath.h"

namespace pyxom::macro {

namespace fs = std::filesystem;

using platform::toNativePath;

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
