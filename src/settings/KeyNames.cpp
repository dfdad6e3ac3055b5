#include "settings/KeyNames.h"

#include <array>

namespace pyxom::settings {
namespace {

enum class Table { MacroList, Capture };

const wchar_t* englishName(int usage, Table table) {
  static constexpr std::array<const wchar_t*, 5> k40 = {L"RETURN", L"ESCAPE", L"BACK", L"TAB",
                                                        L"SPACE"};
  static constexpr std::array<const wchar_t*, 5> k45 = {L"-", L"+", L"[{", L"]}", L"|"};
  static constexpr std::array<const wchar_t*, 12> kF1 = {L"F1", L"F2", L"F3", L"F4",
                                                         L"F5", L"F6", L"F7", L"F8",
                                                         L"F9", L"F10", L"F11", L"F12"};
  static constexpr std::array<const wchar_t*, 9> k70 = {L"SNAPSHOT", L"SCROLL", L"PAUSE",
                                                        L"INSERT",   L"HOME",   L"PRIOR",
                                                        L"DELETE",   L"END",    L"NEXT"};
  static constexpr std::array<const wchar_t*, 9> k79 = {
      L"RIGHT", L"LEFT", L"DOWN", L"UP", L"NUMLOCK", L"DIVIDE", L"MULTIPLY", L"SUBTRACT", L"ADD"};
  static constexpr std::array<const wchar_t*, 9> kNumpad = {L"NUMPAD1", L"NUMPAD2", L"NUMPAD3",
                                                            L"NUMPAD4", L"NUMPAD5", L"NUMPAD6",
                                                            L"NUMPAD7", L"NUMPAD8", L"NUMPAD9"};
  static constexpr std::array<const wchar_t*, 12> kF13 = {L"F13", L"F14", L"F15", L"F16",
                                                          L"F17", L"F18", L"F19", L"F20",
                                                          L"F21", L"F22", L"F23", L"F24"};
  static constexpr std::array<const wchar_t*, 4> k116 = {L"EXECUTE", L"HELP", L"MENU", L"SELECT"};
  static constexpr std::array<const wchar_t*, 8> k224 = {L"LCONTROL", L"LSHIFT", L"LMENU",
                                                         L"LWIN",     L"RCONTROL", L"RSHIFT",
                                                         L"RMENU",    L"RWIN"};
  static constexpr std::array<const wchar_t*, 3> k240 = {L"L-KEY", L"R-KEY", L"M-KEY"};

  if (usage >= 40 && usage <= 44) return k40[usage - 40];
  if (usage >= 45 && usage <= 49) return k45[usage - 45];
  switch (usage) {
    case 50: return table == Table::Capture ? L"`~" : nullptr;
    case 51: return L";:";
    case 52: return L" ' ";
    case 53: return table == Table::MacroList ? L"`~" : nullptr;
    case 54: return L",";
    case 55: return L".";
    case 56: return L"/?";
    case 57: return L"CAPITAL";
    case 98: return L"NUMPAD0";
    case 99: return L"DECIMAL";
    case 101: return L"APPS";
    case 156: return L"CLEAR";
    case 159: return L"SEPARATOR";
    default: break;
  }
  if (usage >= 58 && usage <= 69) return kF1[usage - 58];
  if (usage >= 70 && usage <= 78) return k70[usage - 70];
  if (usage >= 79 && usage <= 87) return k79[usage - 79];
  if (usage >= 89 && usage <= 97) return kNumpad[usage - 89];
  if (usage >= 104 && usage <= 115) return kF13[usage - 104];
  if (usage >= 116 && usage <= 119) return k116[usage - 116];
  if (usage >= 224 && usage <= 231) return k224[usage - 224];
  if (usage >= 240 && usage <= 242) return k240[usage - 240];
  return nullptr;
}

// Second-language names that differ from the English ones; nullptr: keep the English name.
// kNonAvailable where the second language has no name.
const wchar_t* secondName(int usage, Table table) {
  static constexpr std::array<const wchar_t*, 26> kRussianLetters = {
      L"Ф", L"И", L"С", L"В", L"У", L"А", L"П", L"Р", L"Ш", L"О", L"Л", L"Д", L"Ь",
      L"Т", L"Щ", L"З", L"Й", L"К", L"Ы", L"Е", L"Г", L"М", L"Ц", L"Ч", L"Н", L"Я"};
  if (table == Table::MacroList) {
    if (usage >= 4 && usage <= 29) return kRussianLetters[usage - 4];
    switch (usage) {
      case 47: return L"Х";
      case 48: return L"Ъ";
      case 49: return L"|";
      case 50: return L",";
      case 51: return L"Ж";
      case 52: return L"Э";
      case 53: return L"Ё";
      case 54: return L"Б";
      case 55: return L"Ю";
      case 56: return L".";
      case 240: return L"Левая кнопка (ЛКМ)";
      case 241: return L"Правая кнопка (ПКМ)";
      case 242: return L"Средняя кнопка (СКМ)";
      default: return nullptr;
    }
  }
  switch (usage) {
    case 47: return L"ğ";
    case 48: return L"ü";
    case 49: return kNonAvailable;
    case 50: return L",";
    case 51: return L"ş";
    case 52: return L"i";
    case 53: return L"`";
    case 54: return L"ö";
    case 55: return L"ç";
    case 56: return L".";
    case 240: return L"SOL DÜĞME/TUŞ";
    case 241: return L"SAĞ DÜĞME/TUŞ";
    case 242: return L"ORTA DÜĞME";
    default: return nullptr;
  }
}

std::wstring nameOf(int usage, UiLanguage language, std::uint8_t stored, Table table) {
  if (usage >= 4 && usage <= 29 && (language == UiLanguage::English || table == Table::Capture))
    return std::wstring(1, static_cast<wchar_t>(usage + 61));
  if (usage >= 30 && usage <= 38) return std::wstring(1, static_cast<wchar_t>(L'0' + (usage - 29)));
  if (usage == 39) return L"0";
  const bool mouseButton = usage >= 240 && usage <= 242;
  const bool second = mouseButton ? stored != 1 : language == UiLanguage::Second;
  if (second) {
    if (const wchar_t* n = secondName(usage, table)) return n;
  }
  const wchar_t* n = englishName(usage, table);
  return n ? n : kNonAvailable;
}

}  // namespace

std::wstring keyDisplayName(int usage, UiLanguage language, std::uint8_t storedLanguageValue) {
  return nameOf(usage, language, storedLanguageValue, Table::MacroList);
}

std::wstring captureKeyDisplayName(int usage, UiLanguage language,
                                   std::uint8_t storedLanguageValue) {
  return nameOf(usage, language, storedLanguageValue, Table::Capture);
}

}  // namespace pyxom::settings
