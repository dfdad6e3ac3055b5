// Under Wine (or Windows): a real window takes the mask's shape, and the GDI paint of every page
// gives the same pixels as the portable execution of the same plan (text pixels aside).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/WinPrivateProfile.h"
#include "skin/PagePaint.h"
#include "skin/WindowShape.h"
#include "skin/win32/MainPaint.h"
#include "skin/win32/SkinPicture.h"
#include "skin/win32/WinSkinFonts.h"
#include "skin/win32/WinWindowShape.h"

namespace pyxom::skin::win32 {
namespace {

std::wstring windowsPath(const std::string& unixPath) {
  std::wstring w = L"Z:";
  for (char c : unixPath) w += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return w;
}
bool exists(const std::wstring& p) { return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring shippedSkins() { return windowsPath(PYXOM_SOURCE_DIR) + L"\\data\\skins"; }

constexpr Argb kBackdrop = rgb(255, 0, 255);
constexpr int kLeft = 180, kTop = 60;

// ---- a small synthetic skin (PNG data under the program's file names) ----
constexpr int kSynW = 220, kSynH = 160;
Image solid(Argb c) { return Image(kSynW, kSynH, c); }
Image synMask() {
  Image m(kSynW, kSynH, rgb(0, 0, 0));
  for (int y = 0; y < kSynH; ++y)
    for (int x = 0; x < kSynW; ++x)
      if (x + y < 20 || (x > 100 && x < 110 && y > 120 && y < 130)) m.set(x, y, rgb(101, 101, 101));
  return m;
}

void writeText(const std::wstring& path, const std::string& text) {
  std::ofstream(path.c_str(), std::ios::binary) << text;
}

std::wstring makeSyntheticSkin() {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::wstring root = std::wstring(tmp) + L"pyxom-skin-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(root.c_str(), nullptr);
  CreateDirectoryW((root + L"\\INI_EN").c_str(), nullptr);
  CreateDirectoryW((root + L"\\INI_CN").c_str(), nullptr);
  const std::map<std::wstring, Argb> colours = {
      {L"main_normal", rgb(20, 20, 30)},   {L"main_over", rgb(40, 60, 80)},    {L"main_down", rgb(90, 30, 30)},
      {L"advanced_normal", rgb(21, 22, 23)}, {L"advanced_over", rgb(41, 61, 81)}, {L"advanced_down", rgb(91, 31, 31)},
      {L"mac_normal", rgb(22, 22, 22)},    {L"mac_over", rgb(42, 62, 82)},     {L"mac_down", rgb(92, 32, 32)},
      {L"color_normal_pink", rgb(23, 20, 20)}, {L"color_over_red", rgb(200, 0, 0)}, {L"color_down_purple", rgb(120, 0, 160)},
      {L"color_normal_gray", rgb(128, 128, 128)}, {L"color_over_blue", rgb(0, 0, 230)}};
  for (const auto& [name, c] : colours) SavePng(solid(c), root + L"\\" + name + L".jpg");
  SavePng(synMask(), root + L"\\main_mask.jpg");
  Image knob(6, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 6; ++x) knob.set(x, y, (static_cast<Argb>(x * 50) << 24) | 0x00FFC000u);
  SavePng(knob, root + L"\\moveRect.png");
  for (const char* lang : {"EN", "CN"}) {
    const std::string sfx = std::string(lang) == "EN" ? "_en" : "";
    const std::wstring dir = root + L"\\INI_" + std::wstring(lang, lang + 2) + L"\\";
    std::string main = "[BUTTONPOS]\n";
    for (int i = 0; i < 50; ++i)
      main += std::to_string(i) + "=e," + std::to_string((i % 10) * 22) + "," + std::to_string((i / 10) * 22 + 20) +
              ",20,20," + (i == 1 ? "Hi" : "") + ",\n";
    main += "[BtnExpand]\n50=x,0,140,30,15,,\n[FUN_STRING]\n1=Left,\n2=Right,\n";
    writeText(dir + L"skin_main" + std::wstring(sfx.begin(), sfx.end()) + L".ini", main);
    std::string adv = "[BUTTONPOS]\n";
    for (int i = 0; i < 33; ++i) if (i != 1 && i != 30) adv += std::to_string(i) + "=a," + std::to_string((i % 10) * 22) + "," + std::to_string((i / 10) * 22 + 64) + ",20,20,,\n";
    adv += "30=slider,10,130,180,12,,\n1=bar,120,2,90,8,,\n";
    writeText(dir + L"skin_advance" + std::wstring(sfx.begin(), sfx.end()) + L".ini", adv);
    std::string col = "[BUTTONPOS]\n";
    for (int i = 0; i < 6; ++i) col += std::to_string(i) + "=c," + std::to_string(i * 30) + ",70,25,25,,\n";
    writeText(dir + L"skin_color" + std::wstring(sfx.begin(), sfx.end()) + L".ini", col);
    std::string mac = "[BUTTONPOS]\n";
    for (int i = 0; i < 13; ++i) mac += std::to_string(i) + "=m," + std::to_string((i % 6) * 30) + "," + std::to_string((i / 6) * 25 + 70) + ",25,20,,\n";
    mac += "[EDIT]\n1=e,150,140,40,15,\n[MACRODISPLAY]\n1=l,10,100,50,40,\n2=l,70,100,50,40,\n";
    writeText(dir + L"skin_mac" + std::wstring(sfx.begin(), sfx.end()) + L".ini", mac);
    writeText(dir + L"LBWarning" + std::wstring(sfx.begin(), sfx.end()) + L".ini", "[BUTTONPOS]\n0=w,1,1,5,5,,\n");
  }
  return root;
}

// ---- a top-level test window that paints a page with the Windows painter ----
struct Painted {
  std::wstring skins;
  const SkinLayout* layout = nullptr;
  PaintState state;
  const SkinFontSet* fonts = nullptr;
  Size size;
  PaintPlan plan;
  PaintTimes times;
};

LRESULT CALLBACK pageProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* p = reinterpret_cast<Painted*>(GetWindowLongPtrW(h, GWLP_USERDATA));
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT && p) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    p->plan = PaintMainWindow(dc, p->skins, *p->layout, p->state, *p->fonts, p->size, &p->times);
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProcW(h, msg, wp, lp);
}

void pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  MSG m;
  do {
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    Sleep(10);
  } while (GetTickCount() < end);
}

