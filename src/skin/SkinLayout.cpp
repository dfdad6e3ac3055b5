#include "skin/SkinLayout.h"

#include <filesystem>
#include <system_error>

#include "platform/FilePath.h"
#include "settings/Decimal.h"

namespace pyxom::skin {

using settings::decimalToInt;

Rect LayoutEntry::rect() const {
  return {decimalToInt(f[1]), decimalToInt(f[2]), decimalToInt(f[3]), decimalToInt(f[4])};
}

SplitResult splitLayoutValue(const std::wstring& value) {
  SplitResult out;
  std::size_t commas = 0;
  for (wchar_t c : value) commas += c == L',';
  out.tooManyCommas = commas > 6;
  std::size_t start = 0;
  for (int field = 0; field < kLayoutFields - 1; ++field) {
    std::size_t comma = value.find(L',', start);
    if (comma == std::wstring::npos) {
      out.entry.f[field] = value.substr(start);
      return out;
    }
    out.entry.f[field] = value.substr(start, comma - start);
    start = comma + 1;
  }
  out.entry.f[kLayoutFields - 1] = value.substr(start);
  return out;
}

bool layoutFileExists(const std::wstring& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(platform::toNativePath(path), ec);
}

LayoutEntry LayoutReader::ReadLayoutEntry(const std::wstring& path, const std::wstring& section, int index) {
  if (!host_.fileExists(path)) {
    if (!ended_) {
      ended_ = true;
      host_.shutdown();
    }
    return {};
  }
  std::wstring value = ini_.readString(path, section, std::to_wstring(index), kLayoutValueBuffer);
  SplitResult split = splitLayoutValue(value);
  if (split.tooManyCommas) host_.showMessage(L"Error INI\uFF01");
  return std::move(split.entry);
}

std::wstring SkinLayout::functionName(std::int32_t code) const {
  if (code < 1 || code > kFunctionNames) return {};
  return functionNames[static_cast<std::size_t>(code)];
}

std::wstring layoutPath(const std::wstring& skinsFolder, LayoutFile file, UiLanguage language) {
  const bool en = language == UiLanguage::English;
  const wchar_t* name = L"";
  switch (file) {
    case LayoutFile::Main: name = en ? L"skin_main_en.ini" : L"skin_main.ini"; break;
    case LayoutFile::Advanced: name = en ? L"skin_advance_en.ini" : L"skin_advance.ini"; break;
    case LayoutFile::Color: name = en ? L"skin_color_en.ini" : L"skin_color.ini"; break;
    case LayoutFile::Macro: name = en ? L"skin_mac_en.ini" : L"skin_mac.ini"; break;
    case LayoutFile::Warning: name = en ? L"LBWarning_en.ini" : L"LBWarning.ini"; break;
    case LayoutFile::KeySet: name = en ? L"skin_keyset_en.ini" : L"skin_keyset.ini"; break;
  }
  return skinsFolder + (en ? L"\\INI_EN\\" : L"\\INI_CN\\") + name;
}

namespace {

void readButtons(LayoutReader& r, const std::wstring& path, int first, int count, ElementTable& t,
                 const wchar_t* section = L"BUTTONPOS") {
  for (int i = first; i < first + count; ++i) {
    LayoutEntry e = r.ReadLayoutEntry(path, section, i);
    t.rects[static_cast<std::size_t>(i)] = e.rect();
    t.texts[static_cast<std::size_t>(i)] = e.text();
  }
}

}  // namespace

void LoadMainLayout(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, SkinLayout& out) {
  const std::wstring path = layoutPath(skinsFolder, LayoutFile::Main, lang);
  readButtons(r, path, 0, kMainElements - 1, out.main);
  LayoutEntry expand = r.ReadLayoutEntry(path, L"BtnExpand", kMainElements - 1);
  out.main.rects[kMainElements - 1] = expand.rect();
  out.main.texts[kMainElements - 1] = expand.text();
  for (int k = 1; k <= kFunctionNames; ++k) {
    out.functionNames[static_cast<std::size_t>(k)] = r.ReadLayoutEntry(path, L"FUN_STRING", k).f[0];
  }
}

void LoadAdvancedLayout(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, int stepCount,
                        SkinLayout& out) {
  readButtons(r, layoutPath(skinsFolder, LayoutFile::Advanced, lang), 0, kAdvancedElements, out.advanced);
  const Rect slider = out.advanced.rects[kSliderElement];
  out.sliderOrigin = slider.x;
  out.sliderLength = slider.w;
  out.sliderStep = stepCount > 0 ? static_cast<double>(slider.w) / static_cast<double>(stepCount) : 0.0;
}

void LoadColorLayout(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, SkinLayout& out) {
  readButtons(r, layoutPath(skinsFolder, LayoutFile::Color, lang), 0, kColorElements, out.color);
}

void LoadMacroLayout(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, SkinLayout& out) {
  const std::wstring path = layoutPath(skinsFolder, LayoutFile::Macro, lang);
  readButtons(r, path, 0, kMacroElements, out.macro);
  out.editRect = r.ReadLayoutEntry(path, L"EDIT", 1).rect();
  out.list1Rect = r.ReadLayoutEntry(path, L"MACRODISPLAY", 1).rect();
  out.list2Rect = r.ReadLayoutEntry(path, L"MACRODISPLAY", 2).rect();
  out.editBounds = Bounds::of(out.editRect);
  out.list1Bounds = Bounds::of(out.list1Rect);
  out.list2Bounds = Bounds::of(out.list2Rect);
}

void LoadWarningLayout(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, SkinLayout& out) {
  readButtons(r, layoutPath(skinsFolder, LayoutFile::Warning, lang), 0, kWarningElements, out.warning);
}

bool loadStartupLayouts(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, int stepCount,
                        SkinLayout& out) {
  LoadWarningLayout(r, skinsFolder, lang, out);
  LoadMainLayout(r, skinsFolder, lang, out);
  LoadColorLayout(r, skinsFolder, lang, out);
  LoadAdvancedLayout(r, skinsFolder, lang, stepCount, out);
  LoadMacroLayout(r, skinsFolder, lang, out);
  return !r.ended();
}

bool reloadLayoutsForLanguage(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang,
                              int stepCount, SkinLayout& out) {
  LoadMainLayout(r, skinsFolder, lang, out);
  LoadColorLayout(r, skinsFolder, lang, out);
  LoadAdvancedLayout(r, skinsFolder, lang, stepCount, out);
  LoadWarningLayout(r, skinsFolder, lang, out);
  LoadMacroLayout(r, skinsFolder, lang, out);
  return !r.ended();
}

}  // namespace pyxom::skin
