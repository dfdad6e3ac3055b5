// CPyxomDlg: the main window. Owns the shell state, the device link and the seams' Windows
// implementations, runs the start-up sequence and the message map, and ends the program
// through ShutdownDriver.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include "app/ShellState.h"
#include "app/win32/DialogWindow.h"
#include "device/ActionWorkers.h"
#include "device/ButtonEvents.h"
#include "device/ButtonTables.h"
#include "device/DeviceLink.h"
#include "device/Download.h"
#include "device/ReportProtocol.h"
#include "macro/MacroSystem.h"
#include "platform/win32/WinHostInput.h"
#include "platform/win32/WinHostShell.h"
#include "platform/win32/WinPrivateProfile.h"
#include "platform/win32/WinSystemSettings.h"
#include "skin/LedPreview.h"
#include "skin/PagePaint.h"
#include "skin/SkinLayout.h"
#include "skin/win32/SkinPicture.h"
#include "skin/win32/WinSkinFonts.h"

namespace pyxom::sim {
class SimHidTransport;
}

namespace pyxom::app::win32 {

class SimControl;

inline constexpr UINT kTrayMessage = WM_USER + 1;  // 0x401
inline constexpr UINT kTrayIconId = 153;
inline constexpr UINT kSimUnpluggedMessage = WM_APP + 0x51;

class CPyxomDlg final : public DialogWindow {
 public:
  CPyxomDlg(const CommandLine& options, std::wstring modulePath);
  ~CPyxomDlg() override;

  void ShutdownDriver();

 protected:
  bool onInitDialog() override;
  bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool preTranslateMessage(MSG& msg) override;

 private:
  void createTransport();
  device::DownloadContext downloadContext();
  void downloadConfiguration();
  void startWorkers();
  void onDeviceChange(WPARAM event, LPARAM header);
  void onSimUnplugged();
  void closeToTray();
  void showMainWindow();
  void exitProgram();
  void addTrayIcon();
  void removeTrayIcon();
  void showTrayMenu();
  void showAbout();

  // Skin: layouts (step 14), window shape and repaint region (step 17), the paint.
  bool loadSkinLayouts();
  void shapeWindow();
  void paintWindow();
  skin::PaintState paintState();

  CommandLine options_;
  std::wstring modulePath_;
  ShellState shell_;
  settings::MouseSettings settings_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  bool connected_ = false;
  bool trayAdded_ = false;

  platform::win32::WinPrivateProfile ini_;
  platform::win32::WinSystemSettings systemSettings_;
  std::unique_ptr<platform::HidTransport> transport_;
  sim::SimHidTransport* sim_ = nullptr;  // the transport, when simulating
  std::unique_ptr<SimControl> simControl_;
  std::unique_ptr<platform::DeviceNotifications> notifications_;
  std::unique_ptr<device::DeviceLink> link_;
  std::unique_ptr<device::ReportProtocol> protocol_;
  std::unique_ptr<macro::MacroPageView> macroView_;
  std::unique_ptr<macro::MacroSystem> macros_;
  device::MacroBlockSource* macroBlocks_ = nullptr;  // macros_->blocks()
  device::ButtonTables tables_;

  // Skin state. view_ holds what the pointer handling and the macro page change (hover
  // indices, button-down flag, recording flag, mode of the edited macro); mainPage_ is
  // MainPage, shared with the LED preview thread.
  skin::win32::GdiplusSession gdiplus_;
  skin::SkinLayout skinLayout_;
  skin::win32::SkinFontSet fonts_;
  skin::Size drawSize_;
  HRGN pageRepaintRegion_ = nullptr;
  HBRUSH editBrush_ = nullptr;
  skin::PaintState view_;
  std::atomic<std::uint8_t> mainPage_{0};
  std::atomic<int> appliedLedMode_{0};  // LED mode of the last download
  class LedHost;
  std::unique_ptr<LedHost> ledHost_;
  std::unique_ptr<skin::LedPreview> ledPreview_;

  // Listener and action thread, started during start-up. Declared last: they stop and join before
  // anything they use is destroyed.
  device::ButtonEvents buttonEvents_;
  settings::Shared<int> actionProfile_;  // the profile the action thread saves DPI and rate to
  platform::win32::WinHostInput hostInput_;
  platform::win32::WinHostShell hostShell_;
  std::unique_ptr<device::ActionWorkers> workers_;
  bool timerPeriodSet_ = false;
};

}  // namespace pyxom::app::win32
