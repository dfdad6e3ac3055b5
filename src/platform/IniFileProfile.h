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
#include <string_view>
#include <vector>

#include "platform/PrivateProfile.h"

namespace pyxom::platform {

// The text of one INI file as lines, with the lookups and edits of the private-profile
// functions. Lines the edits do not touch are kept as they were.
class IniDocument {
 public:
  enum class Encoding { Utf16Le, Utf8Bom, Utf8, Ansi };

  // Any bytes give a document: a UTF-16LE (or BE) byte-order mark selects UTF-16, a UTF-8 mark
  // or valid UTF-8 selects UTF-8, anything else is read as Windows-1252.
  static IniDocument parse(std::string_view bytes);
  static IniDocument empty(Encoding encoding = Encoding::Utf16Le);

  // The value of the first matching key of the first matching section; none when missing
  // (a line without '=' has no value).
  std::optional<std::wstring> find(std::wstring_view section, std::wstring_view key) const;
  // Sets (or adds, at the end of the section) a key; adds the section at the end if needed.
  // The value is cut at the first line break, so it cannot add lines.
  void set(std::wstring_view section, std::wstring_view key, std::wstring_view value);
  // Whether a key written under these names reads back under them: no line breaks, and a key
  // name that is not empty, does not start with '[' and holds no '='. writeString refuses others.
  static bool writableName(std::wstring_view section, std::wstring_view key);
  bool removeKey(std::wstring_view section, std::wstring_view key);
  bool removeSection(std::wstring_view section);

  // The file bytes. A file read as UTF-8 or ASCII stays so; an ANSI file becomes UTF-16LE
  // with a mark, so that no character of it or of new values is lost.
  std::string serialize() const;
  Encoding encoding() const { return encoding_; }

 private:
  std::vector<std::wstring> lines_;
  Encoding encoding_ = Encoding::Utf16Le;
  bool crlf_ = true;
};

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
