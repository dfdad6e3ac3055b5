#include "platform/IniFileProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/ProfileCases.h"
#include "platform/TempFolder.h"

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace pyxom::platform {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::utf16le;
using testing::writeBytes;

TEST(IniFileProfile, ContractCases) {
  for (const auto& c : testing::profileCases()) {
    SCOPED_TRACE(c.name);
    TempFolder tmp;
    const std::wstring path = tmp.file(L"case.ini");
    if (c.bytes) writeBytes(path, *c.bytes);
    IniFileProfile ini;
    testing::runOps(ini, path, c.ops);
    for (const auto& r : c.reads) {
      SCOPED_TRACE(::testing::Message() << "size " << r.size);
      EXPECT_EQ(ini.readString(path, r.section, r.key, r.size, r.defaultValue), r.expected);
    }
  }
}

// What a write leaves in the file: the encoding it had, its line ends, untouched lines as they
// were, and nothing a value could smuggle in.
TEST(IniFileProfile, WritesKeepEncodingAndUntouchedLines) {
  struct Case {
    const char* name;
    std::string before;
    std::wstring section, key, value;
    std::string after;
  } cases[] = {
      {"UTF-16LE stays UTF-16LE", utf16le(L"[A]\r\n; note\r\nX=1\r\n\r\n[B]\r\nZ=3\r\n"), L"A", L"Y",
       L"Мышь", utf16le(L"[A]\r\n; note\r\nX=1\r\nY=Мышь\r\n\r\n[B]\r\nZ=3\r\n")},
      {"UTF-16BE becomes UTF-16LE", "\xFE\xFF" + std::string("\0[\0A\0]\0\n\0X\0=\0" "1\0\n", 14),
       L"A", L"X", L"2", utf16le(L"[A]\nX=2\n")},
      {"UTF-8 stays UTF-8 with LF", "[A]\nX=\xD0\x9C\n", L"A", L"X", L"\u042F",
       "[A]\nX=\xD0\xAF\n"},
      {"UTF-8 mark is kept", "\xEF\xBB\xBF[A]\r\nX=1\r\n", L"a", L"x", L"2",
       "\xEF\xBB\xBF[A]\r\nX=2\r\n"},
      {"ANSI becomes UTF-16LE so no character is lost", "[A]\r\nN=caf\xE9\r\n", L"A", L"M",
       L"Мышь", utf16le(L"[A]\r\nN=café\r\nM=Мышь\r\n")},
      {"a value cannot add lines", utf16le(L"[A]\r\nX=1\r\n"), L"A", L"X",
       L"2\r\n[Init]\r\nCurConfig=9", utf16le(L"[A]\r\nX=2\r\n")},
      {"a new file is UTF-16LE with a mark", "", L"Init", L"VER_SEL", L"1",
       utf16le(L"[Init]\r\nVER_SEL=1\r\n")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder tmp;
    const std::wstring path = tmp.file(L"config.ini");
    if (!c.before.empty()) writeBytes(path, c.before);
    IniFileProfile ini;
    EXPECT_TRUE(ini.writeString(path, c.section, c.key, c.value));
    EXPECT_EQ(readBytes(path), c.after);
  }
}

// Names that would not read back as written are refused and leave the file as it was.
TEST(IniFileProfile, WritesUnderUnreadableNamesAreRefused) {
  TempFolder tmp;
  const std::wstring path = tmp.file(L"config.ini");
  const std::string before = utf16le(L"[A]\r\nX=1\r\n");
  writeBytes(path, before);
  IniFileProfile ini;
  struct {
    const wchar_t* section;
    const wchar_t* key;
  } refused[] = {{L"A", L""}, {L"A", L"  "}, {L"A", L"X=Y"}, {L"A", L"[B]"},
                 {L"A", L"X\nY"}, {L"A\r\n[B", L"X"}};
  for (const auto& r : refused) {
    EXPECT_FALSE(ini.writeString(path, r.section, r.key, L"2"));
    EXPECT_EQ(readBytes(path), before);
  }
  EXPECT_TRUE(ini.writeString(path, L"A]B", L"K[0]", L"3"));
  EXPECT_EQ(ini.readString(path, L"A]B", L"K[0]", 5), L"3");
}

// A path that exists but cannot be read as a file is never replaced by a write.
TEST(IniFileProfile, UnreadablePathIsNotReplaced) {
  TempFolder tmp;
  const std::wstring path = tmp.file(L"config.ini");
  std::filesystem::create_directory(std::filesystem::path(path));
  writeBytes(tmp.file(L"config.ini/inside"), "keep");
  IniFileProfile ini;
  EXPECT_FALSE(ini.writeString(path, L"A", L"X", L"1"));
  EXPECT_EQ(ini.readString(path, L"A", L"X", 10, L"d"), L"d");
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(path)));
  EXPECT_EQ(readBytes(tmp.file(L"config.ini/inside")), "keep");
}

