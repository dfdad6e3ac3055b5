#include "skin/PagePaint.h"

#include <algorithm>
#include <cmath>

#include "device/DpiCodes.h"

namespace pyxom::skin {

using settings::UiLanguage;

PagePictures pagePictures(MainPage page) {
  switch (page) {
    case MainPage::Advanced: return {L"\\advanced_normal.jpg", L"\\advanced_over.jpg", L"\\advanced_down.jpg"};
    case MainPage::Macro: return {L"\\mac_normal.jpg", L"\\mac_over.jpg", L"\\mac_down.jpg"};
    case MainPage::Color: return {L"\\color_normal_pink.jpg", L"\\color_over_red.jpg", L"\\color_down_purple.jpg"};
    case MainPage::Main: break;
  }
  return {L"\\main_normal.jpg", L"\\main_over.jpg", L"\\main_down.jpg"};
}

int pageTabElement(MainPage page) { return 9 + static_cast<int>(page); }

bool PaintPlan::uses(Picture p) const {
  return std::any_of(ops.begin(), ops.end(), [p](const PaintOp& op) {
    return (op.kind == PaintOp::Kind::Copy && op.source == p) || (op.kind == PaintOp::Kind::Blend && p == Picture::Knob);
  });
}

int dpiValueOfCode(int code) {
  if (code >= 1 && code <= 10) return 200 * code;
  switch (code) {
    case 12: return 2400;
    case 13: return 3200;
    case 14: return 4000;
    case 15: return 4800;
    case 16: return 5600;
    case 17: return 6400;
    case 18: return 7200;
    default: return 0;
  }
}

std::wstring dpiScaleEnd(int model) {
  switch (model) {
    case 0: return L"4800";
    case 1: return L"7200";
    case 2: return L"3200";
    default: return L"";
  }
}

namespace {

int dpiCodeOf(int model, unsigned step) { return device::dpiCode(model, step); }

class Composer {
 public:
  Composer(const SkinLayout& l, const PaintState& s, const TextMeasurer& m) : l_(l), s_(s), m_(m) {
    plan_.page = s.page;
  }

  PaintPlan run() {
    hoveredElement();
    overlays();
    header();
    copy(Picture::Pressed, l_.main.rect(50));
    texts();
    return std::move(plan_);
  }

 private:
  bool english() const { return s_.language == UiLanguage::English; }
  FontId defaultFont() const { return english() ? FontId::Large : FontId::Medium; }

  void copy(Picture p, const Rect& r) {
    if (p == Picture::Normal) return;  // the buffer already holds the normal look
    PaintOp op;
    op.kind = PaintOp::Kind::Copy;
    op.source = p;
    op.rect = r;
    plan_.ops.push_back(std::move(op));
  }
  void fill(const Rect& r, Argb c) {
    PaintOp op;
    op.kind = PaintOp::Kind::Fill;
    op.rect = r;
    op.color = c;
    plan_.ops.push_back(std::move(op));
  }

  const ElementTable& ownTable() const {
    switch (s_.page) {
      case MainPage::Advanced: return l_.advanced;
      case MainPage::Macro: return l_.macro;
      case MainPage::Color: return l_.color;
      case MainPage::Main: break;
    }
    return l_.main;
  }
  std::uint8_t ownHover() const {
    switch (s_.page) {
      case MainPage::Advanced: return s_.hoverAdvanced;
      case MainPage::Macro: return s_.hoverMacro;
      case MainPage::Color: return s_.hoverColor;
      case MainPage::Main: break;
    }
    return s_.hoverMain;
  }

  void hoveredElement() {
    const int h = ownHover();
    if (h == kNoHover || h >= static_cast<int>(ownTable().size())) return;
    bool pressed = s_.buttonDown;
    // The bars and the DPI slider keep their hover look while dragged.
    if (s_.page == MainPage::Advanced && (h == 1 || h == 4 || h == 7 || h == kSliderElement)) pressed = false;
    copy(pressed ? Picture::Pressed : Picture::Hover, ownTable().rect(h));
  }

  void overlays() {
    switch (s_.page) {
      case MainPage::Main: mainOverlay(); break;
      case MainPage::Advanced: advancedOverlay(); break;
      case MainPage::Macro: macroOverlay(); break;
      case MainPage::Color: colorOverlay(); break;
    }
  }

  // Elements 25 + i and 35 + i belong to button i and light up together.
  void mainOverlay() {
    const int h = s_.hoverMain, n = s_.keyCount;
    if (h == kNoHover) return;
    if (h >= 25 && h < n + 25) copy(Picture::Pressed, l_.main.rect(h + 10));
    else if (h >= 35 && h < n + 35) copy(Picture::Pressed, l_.main.rect(h - 10));
  }

  int selectedLevel() const { return std::clamp<int>(s_.settings.dpiLevel, 0, 3); }

