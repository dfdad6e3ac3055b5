// Portable PrivateProfile: the contract of the Windows private-profile functions on a plain
// file. Reads UTF-16LE files with a byte-order mark and plain ASCII/UTF-8 files; keeps a
// UTF-16LE file UTF-16LE and creates new files as UTF-16LE with a byte-order mark. Every
// write replaces the file through a temporary file and a rename, so an interrupted write
// leaves either the old or the new file.
#pragma once

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>

#include "platform/PrivateProfile.h"

namespace pyxom::platform {

class IniFileProfile final : public PrivateProfile {
 public:
  std::wstring readString(const std::wstring& path, const std::wstring& section,
                          const std::wstring& key, std::size_t bufferSize,
                          const std::wstring& defaultValue = L"") override;
  bool writeString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override;
  bool deleteKey(const std::wstring& path, const std::wstring& section,
                 const std::wstring& key) override;
  bool deleteSection(const std::wstring& path, const std::wstring& section) override;

  // Simulates a crash during every following write: only `tempBytes` bytes of the temporary
  // file are written, or (stopBeforeRename) the rename never happens. The write then reports
  // failure and leaves its temporary file behind, as a crash would.
  struct CrashForTesting {
    std::size_t tempBytes = static_cast<std::size_t>(-1);
    bool stopBeforeRename = false;
  };
  void setCrashForTesting(std::optional<CrashForTesting> crash) { crash_ = crash; }

 private:
  bool replaceFile(const std::wstring& path, const std::string& bytes);

  std::mutex mutex_;  // one read-modify-write at a time (UI and action threads share it)
  std::optional<CrashForTesting> crash_;
};

}  // namespace pyxom::platform