Image captureScreen(int x, int y, int w, int h) {
  HDC screen = GetDC(nullptr);
  PictureDc shot(Image(w, h), screen);
  BitBlt(shot.dc(), 0, 0, w, h, screen, x, y, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return shot.read();
}

class SkinWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = pageProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PyxomSkinPage";
    RegisterClassW(&wc);
    WNDCLASSW bg{};
    bg.lpfnWndProc = DefWindowProcW;
    bg.hInstance = GetModuleHandleW(nullptr);
    bg.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    bg.lpszClassName = L"PyxomSkinBackdrop";
    RegisterClassW(&bg);
  }

  void SetUp() override {
    // One test at a time across processes: the tests read the screen.
    lock_ = CreateMutexW(nullptr, FALSE, L"PyxomSkinWindowTests");
    ASSERT_TRUE(lock_);
    WaitForSingleObject(lock_, 120000);
    ASSERT_TRUE(gdiplus_.ok());
    fonts_.create();
    // Topmost, so that windows of other processes never show through the cut-out pixels.
    backdrop_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"PyxomSkinBackdrop", L"", WS_POPUP | WS_VISIBLE, kLeft - 20, kTop - 20, 1100, 800,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  void TearDown() override {
    if (window_) DestroyWindow(window_);
    if (backdrop_) DestroyWindow(backdrop_);
    if (lock_) {
      ReleaseMutex(lock_);
      CloseHandle(lock_);
    }
  }

  bool loadLayouts(const std::wstring& skins, UiLanguage lang, SkinLayout& out) {
    struct Host final : LayoutHost {
      bool fileExists(const std::wstring& p) override { return exists(p); }
      void showMessage(const std::wstring&) override {}
      void shutdown() override { ended = true; }
      bool ended = false;
    } host;
    platform::win32::WinPrivateProfile ini;
    LayoutReader reader(ini, host);
    return loadStartupLayouts(reader, skins, lang, 12, out);
  }

  // Opens the shaped window and paints `state`; returns the capture of the window's area.
  Image show(const std::wstring& skins, const SkinLayout& layout, const PaintState& state, MaskShape* shapeOut = nullptr) {
    painted_.skins = skins;
    painted_.layout = &layout;
    painted_.state = state;
    painted_.fonts = &fonts_;
    std::optional<Image> mask = LoadSkinPicture(skins, kMainMaskPicture);
    const int w = mask ? mask->width() : 400, h = mask ? mask->height() : 300;
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"PyxomSkinPage", L"", WS_POPUP, kLeft, kTop, w, h, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&painted_));
    MaskShape shape = ShapeWindowFromMask(window_, mask ? &*mask : nullptr);
    if (shapeOut) *shapeOut = shape;
    painted_.size = shape.size;
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    pump(250);
    return captureScreen(kLeft, kTop, w, h);
  }

  // Compares the capture with the portable execution of the painted plan. Text boxes (with a
  // margin) and cut-out pixels are left out; returns the number of differing pixels.
  int compareWithPortable(const Image& shot, const Image& mask, std::string* firstBad) {
    DecodedPage pics = DecodePagePictures(painted_.skins, painted_.state.page, painted_.size);
    Image want = pics.normal;
    executePlan(painted_.plan, want, pics.sources(), {});
    std::vector<Rect> textBoxes;
    for (const PaintOp& op : painted_.plan.ops)
      if (op.kind == PaintOp::Kind::Text) textBoxes.push_back({op.x - 3, op.y - 3, op.extent.cx + 6, op.extent.cy + 6});
    int bad = 0;
    for (int y = 0; y < shot.height() && y < want.height(); ++y)
      for (int x = 0; x < shot.width() && x < want.width(); ++x) {
        if (maskPixelCut(mask.at(x, y))) continue;
        bool inText = false;
        for (const Rect& r : textBoxes) inText = inText || r.contains(x, y);
        if (inText) continue;
        if ((shot.at(x, y) & 0xFFFFFF) != (want.at(x, y) & 0xFFFFFF)) {
          if (bad++ == 0 && firstBad) {
            char buf[128];
            std::snprintf(buf, sizeof buf, "(%d,%d) window %06x portable %06x", x, y, shot.at(x, y) & 0xFFFFFF,
                          want.at(x, y) & 0xFFFFFF);
            *firstBad = buf;
          }
        }
      }
    return bad;
  }

  GdiplusSession gdiplus_;
  SkinFontSet fonts_;
  HANDLE lock_ = nullptr;
  HWND backdrop_ = nullptr, window_ = nullptr;
  Painted painted_;
};

