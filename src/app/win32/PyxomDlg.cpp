#include "app/win32/PyxomDlg.h"

#include <dbt.h>
#include <mmsystem.h>
#include <objbase.h>
#include <shellapi.h>

#include <vector>

#include "app/win32/SimControl.h"
#include "device/DpiCodes.h"
#include "macro/KeyCodes.h"
#include "macro/win32/WinMacroPageView.h"
#include "skin/win32/MainPaint.h"
#include "skin/win32/WinWindowShape.h"
#include "platform/win32/WinHidTransport.h"
#include "sim/SimHidTransport.h"
#include "resource.h"

namespace pyxom::app::win32 {
namespace {

// The simulated mouse announces nothing to the system: registration is a no-op.
class NoNotifications final : public platform::DeviceNotifications {
 public:
  void registerHidInterfaceNotifications() override {}
};

// Layout reading ends the program through ShutdownDriver when a file is missing.
class DialogLayoutHost final : public skin::LayoutHost {
 public:
  DialogLayoutHost(HWND window, std::wstring caption, std::function<void()> shutdown)
      : window_(window), caption_(std::move(caption)), shutdown_(std::move(shutdown)) {}
  bool fileExists(const std::wstring& path) override { return skin::layoutFileExists(path); }
  void showMessage(const std::wstring& text) override { MessageBoxW(window_, text.c_str(), caption_.c_str(), MB_OK); }
  void shutdown() override { shutdown_(); }

 private:
  HWND window_;
  std::wstring caption_;
  std::function<void()> shutdown_;
};

constexpr COLORREF kEditBackground = RGB(22, 22, 22);

constexpr UINT kCmdShowWindowEn = 32801, kCmdShowWindowSecond = 32837;
constexpr UINT kCmdExitEn = 32800, kCmdExitSecond = 32838;

}  // namespace

// What the LED preview thread reads of the main window, and its repaint.
class CPyxomDlg::LedHost final : public skin::LedPreviewHost {
 public:
  explicit LedHost(CPyxomDlg& dlg) : dlg_(dlg) {}
  bool colorPageShown() override { return dlg_.mainPage_ == static_cast<std::uint8_t>(skin::MainPage::Color); }
  int dpiLevel() override { return dlg_.settings_.dpiLevel; }
  int appliedLedMode() override { return dlg_.appliedLedMode_; }
  void invalidate() override { InvalidateRect(dlg_.hwnd(), nullptr, TRUE); }

