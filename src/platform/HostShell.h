// Shell seam: starting programs, opening shell folders and locking the workstation.
// Windows: win32/WinHostShell (WinExec, ShellExecuteW, LockWorkStation). Failures are
// reported to the caller, which ignores them.
#pragma once

#include <string>

namespace pyxom::platform {

class HostShell {
 public:
  virtual ~HostShell() = default;
  // Starts a program from its command line; showWindow is the show-window value (5 = show).
  virtual bool runProgram(const std::wstring& commandLine, int showWindow) = 0;
  // Opens a file or shell folder with its default verb, shown normally.
  virtual bool openShellFolder(const std::wstring& target) = 0;
  virtual bool lockWorkstation() = 0;
};

}  // namespace pyxom::platform