PaintState busyState(MainPage page, UiLanguage lang) {
  PaintState s;
  s.page = page;
  s.language = lang;
  s.keyCount = 8;
  for (int i = 0; i < 8; ++i) s.settings.buttons[static_cast<std::size_t>(i)] = i + 1;
  s.settings.dpiLevel = 1;
  s.settings.dpiStep = {1, 4, 7, 11};
  s.settings.dpiEnabled = {1, 1, 1, 0};
  s.settings.pointerSpeed = 6;
  s.settings.wheelSpeed = 2;
  s.settings.fireInterval = 50;
  s.settings.ledMode = 1;
  s.profileNumber = 1;
  s.hoverMain = page == MainPage::Main ? 27 : 14;
  s.hoverAdvanced = 1;
  s.hoverMacro = 3;
  s.hoverColor = 3;
  s.macroMode = 2;
  s.ledPreviewState = 0;
  return s;
}

TEST_F(SkinWindow, WindowTakesTheMaskShape) {
  const std::wstring skins = makeSyntheticSkin();
  SkinLayout layout;
  ASSERT_TRUE(loadLayouts(skins, UiLanguage::English, layout));
  MaskShape shape;
  Image shot = show(skins, layout, busyState(MainPage::Main, UiLanguage::English), &shape);
  EXPECT_TRUE(shape.fromMask);
  EXPECT_EQ(shape.size, (Size{kSynW, kSynH}));
  EXPECT_EQ(shot.at(2, 2) & 0xFFFFFF, kBackdrop & 0xFFFFFF) << "corner is cut out";
  EXPECT_EQ(shot.at(105, 125) & 0xFFFFFF, kBackdrop & 0xFFFFFF) << "hole is cut out";
  EXPECT_EQ(shot.at(200, 150) & 0xFFFFFF, rgb(20, 20, 30) & 0xFFFFFF) << "kept pixel shows the page";
  EXPECT_EQ(shot.at(30, 5) & 0xFFFFFF, rgb(20, 20, 30) & 0xFFFFFF);
}