 private:
  CPyxomDlg& dlg_;
};

CPyxomDlg::CPyxomDlg(const CommandLine& options, std::wstring modulePath)
    : options_(options), modulePath_(std::move(modulePath)) {
  ledHost_ = std::make_unique<LedHost>(*this);
  ledPreview_ = std::make_unique<skin::LedPreview>(*ledHost_, platform::systemClock());
  HINSTANCE inst = GetModuleHandleW(nullptr);
  icon_ = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  smallIcon_ = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
}

CPyxomDlg::~CPyxomDlg() {
  ledPreview_->stop();
  if (pageRepaintRegion_) DeleteObject(pageRepaintRegion_);
  if (editBrush_) DeleteObject(editBrush_);
  if (transport_) transport_->cancelReads();
  if (icon_) DestroyIcon(icon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

void CPyxomDlg::createTransport() {
  if (options_.simulateModel) {
    auto sim = std::make_unique<sim::SimHidTransport>(
        *options_.simulateModel,
        std::string(options_.simTracePath.begin(), options_.simTracePath.end()));
    sim_ = sim.get();
    HWND self = hwnd();
    sim_->onUnplugged = [self] { PostMessageW(self, kSimUnpluggedMessage, 0, 0); };
    simControl_ = std::make_unique<SimControl>(instance(), *sim_);
    notifications_ = std::make_unique<NoNotifications>();
    transport_ = std::move(sim);
  } else {
    auto real = std::make_unique<platform::win32::WinHidTransport>();
    notifications_ = std::make_unique<platform::win32::WinDeviceNotifications>(hwnd(), real->hidGuid());
    transport_ = std::move(real);
  }
  link_ = std::make_unique<device::DeviceLink>(*transport_);
}

bool CPyxomDlg::onInitDialog() {
  HWND h = hwnd();
  // 2. About item in the system menu.
  wchar_t about[128] = {};
  LoadStringW(instance(), IDS_ABOUTBOX, about, 128);
  if (about[0]) {
    HMENU sys = GetSystemMenu(h, FALSE);
    if (sys) {
      AppendMenuW(sys, MF_SEPARATOR, 0, nullptr);
      AppendMenuW(sys, MF_STRING, IDM_ABOUTBOX, about);
    }
  }
  // 3. Icons.
  SendMessageW(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  // 4 to 8. Paths, product names and layout, current profile, language.
  shell_ = readShellState(ini_, applicationFolder(modulePath_));
  // 9. Title: the product name of the language.
  SetWindowTextW(h, shell_.productName().c_str());
  // 10. The three interface fonts.
  fonts_.create();
  // 11. The mouse.
  createTransport();
  connected_ = link_->discover(*notifications_);
  // 12. No mouse: say so and end.
  if (!connected_) {
    std::wstring text = noMouseMessage(shell_);
    MessageBoxW(h, text.c_str(), applicationName(modulePath_).c_str(), MB_OK);
    ShutdownDriver();
    return true;
  }
  protocol_ = std::make_unique<device::ReportProtocol>(
      *transport_, link_->writeHandle(), link_->outputCaps().featureReportByteLength, platform::systemClock());
  // Macro blocks read nothing until step 18 sets the macro folder.
  macroView_ = std::make_unique<macro::win32::WinMacroPageView>(h, applicationName(modulePath_));
  macros_ = std::make_unique<macro::MacroSystem>(ini_, *macroView_, platform::systemClock());
  macroBlocks_ = &macros_->blocks();
  // 14. The skin layouts; a missing file has ended the program.
  if (!loadSkinLayouts()) return true;
  // 15. The current profile.
  settings::loadSettings(ini_, shell_.configPath, shell_.profile.number, false, shell_.layout.keyCount,
                         link_->model(), shell_.storedLanguage, settings_);
  // 17. The window's shape and the repaint region of the macro page.
  shapeWindow();
  // 18 to 21. Macro folders, groups and current group, the buttons' macro names, constMacro.dat.
  macros_->startUp(shell_.skinsFolder, shell_.appFolder, shell_.language, settings_, shell_.layout.keyCount);
  // 13. The listener and the action thread of the attached model, once the macros they play are
  // loaded (started earlier, a press during start-up would read the tables while they are filled).
  startWorkers();
  // 24. Paint once, wait 5 ms, send the whole configuration, add the tray icon.
  device::downloadAfterFirstPaint(downloadContext(), [h] {
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
  }, platform::systemClock());
  addTrayIcon();
  return true;
}

bool CPyxomDlg::preTranslateMessage(MSG& msg) {
  if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) return true;
  if (msg.wParam == 0x79) return true;  // F10 and anything else carrying 0x79
  return false;
}

bool CPyxomDlg::onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
        showAbout();
        return true;
      }
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        ShowWindow(hwnd(), SW_MINIMIZE);
        return true;
      }
      return false;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(icon_);
      return true;
    case WM_ERASEBKGND:
      result = TRUE;  // the paint handler draws everything
      return true;
    case WM_PAINT:
      paintWindow();
      return true;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: {
      // The macro page's edit box: light text on the window's dark grey.
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkColor(dc, kEditBackground);
      SetTextColor(dc, RGB(255, 255, 255));
      if (!editBrush_) editBrush_ = CreateSolidBrush(kEditBackground);
      result = reinterpret_cast<LRESULT>(editBrush_);
      return true;
    }
    case WM_CLOSE:
      closeToTray();
      return true;
    case kTrayMessage:
      if (wParam != kTrayIconId) {
        result = 1;
        return true;
      }
      if (lParam == WM_LBUTTONDBLCLK) showMainWindow();
      else if (lParam == WM_RBUTTONUP) showTrayMenu();
      result = 0;
      return true;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kCmdShowWindowEn: case kCmdShowWindowSecond: showMainWindow(); return true;
        case kCmdExitEn: case kCmdExitSecond: exitProgram(); return true;
        default: return false;
      }
    case WM_DEVICECHANGE:
      onDeviceChange(wParam, lParam);
      result = TRUE;
      return true;
    case WM_POWERBROADCAST:
      downloadConfiguration();  // every power event, then default processing
      return false;
    case kSimUnpluggedMessage:
      onSimUnplugged();
      return true;
    default:
      return false;
  }
}

