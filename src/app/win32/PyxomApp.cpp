// CPyxomApp: the application object. The single-instance rule, then the main dialog.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/ShellState.h"
#include "app/win32/PyxomDlg.h"
#include "platform/win32/WinPrivateProfile.h"
#include "resource.h"

namespace pyxom::app::win32 {

class CPyxomApp {
 public:
  CPyxomApp() {
    std::vector<wchar_t> buf(260, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    modulePath_.assign(buf.data(), n);
  }

  // Returns false in every case: the program ends when the main dialog ends.
  bool InitInstance() {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"CPyxomApp");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
      // The running instance's title is its product name in the configured language.
      platform::win32::WinPrivateProfile ini;
      ShellState s = readShellState(ini, applicationFolder(modulePath_));
      if (HWND other = FindWindowW(nullptr, s.productName().c_str())) ShowWindow(other, SW_RESTORE);
      if (mutex) CloseHandle(mutex);
      exitCode_ = kExitAlreadyRunning;
      return false;
    }
    // The mutex handle is held until the process ends.
    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    InitCommonControlsEx(&icc);

    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    CommandLine options = parseCommandLine(argc, argv);
    LocalFree(argv);
    if (!options.valid) {
      MessageBoxW(nullptr, options.error.c_str(), applicationName(modulePath_).c_str(), MB_OK);
      return false;
    }
    CPyxomDlg dlg(options, modulePath_);
    dlg.runModal(GetModuleHandleW(nullptr), IDD_PYXOM_DIALOG, nullptr);
    return false;
  }

 int exitCode() const { return exitCode_; }

 private:
  // Lets scripts tell a start that only woke the running instance.
  static constexpr int kExitAlreadyRunning = 1;
  std::wstring modulePath_;
  int exitCode_ = 0;
};

}  // namespace pyxom::app::win32

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  pyxom::app::win32::CPyxomApp app;
  app.InitInstance();
  return app.exitCode();
}
