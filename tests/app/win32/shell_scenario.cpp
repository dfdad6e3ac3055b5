// The shell with the real pyxom.exe under Wine: single instance, no mouse, unplug.
#include <gtest/gtest.h>

#include "support/win32/ProgramRun.h"

namespace pyxom::testing {
namespace {

const wchar_t* kConfig =
    L"[PRODUCTNAME]\nPRODUCTNAME_CN=Pyxom Гравитон\nPRODUCTNAME_EN=Pyxom Graviton\n"
    L"[KEYNUM]\nKeyNum=0\n[Init]\nCurConfig=1\nVER_SEL=%s\n";

std::wstring configWith(const std::wstring& verSel) {
  std::wstring text = kConfig;
  auto pos = text.find(L"%s");
  if (verSel.empty()) text.erase(text.rfind(L"VER_SEL"), std::wstring::npos);
  else text.replace(pos, 2, verSel);
  return text;
}

std::wstring staticText(HWND box) {
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);
  return text;
}

TEST(Shell, NoMouseShowsTheMessageInTheConfiguredLanguageAndEnds) {
  struct Case { const wchar_t* verSel; const wchar_t* text; };
  const Case cases[] = {
      {L"1", L"Please connect your USB mouse : Pyxom Graviton"},
      {L"0", L"Подключите мышь : Pyxom Гравитон"},
      {L"", L"Подключите мышь : Pyxom Гравитон"},
  };
  for (const Case& c : cases) {
    Installation inst;
    inst.writeConfig(configWith(c.verSel));
    setPointerSpeed(4);
    // No --simulate: the real SetupAPI enumeration, which lists Wine's own HID devices only.
    auto started = startPyxom(inst, L"");
    Process& p = *started;
    ASSERT_TRUE(p.started());
    // Its texts are set while it initialises, before it shows.
    HWND box = waitForShownWindow(L"pyxom", L"#32770", p.id(), 60000);
    ASSERT_NE(box, nullptr) << "no message box for VER_SEL=" << static_cast<int>(c.verSel[0])
                            << " (" << p.state() << ")";
    EXPECT_EQ(staticText(box), c.text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(p.wait(30000));
    EXPECT_EQ(pointerSpeed(), 10);
  }
}

TEST(Shell, UnplugEndsTheProgramAfterTheExitReportAndResetsPointerSpeed) {
  Installation inst;
  inst.writeConfig(configWith(L"1"));
  setPointerSpeed(3);
  std::wstring trace = inst.path(L"trace.txt");
  auto started = startPyxom(inst, L"--simulate=1 --sim-trace=\"" + trace + L"\"");
  Process& p = *started;
  HWND main = waitForWindow(L"Pyxom Graviton", nullptr, p.id(), 60000);
  ASSERT_NE(main, nullptr) << p.state();
  // Setting the pointer speed broadcasts a change, and the thread serves sent messages while it
  // waits: an unplug sent during the download would land in its middle.
  ASSERT_FALSE(waitForQuietTrace(trace, 1000, 60000).empty());
  EXPECT_EQ(runSim(inst, L"unplug"), 0);
  ASSERT_TRUE(p.wait(30000));
  auto lines = readLines(trace);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "U");
  // Bytes 4 to 7 keep what earlier reports left in the shared buffer.
  EXPECT_EQ(lines.back().substr(0, 14), "F 07 20 00 00 ");
  EXPECT_EQ(lines.back().size(), std::string("F 07 20 00 00 00 00 00 00").size());
  EXPECT_EQ(pointerSpeed(), 10);
  EXPECT_EQ(runSim(inst, L"state"), 2) << "no simulated mouse once the program ended";
}

TEST(Shell, SystemMenuAboutItemShowsTheAboutBoxOverTheWindow) {
  Installation inst;
  inst.writeConfig(configWith(L"1"));
  auto started = startPyxom(inst, L"--simulate=0");
  Process& p = *started;
  // The title is set early in start-up; the window shows once start-up is over.
  HWND main = waitForShownWindow(L"Pyxom Graviton", nullptr, p.id(), 60000);
  ASSERT_NE(main, nullptr) << p.state();
  constexpr WPARAM kAboutItem = 0x0010;  // the system menu's about item
  PostMessageW(main, WM_SYSCOMMAND, kAboutItem, 0);
  // The box exists before it is initialised; it shows once its owner is disabled.
  HWND about = waitForShownWindow(L"About Pyxom", L"#32770", p.id(), 30000);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about, GW_OWNER), main);
  EXPECT_FALSE(IsWindowEnabled(main)) << "the about box is modal";
  PostMessageW(about, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); }, 5000));
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(runSim(inst, L"unplug"), 0);
  EXPECT_TRUE(p.wait(30000));
}

TEST(Shell, SecondInstanceRestoresTheFirstAndEndsWithoutAWindow) {
  Installation inst;
  inst.writeConfig(configWith(L"0"));
  auto started = startPyxom(inst, L"--simulate=0");
  Process& first = *started;
  HWND main = waitForShownWindow(L"Pyxom Гравитон", nullptr, first.id(), 60000);
  ASSERT_NE(main, nullptr) << "no window, or start-up never ended (" << first.state() << ")";
  ShowWindow(main, SW_HIDE);  // as if closed to the tray
  ASSERT_FALSE(IsWindowVisible(main));

  Process second(inst.path(L"pyxom.exe"), L"--simulate=0", inst.folder());
  ASSERT_TRUE(second.wait(30000)) << "the second instance must end by itself";
  EXPECT_EQ(second.exitCode(), 1u);
  EXPECT_EQ(waitForWindow(L"Pyxom Гравитон", nullptr, second.id(), 0), nullptr);
  // The restore is the first instance's own work: give its thread a moment on a busy machine.
  EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));
  EXPECT_FALSE(first.wait(0)) << "the first instance keeps running";
  EXPECT_EQ(runSim(inst, L"unplug"), 0);
  EXPECT_TRUE(first.wait(30000));
}

}  // namespace
}  // namespace pyxom::testing