void CPyxomDlg::onDeviceChange(WPARAM event, LPARAM header) {
  if (!link_) return;
  device::DeviceBroadcast b;
  const auto* hdr = reinterpret_cast<const DEV_BROADCAST_HDR*>(header);
  if (hdr) {
    b.deviceType = hdr->dbch_devicetype;
    if (hdr->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE &&
        hdr->dbch_size >= offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) {
      const auto* di = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(hdr);
      std::size_t maxChars = (hdr->dbch_size - offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) / sizeof(wchar_t);
      b.interfaceName.assign(di->dbcc_name, wcsnlen(di->dbcc_name, maxChars));
    }
  }
  if (link_->onDeviceChange(static_cast<std::uint32_t>(event), hdr ? &b : nullptr)) {
    connected_ = false;
    ShutdownDriver();
  }
}

// The simulated mouse was unplugged: announce it as the system would.
void CPyxomDlg::onSimUnplugged() {
  if (!sim_) return;
  std::wstring path = sim_->mousePath();
  std::size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (path.size() + 1) * sizeof(wchar_t);
  std::vector<unsigned char> storage(size, 0);
  auto* di = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(storage.data());
  di->dbcc_size = static_cast<DWORD>(size);
  di->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  std::copy(path.begin(), path.end(), di->dbcc_name);
  SendMessageW(hwnd(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(di));
}

device::DownloadContext CPyxomDlg::downloadContext() {
  HWND h = hwnd();
  return device::DownloadContext{
      *protocol_, settings_, shell_.layout, link_->model(), ini_, shell_.configPath,
      shell_.profile.number, *macroBlocks_, systemSettings_, tables_,
      /*flushMacroPage=*/{},
      /*repaint=*/[this, h] {
        appliedLedMode_ = settings_.ledMode;  // the LED report has just been sent
        InvalidateRect(h, nullptr, FALSE);
      },
      /*restartLedPreview=*/[this](int level) { ledPreview_->restartAt(level); }};
}

void CPyxomDlg::downloadConfiguration() {
  if (protocol_) device::downloadConfiguration(downloadContext());
}

void CPyxomDlg::startWorkers() {
  // The listener's 2 ms pause and macro steps from 15 ms need a 1 ms timer; the system's
  // default of 15.6 ms would round every step up.
  timerPeriodSet_ = timeBeginPeriod(1) == TIMERR_NOERROR;
  buttonEvents_.clear();
  actionProfile_ = shell_.profile.number;
  HWND h = hwnd();
  const int model = link_->model();
  const device::ListenerContext listener{
      *transport_, link_->readHandle(), link_->inputCaps().inputReportByteLength, model,
      buttonEvents_, tables_, settings_, platform::systemClock()};
  const device::ActionContext action{
      *protocol_, buttonEvents_, tables_, settings_, shell_.layout, model, *macroBlocks_,
      /*builtInMacro=*/[m = macros_.get()](int slot) {
        const auto& slots = m->builtIn().slots;
        return slot >= 0 && static_cast<std::size_t>(slot) < slots.size() ? slots[static_cast<std::size_t>(slot)].block()
                                                                         : device::MacroBlock{};
      },
      /*vkToUsage=*/[lang = shell_.language](std::uint8_t vk) { return macro::vkToUsage(vk, lang); }, ini_, shell_.configPath, actionProfile_,
      hostInput_, hostShell_, platform::systemClock(),
      /*repaint=*/[h] { InvalidateRect(h, nullptr, FALSE); }};
  workers_ = std::make_unique<device::ActionWorkers>(
      listener, action, [] {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
        // ShellExecuteW (the computer folder) wants COM on the calling thread; the threads live
        // until the program ends, which releases it.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
      });
  workers_->start();
}

void CPyxomDlg::ShutdownDriver() {
  // The worker threads end first: no macro plays after the exit report, and no thread
  // touches the window once it is gone.
  if (workers_) workers_->stop();
  if (timerPeriodSet_) timeEndPeriod(1);
  timerPeriodSet_ = false;
  // 1. Tray icon.
  removeTrayIcon();
  // 2. Exit report, when the feature collection was opened.
  if (protocol_) protocol_->sendExitReport();
  // 3. Pointer speed 10, whatever it was.
  if (systemSettings_.pointerSpeed()) systemSettings_.setPointerSpeed(10);
  // 4. End the dialog; the LED preview must not touch the window after it.
  ledPreview_->stop();
  if (transport_) transport_->cancelReads();
  endDialog(0);
}

bool CPyxomDlg::loadSkinLayouts() {
  DialogLayoutHost host(hwnd(), applicationName(modulePath_), [this] { ShutdownDriver(); });
  skin::LayoutReader reader(ini_, host);
  return skin::loadStartupLayouts(reader, shell_.skinsFolder, shell_.language,
                                  device::dpiStepCount(link_ ? link_->model() : 0), skinLayout_);
}

void CPyxomDlg::shapeWindow() {
  std::optional<skin::Image> mask = skin::win32::LoadSkinPicture(shell_.skinsFolder, skin::kMainMaskPicture);
  const skin::Image* m = mask ? &*mask : nullptr;
  drawSize_ = skin::win32::ShapeWindowFromMask(hwnd(), m).size;
  if (pageRepaintRegion_) DeleteObject(pageRepaintRegion_);
  pageRepaintRegion_ = skin::win32::PageRepaintRegion(m, drawSize_, skinLayout_.list1Rect, skinLayout_.list2Rect);
}

skin::PaintState CPyxomDlg::paintState() {
  skin::PaintState s = view_;
  s.page = static_cast<skin::MainPage>(mainPage_.load());
  s.settings = settings_;
  s.profileNumber = shell_.profile.number;
  s.keyCount = shell_.layout.keyCount;
  s.model = link_ ? link_->model() : 0;
  s.stepCount = device::dpiStepCount(s.model);
  s.language = shell_.language;
  s.ledPreviewState = ledPreview_->state();
  s.ledPreviewOff = ledPreview_->off();
  return s;
}

void CPyxomDlg::paintWindow() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  if (IsIconic(hwnd())) {
    SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT rc;
    GetClientRect(hwnd(), &rc);
    const int x = (rc.right - rc.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rc.bottom - rc.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
  } else if (drawSize_.cx > 0 && drawSize_.cy > 0) {
    skin::win32::PaintMainWindow(dc, shell_.skinsFolder, skinLayout_, paintState(), fonts_, drawSize_);
  }
  EndPaint(hwnd(), &ps);
}

void CPyxomDlg::closeToTray() {
  ShowWindow(hwnd(), SW_MINIMIZE);
  ShowWindow(hwnd(), SW_HIDE);
  addTrayIcon();
}

void CPyxomDlg::showMainWindow() {
  ShowWindow(hwnd(), SW_SHOW);
  ShowWindow(hwnd(), SW_RESTORE);
}

void CPyxomDlg::exitProgram() { ShutdownDriver(); }

void CPyxomDlg::addTrayIcon() {
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof(nid);
  nid.hWnd = hwnd();
  nid.uID = kTrayIconId;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = kTrayMessage;
  nid.hIcon = smallIcon_ ? smallIcon_ : icon_;
  wcsncpy(nid.szTip, shell_.productName().c_str(), 34);
  if (Shell_NotifyIconW(NIM_ADD, &nid)) trayAdded_ = true;
}

void CPyxomDlg::removeTrayIcon() {
  NOTIFYICONDATAW nid{};
  nid.cbSize = sizeof(nid);
  nid.hWnd = hwnd();
  nid.uID = kTrayIconId;
  Shell_NotifyIconW(NIM_DELETE, &nid);
  trayAdded_ = false;
}

void CPyxomDlg::showTrayMenu() {
  POINT pt;
  GetCursorPos(&pt);
  SetForegroundWindow(hwnd());
  const bool en = shell_.language == UiLanguage::English;
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, en ? kCmdShowWindowEn : kCmdShowWindowSecond, en ? L"Show Window" : L"Показать окно");
  AppendMenuW(menu, MF_STRING, en ? kCmdExitEn : kCmdExitSecond, en ? L"Exit Driver" : L"Откл. Драйвер    ");
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, pt.x, pt.y, 0, hwnd(), nullptr);
  DestroyMenu(menu);
}

namespace {
class AboutDlg final : public DialogWindow {
 protected:
  bool onMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
      endDialog(LOWORD(wParam));
      return true;
    }
    if (message == WM_CLOSE) {
      endDialog(IDCANCEL);
      return true;
    }
    return false;
  }
};
}  // namespace

void CPyxomDlg::showAbout() {
  AboutDlg about;
  about.runModal(instance(), IDD_ABOUTBOX, hwnd());
}

}  // namespace pyxom::app::win32
