// HostShell on WinExec, ShellExecuteW and LockWorkStation.
#pragma once

#include "platform/HostShell.h"

namespace pyxom::platform::win32 {

class WinHostShell final : public HostShell {
 public:
  bool runProgram(const std::wstring& commandLine, int showWindow) override;
  bool openShellFolder(const std::wstring& target) override;
  bool lockWorkstation() override;
};

}  // namespace pyxom::platform::win32
