#include "platform/win32/WinPrivateProfile.h"

#include <windows.h>

#include <vector>

namespace pyxom::platform::win32 {

std::wstring WinPrivateProfile::readString(const std::wstring& path, const std::wstring& section,
                                           const std::wstring& key, std::size_t bufferSize,
                                           const std::wstring& defaultValue) {
  if (bufferSize == 0) return {};
  std::vector<wchar_t> buf(bufferSize, L'\0');
  DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buf.data(),
                                     static_cast<DWORD>(bufferSize), path.c_str());
  return std::wstring(buf.data(), n);
}

bool WinPrivateProfile::writeString(const std::wstring& path, const std::wstring& section,
                                    const std::wstring& key, const std::wstring& value) {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != 0;
}

bool WinPrivateProfile::deleteKey(const std::wstring& path, const std::wstring& section,
                                  const std::wstring& key) {
  return WritePrivateProfileStringW(section.c_str(), key.c_str(), nullptr, path.c_str()) != 0;
}

bool WinPrivateProfile::deleteSection(const std::wstring& path, const std::wstring& section) {
  return WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, path.c_str()) != 0;
}

}  // namespace pyxom::platform::win32
