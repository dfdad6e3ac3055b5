#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "skin/SyntheticSkin.h"

namespace pyxom::skin {
namespace {

using namespace skin::testing;
using settings::UiLanguage;

struct Expect {
  Rect rect;
  Argb color;
};

class PagePaint : public ::testing::Test {
 protected:
  PagePaint() : layout_(syntheticLayout()), knob_(knobPicture()) {
    state_.keyCount = 3;
    state_.settings.dpiEnabled = {};
  }

  Image paint() {
    Image buffer(kWidth, kHeight, kNormal);
    plan_ = composePage(layout_, state_, measurer_);
    PaintSources src{&hover_, &pressed_, &gray_, &blue_, &knob_};
    executePlan(plan_, buffer, src, {});
    return buffer;
  }

  // The picture must be normal everywhere except the listed rectangles (later ones win).
  void expectPicture(const Image& got, std::initializer_list<Expect> changes, const char* what) {
    Image want(kWidth, kHeight, kNormal);
    for (const Expect& e : changes) {
      const Rect r = clipTo(e.rect, kWidth, kHeight);
      for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) want.set(x, y, e.color);
    }
    int bad = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (got.at(x, y) != want.at(x, y) && ++bad <= 5)
          ADD_FAILURE() << what << ": pixel " << x << "," << y << " is " << std::hex << got.at(x, y) << " not "
                        << want.at(x, y);
  }

  // Header of every page in English, profile 1: elements 4 (profile), the page tab, 19 (language), 50.
  std::vector<Expect> header(int tab) const {
    return {{cell(4), kPressed}, {cell(tab), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}};
  }

  const PaintOp* textOp(const std::wstring& text) const {
    for (const PaintOp& op : plan_.ops)
      if (op.kind == PaintOp::Kind::Text && op.text == text) return &op;
    return nullptr;
  }