TEST_F(SkinWindow, ShippedMaskGivesTheRegionOfItsKeptPixels) {
  const std::wstring skins = shippedSkins();
  if (!exists(skins + kMainMaskPicture)) FAIL() << "no shipped skin in data/skins";
  std::optional<Image> mask = LoadSkinPicture(skins, kMainMaskPicture);
  ASSERT_TRUE(mask);
  window_ = CreateWindowExW(0, L"PyxomSkinPage", L"", WS_POPUP, kLeft, kTop, mask->width(), mask->height(), nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  LARGE_INTEGER f, t0, t1;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t0);
  MaskShape shape = ShapeWindowFromMask(window_, &*mask);
  QueryPerformanceCounter(&t1);
  std::cout << "shape from a " << mask->width() << "x" << mask->height() << " mask: "
            << 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(f.QuadPart) << " ms\n";
  EXPECT_TRUE(shape.fromMask);
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window_, rgn), ERROR);
  int wrong = 0, cut = 0;
  for (int y = 0; y < mask->height(); ++y)
    for (int x = 0; x < mask->width(); ++x) {
      const bool isCut = maskPixelCut(mask->at(x, y));
      cut += isCut;
      wrong += (PtInRegion(rgn, x, y) != FALSE) == isCut;
    }
  DeleteObject(rgn);
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(cut, 0) << "the shipped mask cuts something (rounded corners)";
}

TEST_F(SkinWindow, ShippedLayoutsReadThroughThePrivateProfileFunctions) {
  const std::wstring skins = shippedSkins();
  if (!exists(skins + kMainMaskPicture)) FAIL() << "no shipped skin in data/skins";
  for (UiLanguage lang : {UiLanguage::English, UiLanguage::Second}) {
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    SkinLayout layout;
    ASSERT_TRUE(loadLayouts(skins, lang, layout));
    QueryPerformanceCounter(&t1);
    std::cout << "layouts loaded in " << 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(f.QuadPart)
              << " ms\n";
    EXPECT_FALSE(layout.functionName(1).empty());
    EXPECT_FALSE(layout.advanced.rect(kSliderElement).empty());
    if (lang == UiLanguage::Second) {
      // Cyrillic texts survive the UTF-16 layout files.
      bool cyrillic = false;
      for (wchar_t c : layout.functionName(1)) cyrillic = cyrillic || (c >= 0x400 && c < 0x500);
      EXPECT_TRUE(cyrillic);
    }
  }
}

