// File operations of the macro groups (create, copy, delete, reset of a folder tree), behind a
// seam so that tests can watch or fail them. Paths are program paths (backslashes).
#pragma once

#include <string>

namespace pyxom::macro {

class MacroFileSystem {
 public:
  virtual ~MacroFileSystem() = default;
  virtual bool fileExists(const std::wstring& path) = 0;
  // Creates (or empties) a file holding only a UTF-16LE byte-order mark, so that the
  // private-profile writes that follow keep every character of names.
  virtual bool createUnicodeFile(const std::wstring& path) = 0;
  // Copies a file, overwriting the target. False when the copy was not made.
  virtual bool copyFile(const std::wstring& from, const std::wstring& to) = 0;
  virtual bool deleteFile(const std::wstring& path) = 0;
  // True when both paths name one existing file (also through letter case on Windows).
  virtual bool sameFile(const std::wstring& a, const std::wstring& b) = 0;
  // Deletes every file and sub-folder inside `folder`; the folder itself stays.
  virtual void clearFolder(const std::wstring& folder) = 0;
  // Copies the files of `from` into `to`, recursively, creating folders and overwriting.
  virtual void copyFolder(const std::wstring& from, const std::wstring& to) = 0;
};

// The host file system through std::filesystem.
class StdMacroFileSystem final : public MacroFileSystem {
 public:
  bool fileExists(const std::wstring& path) override;
  bool createUnicodeFile(const std::wstring& path) override;
  bool copyFile(const std::wstring& from, const std::wstring& to) override;
  bool deleteFile(const std::wstring& path) override;
  bool sameFile(const std::wstring& a, const std::wstring& b) override;
  void clearFolder(const std::wstring& folder) override;
  void copyFolder(const std::wstring& from, const std::wstring& to) override;
};

}  // namespace pyxom::macro