  SkinLayout layout_;
  PaintState state_;
  FixedMeasurer measurer_;
  Image hover_{kWidth, kHeight, kHover}, pressed_{kWidth, kHeight, kPressed}, gray_{kWidth, kHeight, kGray},
      blue_{kWidth, kHeight, kBlue};
  Image knob_;
  PaintPlan plan_;
};

TEST_F(PagePaint, HeaderLightsProfilePageTabAndLanguage) {
  expectPicture(paint(), {{cell(4), kPressed}, {cell(9), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}},
                "English, profile 1");
  state_.language = UiLanguage::Second;
  state_.profileNumber = 5;
  expectPicture(paint(), {{cell(8), kPressed}, {cell(9), kPressed}, {cell(18), kPressed}, {cell(60), kPressed}},
                "second language, profile 5");
  state_.page = MainPage::Macro;
  expectPicture(paint(), {{cell(8), kPressed}, {cell(11), kPressed}, {cell(18), kPressed}, {cell(60), kPressed}},
                "macro page tab");
}

TEST_F(PagePaint, HoveredHeaderElementTakesHoverOrPressedLookButLitOnesStayPressed) {
  state_.hoverMain = 2;
  expectPicture(paint(), {{cell(2), kHover}, {cell(4), kPressed}, {cell(9), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}}, "hover");
  state_.buttonDown = true;
  expectPicture(paint(), {{cell(2), kPressed}, {cell(4), kPressed}, {cell(9), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}}, "down");
  state_.buttonDown = false;
  state_.hoverMain = 4;  // the lit profile keeps its pressed look
  state_.page = MainPage::Color;
  state_.settings.ledMode = 9;  // no mode element
  state_.ledPreviewState = 1;
  expectPicture(paint(), {{cell(4), kPressed}, {cell(12), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}}, "lit");
}

TEST_F(PagePaint, MainPageButtonPairLightsTogether) {
  state_.hoverMain = 27;
  expectPicture(paint(), {{cell(27), kHover}, {cell(37), kPressed}, {cell(4), kPressed}, {cell(9), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}}, "label hovered");
  state_.hoverMain = 37;
  state_.buttonDown = true;
  expectPicture(paint(), {{cell(37), kPressed}, {cell(27), kPressed}, {cell(4), kPressed}, {cell(9), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}}, "marker pressed");
  state_.buttonDown = false;
  state_.hoverMain = 28;  // 25 + N: not a button
  expectPicture(paint(), {{cell(28), kHover}, {cell(4), kPressed}, {cell(9), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}}, "past the last button");
  state_.keyCount = 10;
  state_.hoverMain = 35;  // marker of button 0 pairs with its label, not with element 45
  expectPicture(paint(), {{cell(35), kHover}, {cell(25), kPressed}, {cell(4), kPressed}, {cell(9), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}}, "ten buttons");
}

TEST_F(PagePaint, AdvancedPageLevelsBarsAndFullSlider) {
  state_.page = MainPage::Advanced;
  state_.settings.dpiLevel = 2;
  state_.settings.dpiEnabled = {1, 0, 1, 0};
  state_.settings.dpiStep = {0, 0, 11, 0};  // last of 12 steps
  state_.settings.pointerSpeed = 5;
  state_.settings.wheelSpeed = 10;
  state_.settings.fireInterval = 150;
  Image got = paint();
  const Rect a20 = cell(40), a21 = cell(41), a22 = cell(42), a23 = cell(43);
  auto inset = [](Rect r) { return Rect{r.x + 2, r.y + 2, r.w - 5, r.h - 5}; };
  // The knob is checked below; leave its columns out of the comparison by copying them.
  Image cmp = got;
  for (int y = 70; y < 78; ++y)
    for (int x = 120; x < 124; ++x) cmp.set(x, y, kNormal);
  expectPicture(cmp, {{cell(37), kPressed},  // A17: selected level
                      {inset(a20), kLevelColors[0]}, {cell(30), kPressed}, {inset(a21), kLevelColors[1]},
                      {inset(a22), kLevelColors[2]}, {cell(32), kPressed}, {inset(a23), kLevelColors[3]},
                      {{0, 70, 120, 8}, kPressed},  // whole slider at the last step
                      {{0, 82, 50, 4}, kPressed}, {{0, 88, 100, 4}, kPressed}, {{0, 94, 45, 4}, kPressed},
                      {cell(4), kPressed}, {cell(10), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}},
                "advanced page");
  EXPECT_EQ(got.at(120, 70), rgb(255, 0, 0));  // knob at the end of the fill
  EXPECT_EQ(got.at(122, 75), kNormal);
}

TEST_F(PagePaint, SliderFillTruncatesAndTheKnobBlendsOverIt) {
  state_.page = MainPage::Advanced;
  struct Case {
    int model, steps, step;
    double sliderStep;
    int filled;
  };
  for (const Case& c : {Case{0, 12, 3, 10.0, 40}, Case{1, 17, 4, 120.0 / 17, 35}, Case{2, 5, 0, 24.0, 24},
                        Case{1, 17, 16, 120.0 / 17, 120}}) {
    state_.model = c.model;
    state_.stepCount = c.steps;
    layout_.sliderStep = c.sliderStep;
    state_.settings.dpiStep = {static_cast<std::uint8_t>(c.step), 0, 0, 0};
    Image got = paint();
    EXPECT_EQ(got.at(c.filled - 1, 74), kPressed) << c.model;
    EXPECT_EQ(got.at(c.filled, 74), rgb(255, 0, 0)) << c.model;
    if (c.filled + 3 < 120) {
      EXPECT_EQ(got.at(c.filled + 1, 74), rgb(5, 138, 15)) << c.model;   // half green over normal
      EXPECT_EQ(got.at(c.filled + 2, 74), kNormal) << c.model;           // transparent
      EXPECT_EQ(got.at(c.filled + 3, 74), rgb(71, 79, 86)) << c.model;   // quarter white
      EXPECT_EQ(got.at(c.filled + 4, 74), kNormal) << c.model;
    }
  }
}

TEST_F(PagePaint, AdvancedBarsAndSliderKeepHoverLookWhileHeld) {
  state_.page = MainPage::Advanced;
  state_.buttonDown = true;
  state_.settings.pointerSpeed = 0;
  state_.settings.wheelSpeed = 0;
  state_.settings.fireInterval = 0;
  state_.settings.dpiLevel = 3;
  state_.settings.dpiStep = {0, 0, 0, 0};  // fill 10 px
  for (int h : {1, 4, 7, kSliderElement}) {
    state_.hoverAdvanced = static_cast<std::uint8_t>(h);
    Image got = paint();
    const Rect r = layout_.advanced.rect(h);
    EXPECT_EQ(got.at(r.x + r.w - 1, r.y), kHover) << h;
  }
  state_.hoverAdvanced = 2;
  EXPECT_EQ(paint().at(cell(22).x, cell(22).y), kPressed);
}

TEST_F(PagePaint, MacroPageRecordAndModeElements) {
  state_.page = MainPage::Macro;
  state_.recording = true;
  state_.macroMode = 3;
  state_.hoverMacro = 4;
  expectPicture(paint(), {{cell(24), kHover}, {cell(22), kPressed}, {cell(25), kPressed}, {cell(26), kPressed},
                          {cell(4), kPressed}, {cell(11), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}}, "recording, both modes");
  state_.recording = false;
  state_.macroMode = 1;
  state_.hoverMacro = kNoHover;
  expectPicture(paint(), {{cell(26), kPressed}, {cell(4), kPressed}, {cell(11), kPressed}, {cell(19), kPressed}, {cell(60), kPressed}}, "counted repeat");
}

TEST_F(PagePaint, ColourPageModeAndPreviewSwatch) {
  state_.page = MainPage::Color;
  state_.settings.ledMode = 1;  // mode buttons are C1..C4: mode 1 lights C2
  struct Case {
    bool off;
    int state;
    Argb swatch;
  };
  for (const Case& c : {Case{true, 0, kGray}, Case{false, 0, kBlue}, Case{false, 1, kNormal}, Case{false, 2, kHover},
                        Case{false, 3, kPressed}}) {
    state_.ledPreviewOff = c.off;
    state_.ledPreviewState = c.state;
    expectPicture(paint(), {{cell(22), kPressed}, {cell(25), c.swatch}, {cell(4), kPressed}, {cell(12), kPressed},
                            {cell(19), kPressed}, {cell(60), kPressed}}, "swatch");
  }
}

TEST_F(PagePaint, EachLedModeLightsItsOwnButton) {
  state_.page = MainPage::Color;
  state_.ledPreviewState = 1;
  for (int mode = 0; mode < 4; ++mode) {
    state_.settings.ledMode = static_cast<std::uint8_t>(mode);
    expectPicture(paint(), {{cell(21 + mode), kPressed}, {cell(4), kPressed}, {cell(12), kPressed}, {cell(19), kPressed},
                            {cell(60), kPressed}}, "mode button");
  }
}

TEST_F(PagePaint, HeaderTextsCentreAndSmallSlotsAreMeasuredWithTheDefaultFont) {
  layout_.main.rects[1] = {0, 0, 40, 20};
  layout_.main.texts[1] = L"abcd";
  layout_.main.rects[5] = {0, 30, 40, 20};
  layout_.main.texts[5] = L"Two";
  layout_.main.rects[16] = {50, 30, 40, 20};
  layout_.main.texts[16] = L"Imp";
  paint();
  const PaintOp* t = textOp(L"abcd");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->font, FontId::Large);
  EXPECT_EQ(t->color, kTextColor);
  EXPECT_EQ(t->x, (40 - 12) / 2);
  EXPECT_EQ(t->y, (20 - 9) / 2);
  t = textOp(L"Two");  // measured 9 x 9 with the large font, drawn small
  ASSERT_TRUE(t);
  EXPECT_EQ(t->font, FontId::Small);
  EXPECT_EQ(t->x, (40 - 9) / 2);
  EXPECT_EQ(t->y, 30 + (20 - 9 + 100) / 2);
  t = textOp(L"Imp");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->y, 30 + (20 - 9 + 75) / 2);

  state_.language = UiLanguage::Second;  // default font medium
  paint();
  t = textOp(L"abcd");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->font, FontId::Medium);
  EXPECT_EQ(t->x, (40 - 8) / 2);
  EXPECT_EQ(textOp(L"Two")->y, 30 + (20 - 7 + 100) / 2);
}

