#include "platform/IniFileProfile.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include "platform/FilePath.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace pyxom::platform {
namespace {

// ---- characters -------------------------------------------------------------------------

// Blanks around names and values: ASCII white space and Ctrl-Z, nothing beyond ASCII (no-break
// and ideographic spaces are kept, as the platform keeps them).
bool isBlank(char32_t c) { return c == U' ' || (c >= U'\t' && c <= U'\r') || c == 0x1A; }

// Section and key names fold ASCII letters only, as the platform's functions do (measured under
// Wine: "[Профиль]" is not found as "ПРОФИЛЬ"). Every name the program uses is ASCII.
char32_t foldCase(char32_t c) { return c >= U'A' && c <= U'Z' ? c + 32 : c; }

bool equalNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (foldCase(static_cast<char32_t>(a[i])) != foldCase(static_cast<char32_t>(b[i]))) return false;
  }
  return true;
}

std::wstring_view trim(std::wstring_view s) {
  while (!s.empty() && isBlank(static_cast<char32_t>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && isBlank(static_cast<char32_t>(s.back()))) s.remove_suffix(1);
  return s;
}

void appendCodePoint(std::wstring& out, char32_t cp) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
      return;
    }
  }
  out.push_back(static_cast<wchar_t>(cp));
}

// Code points of a wide string; unpaired surrogates pass through as they are.
template <typename F>
void forEachCodePoint(std::wstring_view s, F&& f) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = static_cast<char32_t>(s[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size()) {
        char32_t d = static_cast<char32_t>(s[i + 1]);
        if (d >= 0xDC00 && d < 0xE000) {
          c = 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
          ++i;
        }
      }
    }
    f(c);
  }
}

// Windows-1252, bytes 0x80 to 0x9F (undefined ones map to the C1 control of the same value).
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Strict UTF-8 decoding; false on any malformed sequence.
bool decodeUtf8(std::string_view in, std::wstring& out) {
  std::size_t i = 0;
  while (i < in.size()) {
    unsigned char b = static_cast<unsigned char>(in[i]);
    char32_t cp;
    int extra;
    if (b < 0x80) {
      cp = b;
      extra = 0;
    } else if (b >= 0xC2 && b <= 0xDF) {
      cp = b & 0x1F;
      extra = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
      cp = b & 0x0F;
      extra = 2;
    } else if (b >= 0xF0 && b <= 0xF4) {
      cp = b & 0x07;
      extra = 3;
    } else {
      return false;
    }
    if (extra > 0 && i + extra >= in.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      unsigned char c = static_cast<unsigned char>(in[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))) ||
        (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
      return false;
    appendCodePoint(out, cp);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

std::wstring decodeAnsi(std::string_view in) {
  std::wstring out;
  out.reserve(in.size());
  for (char ch : in) {
    unsigned char b = static_cast<unsigned char>(ch);
    out.push_back(b >= 0x80 && b < 0xA0 ? static_cast<wchar_t>(kCp1252High[b - 0x80])
                                         : static_cast<wchar_t>(b));
  }
  return out;
}

std::wstring decodeUtf16(std::string_view in, bool bigEndian) {
  std::wstring out;
  out.reserve(in.size() / 2);
  for (std::size_t i = 0; i + 1 < in.size();) {
    auto unit = [&](std::size_t at) {
      unsigned lo = static_cast<unsigned char>(in[at]), hi = static_cast<unsigned char>(in[at + 1]);
      return static_cast<char32_t>(bigEndian ? (lo << 8) | hi : (hi << 8) | lo);
    };
    char32_t c = unit(i);
    i += 2;
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < in.size()) {
      char32_t d = unit(i);
      if (d >= 0xDC00 && d < 0xE000) {
        appendCodePoint(out, 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00));
        i += 2;
        continue;
      }
    }
    out.push_back(static_cast<wchar_t>(c));
  }
  return out;
}

void encodeUtf16Le(std::wstring_view s, std::string& out) {
  auto unit = [&](char32_t u) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>((u >> 8) & 0xFF));
  };
  forEachCodePoint(s, [&](char32_t c) {
    if (c >= 0x10000) {
      c -= 0x10000;
      unit(0xD800 + (c >> 10));
      unit(0xDC00 + (c & 0x3FF));
    } else {
      unit(c);
    }
  });
}

