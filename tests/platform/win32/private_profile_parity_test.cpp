// The portable INI file against the platform's private-profile functions: the same contract
// cases on both, and each implementation reading the files the other one wrote.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/IniFileProfile.h"
#include "platform/ProfileCases.h"
#include "platform/TempFolder.h"
#include "platform/win32/WinPrivateProfile.h"

namespace pyxom::platform {
namespace {

using testing::TempFolder;

struct Outcome {
  std::vector<std::wstring> reads;
};

Outcome run(PrivateProfile& ini, const std::wstring& path, const testing::ProfileCase& c) {
  if (c.bytes) testing::writeBytes(path, *c.bytes);
  testing::runOps(ini, path, c.ops);
  Outcome o;
  for (const auto& r : c.reads) o.reads.push_back(ini.readString(path, r.section, r.key, r.size, r.defaultValue));
  return o;
}

std::vector<std::wstring> expected(const testing::ProfileCase& c) {
  std::vector<std::wstring> e;
  for (const auto& r : c.reads) e.push_back(r.expected);
  return e;
}

TEST(PrivateProfileParity, SameCasesSameResults) {
  for (const auto& c : testing::profileCases()) {
    SCOPED_TRACE(c.name);
    TempFolder tmp;  // a fresh folder per case: no file the platform may have cached
    win32::WinPrivateProfile win;
    IniFileProfile portable;
    const Outcome w = run(win, tmp.file(L"win.ini"), c);
    const Outcome p = run(portable, tmp.file(L"portable.ini"), c);
    EXPECT_EQ(w.reads, expected(c)) << "platform";
    EXPECT_EQ(p.reads, expected(c)) << "portable";
  }
}

// Each implementation reads what the other wrote, value for value.
TEST(PrivateProfileParity, EachReadsTheOthersFiles) {
  for (const auto& c : testing::profileCases()) {
    if (c.ops.empty()) continue;
    SCOPED_TRACE(c.name);
    TempFolder tmp;
    win32::WinPrivateProfile win;
    IniFileProfile portable;
    const std::wstring byWin = tmp.file(L"by-win.ini"), byPortable = tmp.file(L"by-portable.ini");
    run(win, byWin, c);
    run(portable, byPortable, c);
    for (const auto& r : c.reads) {
      EXPECT_EQ(portable.readString(byWin, r.section, r.key, r.size, r.defaultValue), r.expected)
          << "portable reading the platform's file";
      EXPECT_EQ(win.readString(byPortable, r.section, r.key, r.size, r.defaultValue), r.expected)
          << "platform reading the portable file";
    }
  }
}

// A write to a missing file creates it UTF-16LE with a byte-order mark, so Russian text
// survives the ANSI code page.
TEST(PrivateProfileParity, NewFilesAreUtf16OnBoth) {
  TempFolder tmp;
  win32::WinPrivateProfile win;
  IniFileProfile portable;
  for (PrivateProfile* ini : {static_cast<PrivateProfile*>(&win), static_cast<PrivateProfile*>(&portable)}) {
    const std::wstring path = tmp.file(ini == &win ? L"win.ini" : L"portable.ini");
    ASSERT_TRUE(ini->writeString(path, L"Group", L"Name", L"Группа"));
    EXPECT_EQ(testing::readBytes(path).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ini->readString(path, L"Group", L"Name", 64), L"Группа");
  }
}

TEST(PrivateProfileParity, BothRefuseNamesThatWouldNotReadBack) {
  TempFolder tmp;
  win32::WinPrivateProfile win;
  IniFileProfile portable;
  const std::string before = testing::utf16le(L"[A]\r\nX=1\r\n");
  for (PrivateProfile* ini : {static_cast<PrivateProfile*>(&win), static_cast<PrivateProfile*>(&portable)}) {
    const std::wstring path = tmp.file(ini == &win ? L"win.ini" : L"portable.ini");
    testing::writeBytes(path, before);
    EXPECT_FALSE(ini->writeString(path, L"A", L"X=Y", L"2"));
    EXPECT_FALSE(ini->writeString(path, L"A\r\n[B", L"X", L"2"));
    EXPECT_FALSE(ini->writeString(path, L"A", L"[B]", L"2"));
    EXPECT_EQ(testing::readBytes(path), before);
  }
}

}  // namespace
}  // namespace pyxom::platform