TEST_F(SkinWindow, MissingMaskKeepsTheWholeWindow) {
  CreateWindowExW(0, L"PyxomSkinPage", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  window_ = CreateWindowExW(0, L"PyxomSkinPage", L"", WS_POPUP, kLeft, kTop, 300, 200, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  MaskShape shape = ShapeWindowFromMask(window_, L"Z:\\no\\such\\mask.jpg");
  EXPECT_FALSE(shape.fromMask);
  EXPECT_EQ(shape.size, (Size{300, 200}));
  Image allCut(50, 40, rgb(255, 255, 255));
  shape = ShapeWindowFromMask(window_, &allCut);
  EXPECT_FALSE(shape.fromMask);
  EXPECT_EQ(shape.size, (Size{50, 40}));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window_, rgn), ERROR);
  EXPECT_TRUE(PtInRegion(rgn, 49, 39));
  EXPECT_FALSE(PtInRegion(rgn, 50, 39));
  DeleteObject(rgn);
  HRGN repaint = PageRepaintRegion(nullptr, {300, 200}, {10, 10, 20, 20}, {100, 10, 20, 20});
  ASSERT_TRUE(repaint);
  EXPECT_TRUE(PtInRegion(repaint, 5, 5));
  EXPECT_FALSE(PtInRegion(repaint, 15, 15));
  EXPECT_FALSE(PtInRegion(repaint, 110, 15));
  DeleteObject(repaint);
}


TEST_F(SkinWindow, GdiPaintOfEveryPageMatchesThePortableComposition_SyntheticSkin) {
  const std::wstring skins = makeSyntheticSkin();
  std::optional<Image> mask = LoadSkinPicture(skins, kMainMaskPicture);
  ASSERT_TRUE(mask);
  for (UiLanguage lang : {UiLanguage::English, UiLanguage::Second}) {
    SkinLayout layout;
    ASSERT_TRUE(loadLayouts(skins, lang, layout));
    for (int page = 0; page < 4; ++page) {
      Image shot = show(skins, layout, busyState(static_cast<MainPage>(page), lang));
      std::string first;
      EXPECT_EQ(compareWithPortable(shot, *mask, &first), 0) << "page " << page << " " << first;
      DestroyWindow(window_);
      window_ = nullptr;
    }
  }
}

TEST_F(SkinWindow, GdiPaintOfEveryPageMatchesThePortableComposition_ShippedSkin) {
  const std::wstring skins = shippedSkins();
  if (!exists(skins + kMainMaskPicture)) FAIL() << "no shipped skin in data/skins";
  std::optional<Image> mask = LoadSkinPicture(skins, kMainMaskPicture);
  ASSERT_TRUE(mask);
  const char* shotDir = std::getenv("PYXOM_SKIN_SCREENSHOTS");
  for (UiLanguage lang : {UiLanguage::English, UiLanguage::Second}) {
    SkinLayout layout;
    ASSERT_TRUE(loadLayouts(skins, lang, layout));
    for (int page = 0; page < 4; ++page) {
      PaintState state = busyState(static_cast<MainPage>(page), lang);
      state.macroName = [](int g, int i) { return L"Macro " + std::to_wstring(g) + L"." + std::to_wstring(i); };
      Image shot = show(skins, layout, state);
      std::string first;
      EXPECT_EQ(compareWithPortable(shot, *mask, &first), 0) << "page " << page << " " << first;
      // One more paint, timed (pictures decoded again, as every paint does).
      InvalidateRect(window_, nullptr, FALSE);
      UpdateWindow(window_);
      std::cout << "paint page " << page << (lang == UiLanguage::English ? " en" : " second") << ": decode "
                << painted_.times.decodeMs << " ms, compose " << painted_.times.composeMs << " ms, draw "
                << painted_.times.drawMs << " ms, copy " << painted_.times.copyMs << " ms, total "
                << painted_.times.totalMs() << " ms\n";
      if (shotDir) {
        // Pixels outside the window's shape become transparent.
        for (int y = 0; y < shot.height(); ++y)
          for (int x = 0; x < shot.width(); ++x)
            shot.set(x, y, maskPixelCut(mask->at(x, y)) ? 0u : (shot.at(x, y) | 0xFF000000u));
        static const char* names[] = {"main", "advanced", "macro", "color"};
        std::string file = std::string(shotDir) + "/" + names[page] + (lang == UiLanguage::English ? "-en" : "-ru") + ".png";
        EXPECT_TRUE(SavePng(shot, windowsPath(file)));
      }
      DestroyWindow(window_);
      window_ = nullptr;
    }
  }
}

}  // namespace
}  // namespace pyxom::skin::win32