void encodeUtf8(std::wstring_view s, std::string& out) {
  forEachCodePoint(s, [&](char32_t c) {
    if (c >= 0xD800 && c < 0xE000) c = 0xFFFD;  // a lone surrogate has no UTF-8 form
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  });
}

// ---- lines --------------------------------------------------------------------------------

// A section header is '[' up to the last ']' of the line (leading blanks skipped); its name is
// what lies between them, trimmed. Any other non-blank line is a key: its name runs to the
// first '=' and its value follows, both trimmed; a line without '=' is a key without a value.
struct Line {
  enum Kind { Blank, Section, Key } kind = Blank;
  std::wstring_view name;
  std::optional<std::wstring_view> value;
};

Line classify(std::wstring_view text) {
  Line line;
  std::wstring_view t = text;
  while (!t.empty() && isBlank(static_cast<char32_t>(t.front()))) t.remove_prefix(1);
  if (t.empty()) return line;
  if (t.front() == L'[') {
    std::size_t close = t.rfind(L']');
    if (close != std::wstring_view::npos) {
      line.kind = Line::Section;
      line.name = trim(t.substr(1, close - 1));
      return line;
    }
  }
  line.kind = Line::Key;
  std::size_t eq = t.find(L'=');
  if (eq == std::wstring_view::npos) {
    line.name = trim(t);
  } else {
    line.name = trim(t.substr(0, eq));
    line.value = trim(t.substr(eq + 1));
  }
  return line;
}

// Values stop at a NUL, as the C strings of the platform functions do.
std::wstring_view untilNul(std::wstring_view s) {
  std::size_t n = s.find(L'\0');
  return n == std::wstring_view::npos ? s : s.substr(0, n);
}

// Copies a value into a buffer of `size` characters the way the platform does: a value
// enclosed in matching quotes loses them when the buffer holds the value without its first
// quote.
std::wstring copyEntry(std::wstring_view value, std::size_t size) {
  if (size == 0) return {};
  value = untilNul(value);
  bool quoted = false;
  if (value.size() >= 2 && (value.front() == L'\'' || value.front() == L'"') &&
      value.back() == value.front()) {
    quoted = true;
    value.remove_prefix(1);
  }
  std::wstring out(value.substr(0, size - 1));
  if (quoted && size >= value.size() && !out.empty()) out.pop_back();
  return out;
}

std::wstring_view trimTrailingSpaces(std::wstring_view s) {
  while (!s.empty() && s.back() == L' ') s.remove_suffix(1);
  return s;
}

// A file that exists but cannot be read is not a missing file: writing to it must fail rather
// than replace it with a file that holds only the new key.
enum class FileRead { Ok, Missing, Failed };

FileRead readFile(const std::wstring& path, std::string& bytes) {
  const auto native = toNativePath(path);
  std::error_code ec;
  const auto status = std::filesystem::status(native, ec);
  if (status.type() == std::filesystem::file_type::not_found) return FileRead::Missing;
  if (ec || status.type() != std::filesystem::file_type::regular) return FileRead::Failed;
  std::ifstream in(native, std::ios::binary);
  if (!in) return FileRead::Failed;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return in.bad() ? FileRead::Failed : FileRead::Ok;
}

std::wstring tempSuffix() {
  static thread_local std::mt19937 rng{std::random_device{}()};
  return L".tmp" + std::to_wstring(rng() % 1000000u);
}

}  // namespace

// ---- IniDocument --------------------------------------------------------------------------

IniDocument IniDocument::empty(Encoding encoding) {
  IniDocument d;
  d.encoding_ = encoding;
  return d;
}

