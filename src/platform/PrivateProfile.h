// Private-profile (INI) seam with the semantics of GetPrivateProfileStringW and
// WritePrivateProfileStringW that the program relies on.
// Windows: the real functions (win32/WinPrivateProfile). Native: IniFileProfile.
#pragma once

#include <cstddef>
#include <string>

namespace pyxom::platform {

class PrivateProfile {
 public:
  virtual ~PrivateProfile() = default;

  // Reads `key` of `section` in the file `path` into a buffer of `bufferSize` characters:
  // the result holds at most bufferSize - 1 characters. A missing file, section or key
  // gives `defaultValue` (also cut to size). Section and key names ignore the case of ASCII
  // letters.
  virtual std::wstring readString(const std::wstring& path, const std::wstring& section,
                                  const std::wstring& key, std::size_t bufferSize,
                                  const std::wstring& defaultValue = L"") = 0;

  // Writes `value` (creating the file, section or key as needed). False on failure, and for
  // names that would not read back as written (line breaks; an empty key, '=' in a key or a
  // key that starts with '['), which leave the file untouched.
  virtual bool writeString(const std::wstring& path, const std::wstring& section,
                           const std::wstring& key, const std::wstring& value) = 0;

  // Removes one key, or a whole section. False on failure.
  virtual bool deleteKey(const std::wstring& path, const std::wstring& section,
                         const std::wstring& key) = 0;
  virtual bool deleteSection(const std::wstring& path, const std::wstring& section) = 0;
};

}  // namespace pyxom::platform