int filesIn(const std::filesystem::path& dir) {
  int n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}

// A write cut short at any byte of the new file, or just before it replaces the old one, leaves
// the old file whole; the next write succeeds.
TEST(IniFileProfile, InterruptedWriteLeavesTheOldFile) {
  TempFolder tmp;
  const std::wstring path = tmp.file(L"config.ini");
  const std::string old = utf16le(L"[Config1]\r\nK0=1\r\nK1=2\r\n[Init]\r\nCurConfig=1\r\n");
  const std::size_t newSize = old.size() + utf16le(L"K2=3\r\n", false).size();
  std::vector<IniFileProfile::CrashForTesting> crashes;
  for (std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{2}, newSize / 2, newSize - 1})
    crashes.push_back({n, false});
  crashes.push_back({static_cast<std::size_t>(-1), true});
  for (const auto& crash : crashes) {
    SCOPED_TRACE(::testing::Message() << "bytes " << crash.tempBytes << " stop "
                                      << crash.stopBeforeRename);
    writeBytes(path, old);
    IniFileProfile ini;
    ini.setCrashForTesting(crash);
    EXPECT_FALSE(ini.writeString(path, L"Config1", L"K2", L"3"));
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(ini.readString(path, L"Config1", L"K1", 5), L"2");
    ini.setCrashForTesting(std::nullopt);
    EXPECT_TRUE(ini.writeString(path, L"Config1", L"K2", L"3"));
    EXPECT_EQ(ini.readString(path, L"Config1", L"K2", 5), L"3");
    EXPECT_EQ(ini.readString(path, L"Init", L"CurConfig", 5), L"1");
  }
  // Only the crashes left their temporary files; a successful write leaves none.
  EXPECT_EQ(filesIn(tmp.dir()), 1 + static_cast<int>(crashes.size()));
}

#ifndef _WIN32
// A writer killed at a random moment: the file always parses, holds every key it had, and its
// counter is one the writer wrote (old or new, never torn).
TEST(IniFileProfile, WriterKilledAtAnyMomentLeavesAReadableFile) {
  TempFolder tmp;
  const std::wstring path = tmp.file(L"config.ini");
  std::wstring text = L"[Config1]\r\n";
  for (int i = 0; i < 200; ++i) text += L"KEY" + std::to_wstring(i) + L"=Значение" + std::to_wstring(i) + L"\r\n";
  text += L"[Init]\r\nN=0\r\n";
  int roundsWithWrites = 0;
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    writeBytes(path, utf16le(text));
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      IniFileProfile ini;
      for (int n = 1;; ++n) ini.writeString(path, L"Init", L"N", std::to_wstring(n));
    }
    usleep(static_cast<useconds_t>(3000 + round * 2500));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);

    IniFileProfile ini;
    const std::wstring n = ini.readString(path, L"Init", L"N", 16, L"missing");
    ASSERT_NE(n, L"missing");
    EXPECT_GE(std::stoi(n), 0);
    if (std::stoi(n) > 0) ++roundsWithWrites;
    for (int i = 0; i < 200; i += 37)
      EXPECT_EQ(ini.readString(path, L"Config1", L"KEY" + std::to_wstring(i), 32),
                L"Значение" + std::to_wstring(i));
    EXPECT_EQ(readBytes(path).substr(0, 2), "\xFF\xFE");
  }
  EXPECT_GT(roundsWithWrites, 0) << "the writer never got to write";
}
#endif

}  // namespace
}  // namespace pyxom::platform
