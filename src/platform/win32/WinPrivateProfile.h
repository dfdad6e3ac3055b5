// PrivateProfile over the real GetPrivateProfileStringW / WritePrivateProfileStringW. A write
// to a missing file creates it as UTF-16LE with a byte-order mark first.
#pragma once

#include "platform/PrivateProfile.h"

namespace pyxom::platform::win32 {

class WinPrivateProfile final : public PrivateProfile {
 public:
  std::wstring readString(const std::wstring& path, const std::wstring& section,
                          const std::wstring& key, std::size_t bufferSize,
                          const std::wstring& defaultValue = L"") override;
  bool writeString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override;
  bool deleteKey(const std::wstring& path, const std::wstring& section,
                 const std::wstring& key) override;
  bool deleteSection(const std::wstring& path, const std::wstring& section) override;
};

}  // namespace pyxom::platform::win32
