// Layout files of the skin: splitting one value into an entry, and the loaders that fill the
// per-page tables of rectangles and texts for the current language.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/PrivateProfile.h"
#include "settings/UiLanguage.h"
#include "skin/Geometry.h"

namespace pyxom::skin {

using settings::UiLanguage;

// Values are read with a buffer of this many characters (at most 259 are kept).
inline constexpr std::size_t kLayoutValueBuffer = 260;
inline constexpr int kLayoutFields = 7;

// One value split into seven texts f0..f6 at its first six commas.
struct LayoutEntry {
  std::array<std::wstring, kLayoutFields> f;
  Rect rect() const;  // f1..f4 as decimal numbers
  const std::wstring& text() const { return f[5]; }
};

struct SplitResult {
  LayoutEntry entry;
  bool tooManyCommas = false;  // more than six commas
};

// No comma: f0 is the whole value. Otherwise f0..f5 are the texts before the first six commas
// and f6 is everything after the sixth. A value with fewer commas ends with the text after its
// last comma in the next field; the fields after that stay empty.
SplitResult splitLayoutValue(const std::wstring& value);

// What reading layouts needs from the program.
class LayoutHost {
 public:
  virtual ~LayoutHost() = default;
  virtual bool fileExists(const std::wstring& path) = 0;
  virtual void showMessage(const std::wstring& text) = 0;  // message box, OK
  virtual void shutdown() = 0;                              // ShutdownDriver
};

// Host file check through the portable file system (program paths with backslashes).
bool layoutFileExists(const std::wstring& path);

// Reads entries; a missing file ends the program (once per reader: later reads of any missing
// file only give empty entries).
class LayoutReader {
 public:
  LayoutReader(platform::PrivateProfile& ini, LayoutHost& host) : ini_(ini), host_(host) {}

  LayoutEntry ReadLayoutEntry(const std::wstring& path, const std::wstring& section, int index);

  // True once a missing file has ended the program.
  bool ended() const { return ended_; }

 private:
  platform::PrivateProfile& ini_;
  LayoutHost& host_;
  bool ended_ = false;
};

struct ElementTable {
  std::vector<Rect> rects;
  std::vector<std::wstring> texts;
  explicit ElementTable(std::size_t n = 0) : rects(n), texts(n) {}
  std::size_t size() const { return rects.size(); }
  Rect rect(int i) const { return i >= 0 && i < static_cast<int>(rects.size()) ? rects[i] : Rect{}; }
  std::wstring text(int i) const { return i >= 0 && i < static_cast<int>(texts.size()) ? texts[i] : std::wstring{}; }
};

struct Bounds {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  static Bounds of(const Rect& r) { return {r.x, r.y, r.x + r.w, r.y + r.h}; }
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

inline constexpr int kMainElements = 51;      // BUTTONPOS 0..49, BtnExpand as 50
inline constexpr int kFunctionNames = 54;     // FUN_STRING 1..54
inline constexpr int kAdvancedElements = 33;
inline constexpr int kColorElements = 6;
inline constexpr int kMacroElements = 13;
inline constexpr int kWarningElements = 3;
inline constexpr int kSliderElement = 30;     // the DPI slider track of the advanced page

struct SkinLayout {
  ElementTable main{kMainElements};
  std::array<std::wstring, kFunctionNames + 1> functionNames{};  // [k] = FUN_STRING k; [0] unused
  ElementTable advanced{kAdvancedElements};
  std::int32_t sliderOrigin = 0;
  std::int32_t sliderLength = 0;
  double sliderStep = 0.0;  // slider length / DPI step count of the model
  ElementTable color{kColorElements};
  ElementTable macro{kMacroElements};
  Rect editRect, list1Rect, list2Rect;
  Bounds editBounds, list1Bounds, list2Bounds;
  ElementTable warning{kWarningElements};

  // Function name of a code below 256 (empty when the code has none).
  std::wstring functionName(std::int32_t code) const;
};

// File of a layout for the language: skins folder + "\INI_EN\<en>" or "\INI_CN\<second>".
enum class LayoutFile { Main, Advanced, Color, Macro, Warning, KeySet };
std::wstring layoutPath(const std::wstring& skinsFolder, LayoutFile file, UiLanguage language);

// The loaders. Each reads its keys in increasing order. `stepCount` is the number of DPI steps
// of the connected model (12, 17 or 5); 0 leaves the slider step 0.
void LoadMainLayout(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, SkinLayout& out);
void LoadAdvancedLayout(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, int stepCount,
                        SkinLayout& out);
void LoadColorLayout(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, SkinLayout& out);
void LoadMacroLayout(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, SkinLayout& out);
void LoadWarningLayout(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, SkinLayout& out);

// Start-up order: warning, main, colour, advanced, macro. Returns false when a missing file
// ended the program (the caller then stops its start-up).
bool loadStartupLayouts(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang, int stepCount,
                        SkinLayout& out);
// Language switch order: main, colour, advanced, warning, macro.
bool reloadLayoutsForLanguage(LayoutReader& r, const std::wstring& skinsFolder, UiLanguage lang,
                              int stepCount, SkinLayout& out);

}  // namespace pyxom::skin
