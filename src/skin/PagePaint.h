// The paint of the main window, computed: which rectangles come from which picture, the fills,
// the knob and the texts of one page, in drawing order. The Windows shell executes the plan with
// GDI; executePlan below does the same on pictures in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/MouseSettings.h"
#include "settings/UiLanguage.h"
#include "skin/Geometry.h"
#include "skin/Image.h"
#include "skin/SkinFonts.h"
#include "skin/SkinLayout.h"

namespace pyxom::skin {

enum class MainPage : std::uint8_t { Main = 0, Advanced = 1, Macro = 2, Color = 3 };

inline constexpr std::uint8_t kNoHover = 255;
inline constexpr Argb kTextColor = rgb(255, 255, 255);
inline constexpr Argb kHighlightColor = rgb(0, 216, 255);
inline constexpr Argb kLevelColors[4] = {rgb(0, 0, 255), rgb(255, 0, 255), rgb(255, 0, 0), rgb(128, 0, 255)};

// Pictures a paint reads. Normal is the drawing buffer itself.
enum class Picture : std::uint8_t { Normal, Hover, Pressed, LedGray, LedBlue, Knob };

struct PagePictures {
  const wchar_t* normal;
  const wchar_t* hover;
  const wchar_t* pressed;
};
// File names under the skins folder ("\main_normal.jpg" ...).
PagePictures pagePictures(MainPage page);
inline constexpr const wchar_t* kMainMaskPicture = L"\\main_mask.jpg";
inline constexpr const wchar_t* kLedGrayPicture = L"\\color_normal_gray.jpg";
inline constexpr const wchar_t* kLedBluePicture = L"\\color_over_blue.jpg";
inline constexpr const wchar_t* kKnobPicture = L"\\moveRect.png";
// Page tab element of the header (9 to 12).
int pageTabElement(MainPage page);

struct PaintOp {
  enum class Kind : std::uint8_t { Copy, Fill, Blend, Text };
  Kind kind = Kind::Copy;
  Picture source = Picture::Normal;  // Copy; Blend reads Knob
  Rect rect;                         // Copy and Fill: target = source rectangle
  Argb color = 0;                    // Fill, Text
  std::int32_t x = 0, y = 0;         // Blend: top-left of the knob; Text: TextOut position
  FontId font = FontId::Large;       // Text
  std::wstring text;                 // Text
  Size extent;                       // Text: its measured size in `font`
};

struct PaintPlan {
  MainPage page = MainPage::Main;
  std::vector<PaintOp> ops;
  bool uses(Picture p) const;
};

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  virtual Size measure(FontId font, const std::wstring& text) const = 0;
};

// Everything a paint reads, taken at the start of the paint.
struct PaintState {
  MainPage page = MainPage::Main;
  std::uint8_t hoverMain = kNoHover;      // header elements, and main page elements on page 0
  std::uint8_t hoverAdvanced = kNoHover;
  std::uint8_t hoverMacro = kNoHover;
  std::uint8_t hoverColor = kNoHover;
  bool buttonDown = false;
  settings::MouseSettings settings;
  int profileNumber = 1;
  int keyCount = 0;
  int model = 0;
  int stepCount = 12;  // DPI steps of the model
  settings::UiLanguage language = settings::UiLanguage::English;
  bool recording = false;
  std::uint8_t macroMode = 0;  // mode byte of the macro being edited
  int ledPreviewState = 0;     // 0..3
  bool ledPreviewOff = false;
  // Name of macro `index` of group `group` (groups counted from 1). May be empty.
  std::function<std::wstring(int group, int index)> macroName;
};

PaintPlan composePage(const SkinLayout& layout, const PaintState& state, const TextMeasurer& measurer);

// Number shown for a DPI code: 200 x code for 1 to 10, then 2400, 3200 ... 7200 for 12 to 18.
int dpiValueOfCode(int code);
// End of the DPI scale: "4800", "7200", "3200" for models 0, 1, 2.
std::wstring dpiScaleEnd(int model);

// Pictures for executePlan; null when missing (copies from a missing picture are skipped).
struct PaintSources {
  const Image* hover = nullptr;
  const Image* pressed = nullptr;
  const Image* ledGray = nullptr;
  const Image* ledBlue = nullptr;
  const Image* knob = nullptr;  // premultiplied
  const Image* of(Picture p) const;
};

// Per-pixel alpha blending of a premultiplied source over dst, one channel.
constexpr std::uint8_t blendChannel(std::uint8_t srcPremultiplied, std::uint8_t dst, std::uint8_t alpha) {
  const unsigned v = srcPremultiplied + (dst * (255u - alpha) + 127u) / 255u;
  return static_cast<std::uint8_t>(v > 255u ? 255u : v);
}

// Executes the plan on `buffer` (the normal picture). Text ops go to `drawText` (may be empty).
void executePlan(const PaintPlan& plan, Image& buffer, const PaintSources& sources,
                 const std::function<void(const PaintOp&, Image&)>& drawText);

}  // namespace pyxom::skin
