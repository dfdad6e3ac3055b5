#include "platform/win32/WinHostShell.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace pyxom::platform::win32 {

bool WinHostShell::runProgram(const std::wstring& commandLine, int showWindow) {
  // WinExec takes the ANSI code page.
  int n = WideCharToMultiByte(CP_ACP, 0, commandLine.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return false;
  std::string narrow(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, commandLine.c_str(), -1, narrow.data(), n, nullptr, nullptr);
  return WinExec(narrow.c_str(), static_cast<UINT>(showWindow)) > 31;
}

bool WinHostShell::openShellFolder(const std::wstring& target) {
  auto r = ShellExecuteW(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(r) > 32;
}

bool WinHostShell::lockWorkstation() { return LockWorkStation() != FALSE; }

}  // namespace pyxom::platform::win32