TEST_F(PagePaint, ButtonLabelsShowFunctionOrMacroNamesAndLightWhenHovered) {
  layout_.functionNames[5] = L"Back";
  layout_.main.rects[27] = {0, 40, 60, 20};
  layout_.main.rects[31] = {0, 60, 60, 20};
  layout_.main.texts[31] = L"Caption";
  layout_.main.texts[25] = L"layout text of a label";
  state_.keyCount = 3;
  state_.settings.buttons[0] = 0;  // no name
  state_.settings.buttons[1] = 5;
  state_.settings.buttons[2] = 0x203;
  state_.macroName = [](int group, int index) { return L"G" + std::to_wstring(group) + L"M" + std::to_wstring(index); };
  layout_.main.rects[26] = {0, 0, 60, 20};
  state_.hoverMain = 27;
  paint();
  EXPECT_EQ(textOp(L"layout text of a label"), nullptr);
  const PaintOp* back = textOp(L"Back");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->color, kTextColor);
  EXPECT_EQ(back->x, (60 - 12) / 2 + 15);
  const PaintOp* macro = textOp(L"G2M3");
  ASSERT_TRUE(macro);
  EXPECT_EQ(macro->color, kHighlightColor);
  EXPECT_EQ(macro->x, (60 - 12) / 2 + 15);
  EXPECT_EQ(macro->y, 40 + (20 - 9) / 2);
  const PaintOp* caption = textOp(L"Caption");
  ASSERT_TRUE(caption);
  EXPECT_EQ(caption->x, (60 - 21) / 2 + 15);
}