  void advancedOverlay() {
    const auto& a = l_.advanced;
    const int level = selectedLevel();
    copy(Picture::Pressed, a.rect(15 + level));
    for (int i = 0; i < 4; ++i) {
      const Rect r = a.rect(20 + i);
      fill({r.x + 2, r.y + 2, r.w - 5, r.h - 5}, kLevelColors[i]);
      if (s_.settings.dpiEnabled[static_cast<std::size_t>(i)] != 0) copy(Picture::Pressed, a.rect(10 + i));
    }
    // Slider: filled up to the selected level's step, the knob at the end of the fill.
    const Rect track = a.rect(kSliderElement);
    const std::int64_t p = s_.settings.dpiStep[static_cast<std::size_t>(level)];
    std::int64_t filled = p + 1 >= s_.stepCount ? track.w : static_cast<std::int64_t>((p + 1) * l_.sliderStep);
    filled = std::clamp<std::int64_t>(filled, 0, std::max(track.w, 0));
    copy(Picture::Pressed, {track.x, track.y, static_cast<std::int32_t>(filled), track.h});
    PaintOp knob;
    knob.kind = PaintOp::Kind::Blend;
    knob.source = Picture::Knob;
    knob.x = track.x + static_cast<std::int32_t>(filled);
    knob.y = track.y;
    plan_.ops.push_back(std::move(knob));
    // Bars: pointer speed of 10, wheel speed of 10, fire interval of 300.
    bar(a.rect(1), s_.settings.pointerSpeed, 10);
    bar(a.rect(4), s_.settings.wheelSpeed, 10);
    bar(a.rect(7), s_.settings.fireInterval, 300);
  }

  void bar(const Rect& r, std::int64_t value, std::int64_t full) {
    std::int64_t w = value * r.w / full;
    w = std::clamp<std::int64_t>(w, 0, std::max(r.w, 0));
    copy(Picture::Pressed, {r.x, r.y, static_cast<std::int32_t>(w), r.h});
  }

  void macroOverlay() {
    if (s_.recording) copy(Picture::Pressed, l_.macro.rect(2));
    if (s_.macroMode & 2) copy(Picture::Pressed, l_.macro.rect(5));
    if (s_.macroMode & 1) copy(Picture::Pressed, l_.macro.rect(6));
  }

  void colorOverlay() {
    // The mode buttons are C1 to C4 (a click on C(k + 1) selects mode k, and its caption is
    // the one highlighted), so the selected mode lights C(mode + 1).
    const int mode = s_.settings.ledMode;
    if (mode < 4) copy(Picture::Pressed, l_.color.rect(mode + 1));
    const Rect swatch = l_.color.rect(5);
    if (s_.ledPreviewOff) {
      copy(Picture::LedGray, swatch);
      return;
    }
    switch (s_.ledPreviewState) {
      case 0: copy(Picture::LedBlue, swatch); break;
      case 2: copy(Picture::Hover, swatch); break;
      case 3: copy(Picture::Pressed, swatch); break;
      default: break;  // 1: the normal look
    }
  }

  void header() {
    const int tab = pageTabElement(s_.page);
    for (int i = 0; i < 20; ++i) {
      const bool lit = i == s_.profileNumber + 3 || i == tab || (i == 18 && !english()) || (i == 19 && english());
      if (lit) copy(Picture::Pressed, l_.main.rect(i));
      else if (i == s_.hoverMain) copy(s_.buttonDown ? Picture::Pressed : Picture::Hover, l_.main.rect(i));
    }
  }

  // Centred in r; measured with `measureFont`, drawn with `font`. yExtra shifts the centre line
  // by half its value, xShift moves the text right.
  void text(const std::wstring& t, const Rect& r, FontId font, FontId measureFont, Argb color,
            int xShift = 0, int yExtra = 0) {
    if (t.empty()) return;
    const Size sz = m_.measure(measureFont, t);
    PaintOp op;
    op.kind = PaintOp::Kind::Text;
    op.text = t;
    op.font = font;
    op.color = color;
    op.x = r.x + (r.w - sz.cx) / 2 + xShift;
    op.y = r.y + (r.h - sz.cy + yExtra) / 2;
    op.extent = measureFont == font ? sz : m_.measure(font, t);
    plan_.ops.push_back(std::move(op));
  }
  void text(const std::wstring& t, const Rect& r, FontId font, Argb color = kTextColor) {
    text(t, r, font, font, color);
  }

  void texts() {
    const FontId def = defaultFont();
    for (int d = 0; d < 20; ++d) {
      const std::wstring t = l_.main.text(d);
      if (d >= 4 && d <= 7) text(t, l_.main.rect(d), FontId::Small, def, kTextColor, 0, 100);
      else if (d >= 15 && d <= 17) text(t, l_.main.rect(d), FontId::Small, def, kTextColor, 0, 75);
      else text(t, l_.main.rect(d), def);
    }
    switch (s_.page) {
      case MainPage::Main: mainTexts(def); break;
      case MainPage::Advanced: advancedTexts(def); break;
      case MainPage::Macro: macroTexts(def); break;
      case MainPage::Color: colorTexts(def); break;
    }
  }

  std::wstring buttonLabel(int button) const {
    if (button < 0 || button >= settings::kMaxKeys) return {};
    const std::int32_t c = s_.settings.buttons[static_cast<std::size_t>(button)];
    if (c < 256) return l_.functionName(c);
    return s_.macroName ? s_.macroName(c >> 8, c & 0xFF) : std::wstring{};
  }

