#include "platform/win32/WinPrivateProfile.h"

#include <windows.h>

#include <vector>

#include "platform/IniFileProfile.h"

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

namespace {

// The private-profile functions write a new file in the ANSI code page, which turns Cyrillic
// into '?'. A file that starts with a UTF-16LE byte-order mark is kept UTF-16LE, so a missing
// file is created as just that mark first. CREATE_NEW never touches an existing file.
void createUtf16FileIfMissing(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  static const unsigned char kBom[2] = {0xFF, 0xFE};
  DWORD written = 0;
  WriteFile(h, kBom, sizeof kBom, &written, nullptr);
  CloseHandle(h);
}

}  // namespace

bool WinPrivateProfile::writeString(const std::wstring& path, const std::wstring& section,
                                    const std::wstring& key, const std::wstring& value) {
  // Names that would not read back (a line break, '=' in a key) would corrupt the file.
  if (!IniDocument::writableName(section, key)) return false;
  createUtf16FileIfMissing(path);
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