TEST_F(PagePaint, AdvancedTextsShowValuesAndTheSelectedLevel) {
  state_.page = MainPage::Advanced;
  state_.model = 1;
  state_.settings.dpiLevel = 2;
  state_.settings.dpiStep = {0, 9, 10, 16};  // codes 1, 10, 12, 18
  state_.settings.pointerSpeed = 7;
  state_.settings.fireInterval = 120;
  state_.language = UiLanguage::Second;
  layout_.advanced.texts[0] = L"Speed";
  layout_.advanced.texts[9] = L"not drawn";
  paint();
  for (auto [text, element] : {std::pair{L"200", 25}, std::pair{L"2000", 26}, std::pair{L"2400", 27}, std::pair{L"7200", 28}}) {
    const PaintOp* t = textOp(text);
    ASSERT_TRUE(t) << element;
    EXPECT_EQ(t->font, FontId::Large);
    EXPECT_EQ(t->color, element == 27 ? kHighlightColor : kTextColor);
    const Rect r = layout_.advanced.rect(element);
    EXPECT_EQ(t->x, r.x + (r.w - t->extent.cx) / 2);
  }
  EXPECT_EQ(textOp(L"7")->font, FontId::Medium);
  EXPECT_EQ(textOp(L"7")->x, cell(22).x + (10 - 2) / 2);
  EXPECT_TRUE(textOp(L"120"));
  EXPECT_TRUE(textOp(L"Speed"));
  EXPECT_TRUE(textOp(L"0"));
  EXPECT_EQ(textOp(L"not drawn"), nullptr);
  for (auto [model, end] : {std::pair{0, L"4800"}, std::pair{1, L"7200"}, std::pair{2, L"3200"}}) {
    state_.model = model;
    state_.settings.dpiStep = {0, 0, 0, 0};
    paint();
    const PaintOp* t = textOp(end);
    ASSERT_TRUE(t) << model;
    EXPECT_EQ(t->y, cell(52).y + (8 - 7) / 2);
  }
}

