#include "settings/MouseSettings.h"

#include <algorithm>

#include "settings/Decimal.h"

namespace pyxom::settings {
namespace {

using platform::PrivateProfile;

const wchar_t* dpiStepKey(int model) {
  switch (model) {
    case 0: return L"DPI_E_SET";
    case 1: return L"DPI_F_SET";
    case 2: return L"DPI_C_SET";
    default: return nullptr;
  }
}

std::wstring numbered(const wchar_t* prefix, int n) { return prefix + intToDecimal(n); }

std::wstring read(PrivateProfile& ini, const std::wstring& path, const std::wstring& section,
                  const std::wstring& key, std::size_t size) {
  return ini.readString(path, section, key, size + 1);
}

void write(PrivateProfile& ini, const std::wstring& path, const std::wstring& section,
           const std::wstring& key, std::int64_t value) {
  ini.writeString(path, section, key, intToDecimal(value));
}

int limitKeys(int keyCount) { return std::clamp(keyCount, 0, kMaxKeys); }

}  // namespace

int dpiStepCount(int model) {
  switch (model) {
    case 0: return 12;
    case 1: return 17;
    case 2: return 5;
    default: return 0;
  }
}

std::wstring profileSection(int profile) { return numbered(L"Config", profile); }

std::wstring factorySection(int profile, std::uint8_t storedLanguageValue) {
  if (profile == 5 && storedLanguageValue == 1) return L"CfgReset_EN5";
  return numbered(L"CfgReset", profile);
}

ButtonLayout readLayout(PrivateProfile& ini, const std::wstring& path) {
  ButtonLayout l;
  l.productNameSecond = read(ini, path, L"PRODUCTNAME", L"PRODUCTNAME_CN", kProductNameReadSize);
  l.productNameEnglish = read(ini, path, L"PRODUCTNAME", L"PRODUCTNAME_EN", kProductNameReadSize);
  l.storedKeyNum = decimalToInt(read(ini, path, L"KEYNUM", L"KeyNum", kLayoutReadSize));
  // The arrays hold kMaxKeys buttons: a larger KeyNum keeps the first kMaxKeys.
  l.keyCount = limitKeys(l.storedKeyNum);
  for (int n = 1; n <= l.keyCount; ++n) {
    const std::wstring k = numbered(L"K", n);
    l.deviceKeyIndex[n - 1] = decimalToByte(read(ini, path, L"KEYMAP", k + L"_MAP", kLayoutReadSize));
    l.factoryFunction[n - 1] =
        decimalToByte(read(ini, path, L"KEY_UIFC", k + L"_INIT_VAL", kLayoutReadSize));
  }
  return l;
}

CurrentProfile readCurrentProfile(PrivateProfile& ini, const std::wstring& path) {
  CurrentProfile p;
  p.text = read(ini, path, L"Init", L"CurConfig", kInitReadSize);
  p.number = decimalToInt(p.text);
  p.section = L"Config" + p.text;
  return p;
}

std::uint8_t readStoredLanguage(PrivateProfile& ini, const std::wstring& path) {
  return decimalToByte(read(ini, path, L"Init", L"VER_SEL", kInitReadSize));
}

bool writeStoredLanguage(PrivateProfile& ini, const std::wstring& path, UiLanguage language) {
  return ini.writeString(path, L"Init", L"VER_SEL", intToDecimal(storedValueOf(language)));
}

bool writeCurrentProfile(PrivateProfile& ini, const std::wstring& path, int profile) {
  return ini.writeString(path, L"Init", L"CurConfig", intToDecimal(profile));
}

void loadSettings(PrivateProfile& ini, const std::wstring& path, int profile, bool factory,
                  int keyCount, int model, std::uint8_t storedLanguageValue, MouseSettings& s) {
  const std::wstring section =
      factory ? factorySection(profile, storedLanguageValue) : profileSection(profile);
  auto value = [&](const std::wstring& key, std::size_t size = kValueReadSize) {
    return read(ini, path, section, key, size);
  };
  keyCount = limitKeys(keyCount);
  for (int i = 0; i < keyCount; ++i) s.buttons[i] = decimalToInt(value(numbered(L"K", i)));
  value(L"WHEEL_STATUS");
  s.wheelStatus = 0;
  s.macroMode = decimalToInt(value(L"MACRO_MODE2"));
  // The level and the steps index tables: out-of-range values fall back to safe ones.
  const std::int32_t level = decimalToInt(value(L"DPI_LEVEL"));
  s.dpiLevel = level >= 0 && level < kDpiLevels ? level : 0;
  const wchar_t* stepKey = dpiStepKey(model);
  for (int j = 0; j < kDpiLevels; ++j) {
    if (stepKey) {
      const std::uint8_t step = decimalToByte(value(numbered(stepKey, j), kDpiReadSize));
      s.dpiStep[j] = static_cast<std::uint8_t>(std::min<int>(step, dpiStepCount(model) - 1));
    }
    s.dpiEnabled[j] = decimalToInt(value(numbered(L"DPI_SET_EN", j), kDpiReadSize)) != 0 ? 1 : 0;
  }
  s.ledMode = decimalToByte(value(L"LED_STATUS"));
  s.pointerSpeed = decimalToByte(value(L"DPI_SPEED"));
  s.wheelSpeed = decimalToByte(value(L"WHEEL_SPEED"));
  s.reportRate = decimalToByte(value(L"USB_SPEED"));
  const std::int32_t fire = decimalToInt(value(L"FIRE_TIME"));
  s.fireInterval = static_cast<std::uint32_t>(fire) <= 8u ? 8 : fire;
}

void saveSettings(PrivateProfile& ini, const std::wstring& path, int profile, int keyCount,
                  int model, const MouseSettings& s) {
  const std::wstring section = profileSection(profile);
  auto put = [&](const std::wstring& key, std::int64_t v) { write(ini, path, section, key, v); };
  keyCount = limitKeys(keyCount);
  for (int i = 0; i < keyCount; ++i) put(numbered(L"K", i), s.buttons[i]);
  put(L"DPI_LEVEL", s.dpiLevel);
  put(L"WHEEL_STATUS", 0);
  put(L"MACRO_MODE2", s.macroMode);
  const wchar_t* stepKey = dpiStepKey(model);
  for (int j = 0; j < kDpiLevels; ++j) {
    if (stepKey) put(numbered(stepKey, j), s.dpiStep[j]);
    put(numbered(L"DPI_SET_EN", j), s.dpiEnabled[j] != 0 ? 1 : 0);
  }
  put(L"LED_STATUS", s.ledMode);
  put(L"DPI_SPEED", s.pointerSpeed);
  put(L"WHEEL_SPEED", s.wheelSpeed);
  put(L"USB_SPEED", s.reportRate);
  put(L"FIRE_TIME", s.fireInterval);
}

void saveDpiLevel(PrivateProfile& ini, const std::wstring& path, int profile,
                  const MouseSettings& s) {
  write(ini, path, profileSection(profile), L"DPI_LEVEL", s.dpiLevel);
}

void saveReportRate(PrivateProfile& ini, const std::wstring& path, int profile,
                    const MouseSettings& s) {
  write(ini, path, profileSection(profile), L"USB_SPEED", s.reportRate);
}

void saveButtons(PrivateProfile& ini, const std::wstring& path, int profile, int keyCount,
                 const MouseSettings& s) {
  const std::wstring section = profileSection(profile);
  keyCount = limitKeys(keyCount);
  for (int i = 0; i < keyCount; ++i) write(ini, path, section, numbered(L"K", i), s.buttons[i]);
  writeCurrentProfile(ini, path, profile);
}

void applyFactoryValues(MouseSettings& s, const ButtonLayout& layout, int model) {
  for (int i = 0; i < kMaxKeys; ++i) s.buttons[i] = i < layout.keyCount ? layout.factoryFunction[i] : 0;
  s.dpiLevel = 0;
  static constexpr std::uint8_t kSteps[3][kDpiLevels] = {{3, 5, 6, 8}, {5, 10, 13, 16}, {0, 1, 2, 4}};
  if (model >= 0 && model <= 2) {
    for (int j = 0; j < kDpiLevels; ++j) s.dpiStep[j] = kSteps[model][j];
  }
  for (auto& e : s.dpiEnabled) e = 1;
  s.ledMode = 0;
  s.pointerSpeed = 5;
  s.wheelSpeed = 2;
  s.reportRate = 2;
  s.fireInterval = 50;
  s.wheelStatus = 0;
}

}  // namespace pyxom::settings
