#include "macro/MacroTexts.h"

#include <array>

namespace pyxom::macro {

std::wstring macroText(MacroText text, UiLanguage language, std::wstring_view name) {
  const bool en = language == UiLanguage::English;
  const std::wstring quoted = L"'" + std::wstring(name) + L"'";
  switch (text) {
    case MacroText::CantFindFile: return L"Can't find the file.";
    case MacroText::MoreThanLimit: return en ? L"More than limit!" : L"Слишком много!";
    case MacroText::NewName: return en ? L"New" : L"новый";
    case MacroText::GroupNameInUse:
      return quoted + (en ? L" Name Already In Used!" : L" Имя уже используется!");
    case MacroText::NewMacroNameInUse:
      return quoted + (en ? L" Name already in used!" : L" Имя уже используется!");
    case MacroText::RenameMacroInUse:
      return quoted + (en ? L" Name already in used!" : L"Дублирующее имя макроса!");
    case MacroText::ImportNameInUse: return en ? L"Name already in used!" : L"Имя уже используется!";
    case MacroText::CreateFileFailed: return L"Please create new mac_file Fail!";
    case MacroText::NameEmpty: return en ? L"The name cannot be empty!" : L"Имя не может быть пустым!";
    case MacroText::NameTooLong: return en ? L"more than limit!" : L"Имя слишком длинное!";
    case MacroText::DuplicateGroupName: return L" Дубликат имени!!";
    case MacroText::FileNotFound: return L"not find File!";
    case MacroText::InvalidFileName:
      return en ? L"Invalid name! A group name cannot contain \\ / : * ? \" < > | or end with a dot."
                : L"Недопустимое имя! Имя группы не может содержать \\ / : * ? \" < > | или кончаться точкой.";
  }
  return {};
}

namespace {

wchar_t fold(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 32);
  if (c >= 0x410 && c <= 0x42F) return static_cast<wchar_t>(c + 32);
  if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 80);
  return c;
}

std::wstring upperAscii(std::wstring_view s) {
  std::wstring out(s);
  for (auto& c : out) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
  }
  return out;
}

bool isDeviceName(std::wstring_view name) {
  // Windows treats "CON", "CON.dat" and "CON .x" alike: compare the part before the first dot,
  // without trailing blanks.
  std::wstring_view base = name.substr(0, name.find(L'.'));
  while (!base.empty() && base.back() == L' ') base.remove_suffix(1);
  const std::wstring up = upperAscii(base);
  static constexpr std::array<const wchar_t*, 4> fixed = {L"CON", L"PRN", L"AUX", L"NUL"};
  for (const wchar_t* d : fixed) {
    if (up == d) return true;
  }
  if (up.size() == 4 && (up.compare(0, 3, L"COM") == 0 || up.compare(0, 3, L"LPT") == 0)) {
    const wchar_t n = up[3];
    if ((n >= L'0' && n <= L'9') || n == 0xB9 || n == 0xB2 || n == 0xB3) return true;
  }
  if (up == L"CONIN$" || up == L"CONOUT$") return true;
  return false;
}

}  // namespace

bool isValidGroupFileName(std::wstring_view name) {
  if (name.empty()) return false;
  for (wchar_t c : name) {
    if (c < 0x20 || c == 0x7F) return false;
    if (std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
  }
  if (name.back() == L'.' || name.back() == L' ') return false;  // "..", "a." and "a " too
  // macroGrp.ini gives values back without blanks around them and without enclosing quotes:
  // such a name would no longer find its file at the next start.
  auto blank = [](wchar_t c) { return c == L' ' || c == 0xA0 || c == 0x3000; };
  if (blank(name.front()) || blank(name.back())) return false;
  if (name.size() >= 2 && name.front() == L'\'' && name.back() == L'\'') return false;
  return !isDeviceName(name);
}

bool sameFileName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

}  // namespace pyxom::macro
