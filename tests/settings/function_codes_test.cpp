#include "settings/FunctionCodes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pyxom::settings {
namespace {

using K = HostActionKind;
constexpr int kNoValue = -1;

struct CodeCase {
  ButtonFunction code;
  int value01;
  K host01;
  std::uint16_t hostValue01;
  int value2;
  K host2;
  std::uint16_t hostValue2;
  const wchar_t* text2;  // program or shell folder of model 2's action, if any
};

int valueOf(ButtonFunction code, int model) {
  auto v = deviceValue(code, model);
  return v ? *v : kNoValue;
}

// Every listed code, both columns. Unlisted codes are covered by the next test.
const CodeCase kCodes[] = {
    {0, 0, K::None, 0, 0, K::None, 0, nullptr},
    {1, 1, K::None, 0, 1, K::None, 0, nullptr},
    {2, 2, K::None, 0, 2, K::None, 0, nullptr},
    {3, 3, K::None, 0, 3, K::None, 0, nullptr},
    {4, 4, K::None, 0, 4, K::None, 0, nullptr},
    {5, 5, K::None, 0, 5, K::None, 0, nullptr},
    {6, 6, K::DpiFromReport, 0, 31, K::DpiCycle, 0, nullptr},
    {10, 0, K::None, 0, kNoValue, K::None, 0, nullptr},
    {11, 7, K::None, 0, 7, K::None, 0, nullptr},
    {12, 8, K::None, 0, 31, K::DoubleClick, 0, nullptr},
    {13, 9, K::None, 0, 9, K::None, 0, nullptr},
    {14, 10, K::ReportRateCycle, 0, kNoValue, K::None, 0, nullptr},
    {15, 11, K::DpiFromReport, 0, 31, K::DpiUp, 0, nullptr},
    {16, 12, K::DpiFromReport, 0, 31, K::DpiDown, 0, nullptr},
    {19, 0, K::None, 0, 31, K::None, 0, nullptr},
    {21, 0, K::ConsumerKey, 0x223, 10, K::None, 0, nullptr},
    {22, 0, K::ConsumerKey, 0x183, 11, K::None, 0, nullptr},
    {23, 0, K::ConsumerKey, 0x18A, 12, K::None, 0, nullptr},
    {24, 0, K::ConsumerKey, 0xE9, 13, K::None, 0, nullptr},
    {25, 0, K::ConsumerKey, 0xEA, 14, K::None, 0, nullptr},
    {26, 0, K::ConsumerKey, 0xB6, 17, K::None, 0, nullptr},
    {27, 0, K::ConsumerKey, 0xB5, 16, K::None, 0, nullptr},
    {28, 0, K::ConsumerKey, 0xE2, 31, K::VirtualKey, 0xAD, nullptr},
    {29, 0, K::ConsumerKey, 0xCD, 15, K::None, 0, nullptr},
    {30, 0, K::ConsumerKey, 0x192, 31, K::RunProgram, 0, L"calc.exe"},
    {31, 0, K::BuiltInMacro, 0, 31, K::CtrlShortcut, 'C', nullptr},
    {32, 0, K::BuiltInMacro, 1, 31, K::CtrlShortcut, 'V', nullptr},
    {33, 0, K::BuiltInMacro, 2, 31, K::CtrlShortcut, 'A', nullptr},
    {34, 0, K::BuiltInMacro, 3, 31, K::CtrlShortcut, 'Z', nullptr},
    {35, 0, K::BuiltInMacro, 4, 31, K::CtrlShortcut, 'F', nullptr},
    {36, 0, K::BuiltInMacro, 5, 31, K::AltF4, 0, nullptr},
    {37, 0, K::BuiltInMacro, 6, 31, K::OpenShellFolder, 0,
     L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
    {38, 0, K::BuiltInMacro, 7, 31, K::LockWorkstation, 0, nullptr},
    {39, 0, K::None, 0, 31, K::None, 0, nullptr},
    {40, 0, K::RunProgram, 0, 31, K::RunProgram, 0, L"cmd.exe"},
    // Macros: 256 * group + index.
    {256, 0, K::ButtonMacro, 0, 31, K::GroupMacro, 0, nullptr},
    {256 * 12 + 11, 0, K::ButtonMacro, 0, 31, K::GroupMacro, 0, nullptr},
    {256 + 12, 0, K::ButtonMacro, 0, kNoValue, K::GroupMacro, 0, nullptr},
    {511, 0, K::ButtonMacro, 0, kNoValue, K::GroupMacro, 0, nullptr},
};

TEST(FunctionCodes, DeviceValueAndHostActionPerModel) {
  for (const auto& c : kCodes) {
    SCOPED_TRACE("code " + std::to_string(c.code));
    for (int model : {0, 1}) {
      EXPECT_EQ(valueOf(c.code, model), c.value01) << "model " << model;
      HostAction a = hostAction(c.code, model);
      EXPECT_EQ(a.kind, c.host01) << "model " << model;
      EXPECT_EQ(a.value, c.hostValue01) << "model " << model;
    }
    EXPECT_EQ(valueOf(c.code, 2), c.value2);
    HostAction a = hostAction(c.code, 2);
    EXPECT_EQ(a.kind, c.host2);
    EXPECT_EQ(a.value, c.hostValue2);
    if (c.text2) {
      ASSERT_NE(a.text, nullptr);
      EXPECT_EQ(std::wstring(a.text), c.text2);
    }
  }
  EXPECT_EQ(std::wstring(hostAction(40, 0).text), L"cmd.exe");
}

// Codes 7 to 255 that the table does not list: value 0 and no action on models 0 and 1, and
// no button report on model 2. Negative codes (only an edited file holds one) behave alike.
TEST(FunctionCodes, UnlistedAndNegativeCodesHaveNoFunction) {
  for (ButtonFunction code : {7, 8, 9, 17, 18, 20, 41, 100, 200, 255, -1, -256, INT32_MIN}) {
    SCOPED_TRACE("code " + std::to_string(code));
    EXPECT_EQ(valueOf(code, 0), 0);
    EXPECT_EQ(valueOf(code, 1), 0);
    EXPECT_EQ(valueOf(code, 2), kNoValue);
    EXPECT_EQ(hostAction(code, 0).kind, K::None);
    EXPECT_EQ(hostAction(code, 2).kind, K::None);
  }
}

TEST(FunctionCodes, MacroCodeParts) {
  struct {
    ButtonFunction code;
    bool macro;
    int group0, index;
  } cases[] = {
      {255, false, 0, 0},   {256, true, 0, 0},       {257, true, 0, 1},
      {511, true, 0, 255},  {3 * 256 + 11, true, 2, 11}, {12 * 256, true, 11, 0},
      {INT32_MAX, true, INT32_MAX / 256 - 1, 255},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("code " + std::to_string(c.code));
    EXPECT_EQ(isMacroCode(c.code), c.macro);
    if (!c.macro) continue;
    EXPECT_EQ(macroGroup(c.code), c.group0);
    EXPECT_EQ(macroIndex(c.code), c.index);
  }
  EXPECT_EQ(macroCode(1, 0), 256);
  EXPECT_EQ(macroCode(12, 11), 3083);
}

}  // namespace
}  // namespace pyxom::settings
