// Cases of the private-profile contract, run against the portable INI file natively and against
// both implementations under Wine (win32/private_profile_parity_test.cpp).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/PrivateProfile.h"
#include "platform/TempFolder.h"

namespace pyxom::testing {

struct ProfileOp {
  enum Kind { Write, DeleteKey, DeleteSection } kind = Write;
  std::wstring section, key, value;
};

struct ProfileRead {
  std::wstring section, key;
  std::size_t size;
  std::wstring expected;
  std::wstring defaultValue = L"";
};

struct ProfileCase {
  const char* name;
  std::optional<std::string> bytes;  // none: the file does not exist
  std::vector<ProfileOp> ops;
  std::vector<ProfileRead> reads;
};

inline std::string ascii(std::string_view text) { return std::string(text); }

inline const std::vector<ProfileCase>& profileCases() {
  using Op = ProfileOp;
  static const std::vector<ProfileCase> cases = {
      {"missing file gives the default, cut to size and without trailing blanks",
       std::nullopt,
       {},
       {{L"S", L"K", 64, L"", L""},
        {L"S", L"K", 64, L"def", L"def  "},
        {L"S", L"K", 3, L"de", L"def"},
        {L"S", L"K", 1, L"", L"def"}}},
      {"a value is cut to size - 1 characters",
       ascii("[S]\r\nK=0123456789\r\n"),
       {},
       {{L"S", L"K", 1, L""},
        {L"S", L"K", 2, L"0"},
        {L"S", L"K", 5, L"0123"},
        {L"S", L"K", 10, L"012345678"},
        {L"S", L"K", 11, L"0123456789"},
        {L"S", L"K", 64, L"0123456789"}}},
      {"missing section or key gives the default; an empty value does not",
       ascii("[S]\r\nK=\r\nNoEquals\r\n[T]\r\n"),
       {},
       {{L"S", L"K", 64, L"", L"def"},
        {L"S", L"Other", 64, L"def", L"def"},
        {L"S", L"NoEquals", 64, L"def", L"def"},
        {L"T", L"K", 64, L"def", L"def"},
        {L"U", L"K", 64, L"def", L"def"}}},
      {"names ignore the case of ASCII letters and surrounding blanks",
       utf16le(L"[Config1]\r\n  Dpi_Level  =  2  \r\n[Профиль]\r\nКлюч=1\r\n  [Spaced]\r\nA=3\r\n"),
       {},
       {{L"CONFIG1", L"DPI_LEVEL", 64, L"2"},
        {L"config1", L"dpi_level", 64, L"2"},
        {L" Config1 ", L" DPI_LEVEL ", 64, L"2"},
        {L"Профиль", L"Ключ", 64, L"1"},
        // Only ASCII letters are folded, as the platform does.
        {L"ПРОФИЛЬ", L"Ключ", 64, L"", L""},
        {L"Профиль", L"КЛЮЧ", 64, L"", L""},
        {L"spaced", L"a", 64, L"3"}}},
      {"matching quotes around a value are dropped",
       ascii("[S]\r\nD=\"abcdef\"\r\nS='x y'\r\nU=\"abc'\r\nQ=\"\r\nE=\"\"\r\n"),
       {},
       {{L"S", L"D", 64, L"abcdef"},
        {L"S", L"D", 8, L"abcdef"},
        {L"S", L"D", 7, L"abcde"},
        {L"S", L"D", 4, L"abc"},
        {L"S", L"S", 64, L"x y"},
        {L"S", L"U", 64, L"\"abc'"},
        {L"S", L"Q", 64, L"\""},
        {L"S", L"E", 64, L""}}},
      {"the first of repeated sections and keys is the one read",
       ascii("[S]\r\nK=1\r\nK=2\r\n[S]\r\nK=3\r\nB=4\r\n"),
       {},
       {{L"S", L"K", 64, L"1"}, {L"S", L"B", 64, L"def", L"def"}}},
      {"UTF-16LE with a byte-order mark",
       utf16le(L"[PRODUCTNAME]\r\nPRODUCTNAME_CN=Игровая мышь\r\nPRODUCTNAME_EN=Pyxom\r\n"),
       {},
       {{L"PRODUCTNAME", L"PRODUCTNAME_CN", 35, L"Игровая мышь"},
        {L"PRODUCTNAME", L"PRODUCTNAME_CN", 5, L"Игро"},
        {L"PRODUCTNAME", L"PRODUCTNAME_EN", 35, L"Pyxom"}}},
      {"UTF-8 with a byte-order mark",
       ascii("\xEF\xBB\xBF[S]\r\nK=\xD0\x9C\xD1\x8B\xD1\x88\xD1\x8C\r\n"),
       {},
       {{L"S", L"K", 64, L"Мышь"}}},
      {"plain ASCII with LF line ends and no final line end",
       ascii("[S]\nA=1\nB=2"),
       {},
       {{L"S", L"A", 64, L"1"}, {L"S", L"B", 64, L"2"}}},
      {"a value ends at a NUL",
       utf16le(std::wstring(L"[S]\r\nK=ab") + L'\0' + L"cd\r\nL=5\r\n"),
       {},
       {{L"S", L"K", 64, L"ab"}, {L"S", L"L", 64, L"5"}}},
      {"an empty key name gives the default",
       ascii("[S]\r\nK=1\r\n"),
       {},
       {{L"S", L"", 64, L"def", L"def"}}},
      {"UTF-16BE with a byte-order mark",
       std::string("\xFE\xFF\0[\0S\0]\0\r\0\n\0K\0=\x04\x1C\0\r\0\n", 20),
       {},
       {{L"S", L"K", 64, L"М"}}},
      {"odd lines: padded headers, no key name, unterminated header, tabs, Ctrl-Z",
       ascii("[ Pad ]\r\nA=1\r\n[S]\r\n=5\r\n[Broken\r\nT=\t7\t \r\nZ=8\x1A\r\n"),
       {},
       {{L"Pad", L"A", 64, L"1", L"d"},
        {L" Pad ", L"A", 64, L"1", L"d"},
        {L"S", L"T", 64, L"7"},
        {L"S", L"[Broken", 64, L"d", L"d"},
        {L"S", L"Z", 64, L"8"}}},
      {"only ASCII blanks around values are dropped",
       utf16le(L"[S]\r\nA=\u00A0a\u00A0\r\nB=\u3000b\u3000\r\nC=\vc\f\r\nD=\u2003d\r\n"),
       {},
       {{L"S", L"A", 64, L"\u00A0a\u00A0"}, {L"S", L"B", 64, L"\u3000b\u3000"}, {L"S", L"C", 64, L"c"},
        {L"S", L"D", 64, L"\u2003d"}}},
      {"a long line is cut like any value",
       ascii("[S]\r\nK=" + std::string(5000, 'x') + "\r\nL=1\r\n"),
       {},
       {{L"S", L"K", 260, std::wstring(259, L'x')}, {L"S", L"L", 5, L"1"}}},
      {"writes into an existing UTF-16 file keep every other key",
       utf16le(L"[A]\r\nX=1\r\nY=Мышь\r\n[B]\r\nZ=3\r\n"),
       {{Op::Write, L"A", L"X", L"-7"},
        {Op::Write, L"a", L"new", L"Ключ"},
        {Op::Write, L"C", L"K0", L"256"},
        {Op::Write, L"B", L"z", L"4"}},
       {{L"A", L"X", 64, L"-7"},
        {L"A", L"Y", 64, L"Мышь"},
        {L"A", L"NEW", 64, L"Ключ"},
        {L"B", L"Z", 64, L"4"},
        {L"C", L"K0", 64, L"256"}}},
      {"writes into an ASCII file",
       ascii("[A]\r\nX=1\r\n"),
       {{Op::Write, L"A", L"X", L"2"}, {Op::Write, L"B", L"Y", L"3"}},
       {{L"A", L"X", 64, L"2"}, {L"B", L"Y", 64, L"3"}}},
      {"a write creates a missing file that keeps Russian text",
       std::nullopt,
       {{Op::Write, L"PRODUCTNAME", L"PRODUCTNAME_CN", L"Игровая мышь"},
        {Op::Write, L"Init", L"CurConfig", L"1"}},
       {{L"PRODUCTNAME", L"PRODUCTNAME_CN", 35, L"Игровая мышь"}, {L"Init", L"CurConfig", 5, L"1"}}},
      {"leading blanks of a written value are dropped",
       std::nullopt,
       {{Op::Write, L"S", L"K", L"  5"}},
       {{L"S", L"K", 64, L"5"}}},
      {"a write to a repeated section changes the first one",
       ascii("[S]\r\nK=1\r\n[S]\r\nK=2\r\nB=3\r\n"),
       {{Op::Write, L"s", L"k", L"9"}, {Op::Write, L"S", L"B", L"4"}},
       {{L"S", L"K", 64, L"9"}, {L"S", L"B", 64, L"4"}}},
      {"a write finds keys without '=' and padded headers",
       ascii("[ Pad ]\r\nBare\r\nK = 1\r\n"),
       {{Op::Write, L"Pad", L"bare", L"2"}, {Op::Write, L"pad", L"k", L"3"}},
       {{L"Pad", L"Bare", 64, L"2"}, {L"Pad", L"K", 64, L"3"}}},
      {"a written value keeps inner and trailing text as given",
       std::nullopt,
       {{Op::Write, L"S", L"K", L"a = b ; c"}, {Op::Write, L"S", L"Q", L"\"x\""}},
       {{L"S", L"K", 64, L"a = b ; c"}, {L"S", L"Q", 64, L"x"}}},
      {"deleting a key or a section",
       ascii("[A]\r\nX=1\r\nY=2\r\n[B]\r\nZ=3\r\n[C]\r\nW=4\r\n"),
       {{Op::DeleteKey, L"A", L"x", L""}, {Op::DeleteSection, L"b", L"", L""}},
       {{L"A", L"X", 64, L"gone", L"gone"},
        {L"A", L"Y", 64, L"2"},
        {L"B", L"Z", 64, L"gone", L"gone"},
        {L"C", L"W", 64, L"4"}}},
  };
  return cases;
}

inline void runOps(platform::PrivateProfile& ini, const std::wstring& path,
                   const std::vector<ProfileOp>& ops) {
  for (const auto& op : ops) {
    switch (op.kind) {
      case ProfileOp::Write: ini.writeString(path, op.section, op.key, op.value); break;
      case ProfileOp::DeleteKey: ini.deleteKey(path, op.section, op.key); break;
      case ProfileOp::DeleteSection: ini.deleteSection(path, op.section); break;
    }
  }
}

}  // namespace pyxom::testing