IniDocument IniDocument::parse(std::string_view bytes) {
  IniDocument d;
  std::wstring text;
  auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (starts("\xFF\xFE")) {
    d.encoding_ = Encoding::Utf16Le;
    text = decodeUtf16(bytes.substr(2), false);
  } else if (starts("\xFE\xFF")) {
    d.encoding_ = Encoding::Utf16Le;  // written back little-endian
    text = decodeUtf16(bytes.substr(2), true);
  } else if (starts("\xEF\xBB\xBF")) {
    d.encoding_ = Encoding::Utf8Bom;
    if (!decodeUtf8(bytes.substr(3), text)) {
      text = decodeAnsi(bytes.substr(3));
      d.encoding_ = Encoding::Ansi;
    }
  } else if (decodeUtf8(bytes, text)) {
    d.encoding_ = Encoding::Utf8;
  } else {
    text = decodeAnsi(bytes);
    d.encoding_ = Encoding::Ansi;
  }
  bool sawLf = false, sawCr = false;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t lf = text.find(L'\n', start);
    std::size_t end = lf == std::wstring::npos ? text.size() : lf;
    std::wstring_view line(text.data() + start, end - start);
    if (lf != std::wstring::npos) sawLf = true;
    if (!line.empty() && line.back() == L'\r') {
      line.remove_suffix(1);
      sawCr = true;
    }
    if (lf != std::wstring::npos || !line.empty()) d.lines_.emplace_back(line);
    if (lf == std::wstring::npos) break;
    start = lf + 1;
  }
  d.crlf_ = sawCr || !sawLf;
  return d;
}

namespace {

// Index range [begin, end) of the body of the first section called `section`; begin is the
// header line. None when the section does not exist.
struct Range {
  std::size_t header, end;
};

std::optional<Range> findSection(const std::vector<std::wstring>& lines,
                                 std::wstring_view section) {
  std::wstring_view want = trim(section);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Line l = classify(lines[i]);
    if (l.kind != Line::Section || !equalNoCase(l.name, want)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && classify(lines[end]).kind != Line::Section) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<std::wstring>& lines, Range r,
                                   std::wstring_view key) {
  std::wstring_view want = trim(key);
  for (std::size_t i = r.header + 1; i < r.end; ++i) {
    Line l = classify(lines[i]);
    if (l.kind == Line::Key && equalNoCase(l.name, want)) return i;
  }
  return std::nullopt;
}

std::wstring keyLine(std::wstring_view name, std::wstring_view value) {
  // Leading blanks are dropped and a line break would start a new line: stop there.
  while (!value.empty() && isBlank(static_cast<char32_t>(value.front()))) value.remove_prefix(1);
  std::size_t brk = value.find_first_of(L"\r\n");
  if (brk != std::wstring_view::npos) value = value.substr(0, brk);
  value = untilNul(value);
  std::wstring line(name);
  line += L'=';
  line += value;
  return line;
}

}  // namespace

bool IniDocument::writableName(std::wstring_view section, std::wstring_view key) {
  const std::wstring_view k = trim(key);
  if (k.empty() || k.front() == L'[' || k.find(L'=') != std::wstring_view::npos) return false;
  return section.find_first_of(L"\r\n") == std::wstring_view::npos &&
         key.find_first_of(L"\r\n") == std::wstring_view::npos;
}

std::optional<std::wstring> IniDocument::find(std::wstring_view section,
                                              std::wstring_view key) const {
  auto r = findSection(lines_, section);
  if (!r) return std::nullopt;
  auto k = findKey(lines_, *r, key);
  if (!k) return std::nullopt;
  Line l = classify(lines_[*k]);
  if (!l.value) return std::nullopt;
  return std::wstring(*l.value);
}

void IniDocument::set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  auto r = findSection(lines_, section);
  if (!r) {
    lines_.push_back(L"[" + std::wstring(trim(section)) + L"]");
    lines_.push_back(keyLine(trim(key), value));
    return;
  }
  if (auto k = findKey(lines_, *r, key)) {
    std::wstring name(classify(lines_[*k]).name);  // keep the name as the file spells it
    lines_[*k] = keyLine(name, value);
    return;
  }
  // After the last non-blank line of the section, so blank separator lines stay below it.
  std::size_t at = r->end;
  while (at > r->header + 1 && classify(lines_[at - 1]).kind == Line::Blank) --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), keyLine(trim(key), value));
}

bool IniDocument::removeKey(std::wstring_view section, std::wstring_view key) {
  auto r = findSection(lines_, section);
  if (!r) return false;
  auto k = findKey(lines_, *r, key);
  if (!k) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*k));
  return true;
}

bool IniDocument::removeSection(std::wstring_view section) {
  auto r = findSection(lines_, section);
  if (!r) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(r->header),
               lines_.begin() + static_cast<std::ptrdiff_t>(r->end));
  return true;
}

