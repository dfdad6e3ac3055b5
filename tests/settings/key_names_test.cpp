#include "settings/KeyNames.h"

#include <gtest/gtest.h>

#include <string>

namespace pyxom::settings {
namespace {

constexpr auto En = UiLanguage::English;
constexpr auto Ru = UiLanguage::Second;
constexpr const wchar_t* NA = kNonAvailable;

struct NameCase {
  int usage;
  const wchar_t* list;     // macro event list
  const wchar_t* capture;  // key capture dialog
};

void expectNames(const NameCase* begin, const NameCase* end, UiLanguage language,
                 std::uint8_t stored) {
  for (const NameCase* c = begin; c != end; ++c) {
    SCOPED_TRACE("usage " + std::to_string(c->usage) + " stored " + std::to_string(stored));
    EXPECT_EQ(keyDisplayName(c->usage, language, stored), c->list);
    EXPECT_EQ(captureKeyDisplayName(c->usage, language, stored), c->capture);
  }
}

const NameCase kEnglish[] = {
    {4, L"A", L"A"},           {29, L"Z", L"Z"},          {30, L"1", L"1"},
    {38, L"9", L"9"},          {39, L"0", L"0"},          {40, L"RETURN", L"RETURN"},
    {41, L"ESCAPE", L"ESCAPE"}, {42, L"BACK", L"BACK"},   {43, L"TAB", L"TAB"},
    {44, L"SPACE", L"SPACE"},  {45, L"-", L"-"},          {46, L"+", L"+"},
    {47, L"[{", L"[{"},        {48, L"]}", L"]}"},        {49, L"|", L"|"},
    {50, NA, L"`~"},           {51, L";:", L";:"},        {52, L" ' ", L" ' "},
    {53, L"`~", NA},           {54, L",", L","},          {55, L".", L"."},
    {56, L"/?", L"/?"},        {57, L"CAPITAL", L"CAPITAL"}, {58, L"F1", L"F1"},
    {69, L"F12", L"F12"},      {70, L"SNAPSHOT", L"SNAPSHOT"}, {71, L"SCROLL", L"SCROLL"},
    {72, L"PAUSE", L"PAUSE"},  {73, L"INSERT", L"INSERT"}, {74, L"HOME", L"HOME"},
    {75, L"PRIOR", L"PRIOR"},  {76, L"DELETE", L"DELETE"}, {77, L"END", L"END"},
    {78, L"NEXT", L"NEXT"},    {79, L"RIGHT", L"RIGHT"},  {80, L"LEFT", L"LEFT"},
    {81, L"DOWN", L"DOWN"},    {82, L"UP", L"UP"},        {83, L"NUMLOCK", L"NUMLOCK"},
    {84, L"DIVIDE", L"DIVIDE"}, {85, L"MULTIPLY", L"MULTIPLY"}, {86, L"SUBTRACT", L"SUBTRACT"},
    {87, L"ADD", L"ADD"},      {88, NA, NA},              {89, L"NUMPAD1", L"NUMPAD1"},
    {93, L"NUMPAD5", L"NUMPAD5"}, {97, L"NUMPAD9", L"NUMPAD9"}, {98, L"NUMPAD0", L"NUMPAD0"},
    {99, L"DECIMAL", L"DECIMAL"}, {100, NA, NA},          {101, L"APPS", L"APPS"},
    {102, NA, NA},             {104, L"F13", L"F13"},     {115, L"F24", L"F24"},
    {116, L"EXECUTE", L"EXECUTE"}, {117, L"HELP", L"HELP"}, {118, L"MENU", L"MENU"},
    {119, L"SELECT", L"SELECT"}, {120, NA, NA},           {156, L"CLEAR", L"CLEAR"},
    {159, L"SEPARATOR", L"SEPARATOR"}, {224, L"LCONTROL", L"LCONTROL"},
    {225, L"LSHIFT", L"LSHIFT"}, {226, L"LMENU", L"LMENU"}, {227, L"LWIN", L"LWIN"},
    {228, L"RCONTROL", L"RCONTROL"}, {229, L"RSHIFT", L"RSHIFT"}, {230, L"RMENU", L"RMENU"},
    {231, L"RWIN", L"RWIN"},   {240, L"L-KEY", L"L-KEY"}, {241, L"R-KEY", L"R-KEY"},
    {242, L"M-KEY", L"M-KEY"}, {0, NA, NA},               {3, NA, NA},
    {232, NA, NA},             {243, NA, NA},             {255, NA, NA},
    {-1, NA, NA},              {1000, NA, NA},
};

TEST(KeyNames, EnglishTables) {
  expectNames(std::begin(kEnglish), std::end(kEnglish), En, 1);
  for (int usage = 4; usage <= 29; ++usage) {
    std::wstring letter(1, static_cast<wchar_t>(L'A' + usage - 4));
    EXPECT_EQ(keyDisplayName(usage, En, 1), letter);
    EXPECT_EQ(captureKeyDisplayName(usage, En, 1), letter);
  }
}

const NameCase kSecond[] = {
    {4, L"Ф", L"A"},   {5, L"И", L"B"},   {29, L"Я", L"Z"},    {30, L"1", L"1"},
    {40, L"RETURN", L"RETURN"}, {46, L"+", L"+"}, {47, L"Х", L"ğ"}, {48, L"Ъ", L"ü"},
    {49, L"|", NA},    {50, L",", L","},  {51, L"Ж", L"ş"},    {52, L"Э", L"i"},
    {53, L"Ё", L"`"},  {54, L"Б", L"ö"},  {55, L"Ю", L"ç"},    {56, L".", L"."},
    {57, L"CAPITAL", L"CAPITAL"}, {88, NA, NA}, {100, NA, NA}, {224, L"LCONTROL", L"LCONTROL"},
    {240, L"Левая кнопка (ЛКМ)", L"SOL DÜĞME/TUŞ"},
    {241, L"Правая кнопка (ПКМ)", L"SAĞ DÜĞME/TUŞ"},
    {242, L"Средняя кнопка (СКМ)", L"ORTA DÜĞME"},
};

TEST(KeyNames, SecondLanguageTables) {
  expectNames(std::begin(kSecond), std::end(kSecond), Ru, 0);
  const wchar_t* letters = L"ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ";
  for (int usage = 4; usage <= 29; ++usage)
    EXPECT_EQ(keyDisplayName(usage, Ru, 0), std::wstring(1, letters[usage - 4]));
}

// 240 to 242 follow the stored language value, not the language: English names only for a
// stored value of exactly 1.
TEST(KeyNames, MouseButtonNamesFollowTheStoredValueExactlyOne) {
  struct {
    UiLanguage language;
    std::uint8_t stored;
    bool english;
  } cases[] = {{En, 1, true}, {Ru, 1, true}, {En, 2, false}, {En, 255, false}, {Ru, 0, false},
               {En, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE("stored " + std::to_string(c.stored));
    EXPECT_EQ(keyDisplayName(240, c.language, c.stored),
              c.english ? L"L-KEY" : L"Левая кнопка (ЛКМ)");
    EXPECT_EQ(captureKeyDisplayName(242, c.language, c.stored),
              c.english ? L"M-KEY" : L"ORTA DÜĞME");
    // Other keys follow the language alone.
    EXPECT_EQ(keyDisplayName(4, c.language, c.stored), c.language == En ? L"A" : L"Ф");
  }
}

}  // namespace
}  // namespace pyxom::settings