  void mainTexts(FontId def) {
    const int n = std::clamp(s_.keyCount, 0, settings::kMaxKeys);
    for (int d = 20; d < kMainElements; ++d) {
      const Rect r = l_.main.rect(d);
      if (d >= 25 && d < n + 25) {
        const Argb c = d == s_.hoverMain ? kHighlightColor : kTextColor;
        text(buttonLabel(d - 25), r, def, def, c, 15);
      } else {
        text(l_.main.text(d), r, def, def, kTextColor, d == 31 ? 15 : 0);
      }
    }
  }

  void advancedTexts(FontId def) {
    const auto& a = l_.advanced;
    const auto& st = s_.settings;
    text(a.text(0), a.rect(0), def);
    text(std::to_wstring(st.pointerSpeed.get()), a.rect(2), def);
    text(a.text(3), a.rect(3), def);
    text(std::to_wstring(st.wheelSpeed.get()), a.rect(5), def);
    text(a.text(6), a.rect(6), def);
    text(std::to_wstring(st.fireInterval.get()), a.rect(8), def);
    const int level = selectedLevel();
    for (int i = 0; i < 4; ++i) {
      const int value = dpiValueOfCode(dpiCodeOf(s_.model, st.dpiStep[static_cast<std::size_t>(i)]));
      text(std::to_wstring(value), a.rect(25 + i), FontId::Large, i == level ? kHighlightColor : kTextColor);
    }
    text(L"0", a.rect(31), def);
    text(dpiScaleEnd(s_.model), a.rect(32), def);
  }

  void macroTexts(FontId def) {
    const bool en = english();
    for (int e = 0; e < kMacroElements; ++e) {
      std::wstring t = l_.macro.text(e);
      if (e == 2) t = s_.recording ? (en ? L"Stop" : L"\u0421\u0442\u043E\u043F") : (en ? L"Record" : L"\u0417\u0430\u043F\u0438\u0441\u044C");
      if (e == 3) t = en ? L"Insert" : L"\u0412\u0441\u0442\u0430\u0432\u0438\u0442\u044C";
      text(t, l_.macro.rect(e), def, e == s_.hoverMacro ? kHighlightColor : kTextColor);
    }
  }

  void colorTexts(FontId def) {
    for (int e = 0; e < kColorElements; ++e) {
      if (e >= 1 && e <= 4) {
        const Argb c = e - 1 == s_.settings.ledMode ? kHighlightColor : kTextColor;
        text(l_.color.text(e), l_.color.rect(e), FontId::Small, c);
      } else {
        text(l_.color.text(e), l_.color.rect(e), def);
      }
    }
  }

  const SkinLayout& l_;
  const PaintState& s_;
  const TextMeasurer& m_;
  PaintPlan plan_;
};

}  // namespace

PaintPlan composePage(const SkinLayout& layout, const PaintState& state, const TextMeasurer& measurer) {
  return Composer(layout, state, measurer).run();
}

const Image* PaintSources::of(Picture p) const {
  switch (p) {
    case Picture::Hover: return hover;
    case Picture::Pressed: return pressed;
    case Picture::LedGray: return ledGray;
    case Picture::LedBlue: return ledBlue;
    case Picture::Knob: return knob;
    case Picture::Normal: break;
  }
  return nullptr;
}

void executePlan(const PaintPlan& plan, Image& buffer, const PaintSources& sources,
                 const std::function<void(const PaintOp&, Image&)>& drawText) {
  for (const PaintOp& op : plan.ops) {
    switch (op.kind) {
      case PaintOp::Kind::Copy: {
        const Image* src = sources.of(op.source);
        if (!src) break;
        Rect r = clipTo(clipTo(op.rect, buffer.width(), buffer.height()), src->width(), src->height());
        for (int y = r.y; y < r.y + r.h; ++y) std::copy_n(src->row(y) + r.x, r.w, buffer.row(y) + r.x);
        break;
      }
      case PaintOp::Kind::Fill: {
        Rect r = clipTo(op.rect, buffer.width(), buffer.height());
        for (int y = r.y; y < r.y + r.h; ++y) std::fill_n(buffer.row(y) + r.x, r.w, op.color);
        break;
      }
      case PaintOp::Kind::Blend: {
        const Image* k = sources.knob;
        if (!k) break;
        const Rect r = clipTo({op.x, op.y, k->width(), k->height()}, buffer.width(), buffer.height());
        for (int y = r.y; y < r.y + r.h; ++y) {
          for (int x = r.x; x < r.x + r.w; ++x) {
            const Argb s = k->at(x - op.x, y - op.y), d = buffer.at(x, y);
            const std::uint8_t a = alphaOf(s);
            buffer.set(x, y, rgb(blendChannel(redOf(s), redOf(d), a), blendChannel(greenOf(s), greenOf(d), a),
                                 blendChannel(blueOf(s), blueOf(d), a)));
          }
        }
        break;
      }
      case PaintOp::Kind::Text:
        if (drawText) drawText(op, buffer);
        break;
    }
  }
}

}  // namespace pyxom::skin