std::string IniDocument::serialize() const {
  std::wstring text;
  for (const auto& l : lines_) {
    text += l;
    text += crlf_ ? L"\r\n" : L"\n";
  }
  std::string out;
  switch (encoding_) {
    case Encoding::Utf16Le:
    case Encoding::Ansi:
      out = "\xFF\xFE";
      encodeUtf16Le(text, out);
      break;
    case Encoding::Utf8Bom:
      out = "\xEF\xBB\xBF";
      encodeUtf8(text, out);
      break;
    case Encoding::Utf8:
      encodeUtf8(text, out);
      break;
  }
  return out;
}

// ---- IniFileProfile -----------------------------------------------------------------------

std::wstring IniFileProfile::readString(const std::wstring& path, const std::wstring& section,
                                        const std::wstring& key, std::size_t bufferSize,
                                        const std::wstring& defaultValue) {
  std::lock_guard lock(mutex_);
  if (bufferSize == 0) return {};
  std::wstring_view def = trimTrailingSpaces(untilNul(defaultValue));
  std::string bytes;
  if (readFile(path, bytes) != FileRead::Ok) return std::wstring(def.substr(0, bufferSize - 1));
  if (untilNul(key).empty()) return copyEntry(def, bufferSize);
  IniDocument doc = IniDocument::parse(bytes);
  auto value = doc.find(untilNul(section), untilNul(key));
  return copyEntry(value ? std::wstring_view(*value) : def, bufferSize);
}

bool IniFileProfile::writeString(const std::wstring& path, const std::wstring& section,
                                 const std::wstring& key, const std::wstring& value) {
  std::lock_guard lock(mutex_);
  if (!IniDocument::writableName(untilNul(section), untilNul(key))) return false;
  std::string bytes;
  const FileRead got = readFile(path, bytes);
  if (got == FileRead::Failed) return false;
  IniDocument doc = got == FileRead::Ok ? IniDocument::parse(bytes) : IniDocument::empty();
  doc.set(untilNul(section), untilNul(key), value);
  return replaceFile(path, doc.serialize());
}

bool IniFileProfile::deleteKey(const std::wstring& path, const std::wstring& section,
                               const std::wstring& key) {
  std::lock_guard lock(mutex_);
  std::string bytes;
  if (readFile(path, bytes) != FileRead::Ok) return false;
  IniDocument doc = IniDocument::parse(bytes);
  if (!doc.removeKey(untilNul(section), untilNul(key))) return true;  // nothing to remove
  return replaceFile(path, doc.serialize());
}

bool IniFileProfile::deleteSection(const std::wstring& path, const std::wstring& section) {
  std::lock_guard lock(mutex_);
  std::string bytes;
  if (readFile(path, bytes) != FileRead::Ok) return false;
  IniDocument doc = IniDocument::parse(bytes);
  if (!doc.removeSection(untilNul(section))) return true;
  return replaceFile(path, doc.serialize());
}

bool IniFileProfile::replaceFile(const std::wstring& path, const std::string& bytes) {
  const std::wstring temp = path + tempSuffix();
  const auto nativeTemp = toNativePath(temp);
  std::size_t toWrite = bytes.size();
  if (crash_ && crash_->tempBytes < toWrite) toWrite = crash_->tempBytes;
  std::FILE* f = nullptr;
#ifdef _WIN32
  f = _wfopen(nativeTemp.c_str(), L"wb");
#else
  f = std::fopen(nativeTemp.c_str(), "wb");
#endif
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, toWrite, f) == toWrite && std::fflush(f) == 0;
#ifdef _WIN32
  ok = ok && _commit(_fileno(f)) == 0;
#else
  ok = ok && fsync(fileno(f)) == 0;
#endif
  ok = std::fclose(f) == 0 && ok;
  if (crash_ && (toWrite < bytes.size() || crash_->stopBeforeRename)) return false;
  std::error_code ec;
  if (ok) std::filesystem::rename(nativeTemp, toNativePath(path), ec);
  if (!ok || ec) {
    std::filesystem::remove(nativeTemp, ec);
    return false;
  }
#ifndef _WIN32
  // Make the rename itself durable; the file is whole either way, so a failure here is not one.
  const auto folder = toNativePath(path).parent_path();
  int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
#endif
  return true;
}

}  // namespace pyxom::platform