TEST_F(PagePaint, MacroCaptionsFollowLanguageAndRecording) {
  state_.page = MainPage::Macro;
  layout_.macro.texts[2] = L"layout record";
  layout_.macro.texts[7] = L"Count";
  state_.hoverMacro = 7;
  struct Case {
    UiLanguage lang;
    bool recording;
    std::wstring record, insert;
  };
  for (const Case& c : {Case{UiLanguage::English, false, L"Record", L"Insert"}, Case{UiLanguage::English, true, L"Stop", L"Insert"},
                        Case{UiLanguage::Second, false, L"\u0417\u0430\u043F\u0438\u0441\u044C", L"\u0412\u0441\u0442\u0430\u0432\u0438\u0442\u044C"},
                        Case{UiLanguage::Second, true, L"\u0421\u0442\u043E\u043F", L"\u0412\u0441\u0442\u0430\u0432\u0438\u0442\u044C"}}) {
    state_.language = c.lang;
    state_.recording = c.recording;
    paint();
    EXPECT_TRUE(textOp(c.record));
    EXPECT_TRUE(textOp(c.insert));
    EXPECT_EQ(textOp(L"layout record"), nullptr);
    ASSERT_TRUE(textOp(L"Count"));
    EXPECT_EQ(textOp(L"Count")->color, kHighlightColor);
    EXPECT_EQ(textOp(c.record)->color, kTextColor);
  }
}

TEST_F(PagePaint, ColourTextsUseTheSmallFontAndHighlightTheNextCaption) {
  state_.page = MainPage::Color;
  state_.settings.ledMode = 2;
  const wchar_t* names[] = {L"Title", L"One", L"Two", L"Three", L"Four", L"Swatch"};
  for (int i = 0; i < 6; ++i) layout_.color.texts[static_cast<std::size_t>(i)] = names[i];
  paint();
  EXPECT_EQ(textOp(L"Title")->font, FontId::Large);
  EXPECT_EQ(textOp(L"Swatch")->font, FontId::Large);
  for (int i = 1; i <= 4; ++i) {
    const PaintOp* t = textOp(names[i]);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->font, FontId::Small);
    EXPECT_EQ(t->color, i - 1 == 2 ? kHighlightColor : kTextColor) << i;
  }
}

TEST(DpiValues, CodesToShownNumbers) {
  for (auto [code, dpi] : {std::pair{1, 200}, std::pair{10, 2000}, std::pair{12, 2400}, std::pair{13, 3200},
                           std::pair{14, 4000}, std::pair{15, 4800}, std::pair{16, 5600}, std::pair{17, 6400},
                           std::pair{18, 7200}})
    EXPECT_EQ(dpiValueOfCode(code), dpi) << code;
}

TEST(PagePaintSafety, GarbageStateAndOffWindowRectanglesStayInsideTheBuffer) {
  SkinLayout l = syntheticLayout();
  l.main.rects[4] = {-50, -50, 100, 100};
  l.advanced.rects[kSliderElement] = {130, 100, 500, 50};
  l.advanced.rects[1] = {0, 0, -20, 5};
  PaintState s;
  s.page = MainPage::Advanced;
  s.settings.dpiLevel = 77;
  s.settings.pointerSpeed = 255;
  s.settings.fireInterval = -5000;
  s.settings.dpiStep = {200, 200, 200, 200};
  s.hoverAdvanced = 200;
  FixedMeasurer m;
  PaintPlan plan = composePage(l, s, m);
  Image buffer(kWidth, kHeight, kNormal), other(kWidth, kHeight, kPressed);
  Image knob = knobPicture();
  executePlan(plan, buffer, PaintSources{&other, &other, &other, &other, &knob}, {});
  for (const PaintOp& op : plan.ops) {
    if (op.kind == PaintOp::Kind::Copy) {
      EXPECT_GE(op.rect.w, 0);
    }
  }
  EXPECT_EQ(buffer.at(0, 0), kPressed);  // the off-window profile element was clipped, not skipped
}

}  // namespace
}  // namespace pyxom::skin
