// MouseSettings (the current profile in memory), the button layout of config.ini and the
// functions that move them between memory and config.ini.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/PrivateProfile.h"
#include "settings/FunctionCodes.h"
#include "settings/UiLanguage.h"

namespace pyxom::settings {

inline constexpr int kMaxKeys = 10;
inline constexpr int kDpiLevels = 4;

// A field that the user-interface thread and the action threads share without a lock. Each
// access is one relaxed atomic load or store, so it reads and assigns like the plain value.
template <typename T>
class Shared {
 public:
  constexpr Shared() noexcept : v_(T{}) {}
  constexpr Shared(T v) noexcept : v_(v) {}  // NOLINT: implicit on purpose
  Shared(const Shared& o) noexcept : v_(o.get()) {}
  Shared& operator=(const Shared& o) noexcept {
    set(o.get());
    return *this;
  }
  Shared& operator=(T v) noexcept {
    set(v);
    return *this;
  }
  operator T() const noexcept { return get(); }  // NOLINT: implicit on purpose
  T get() const noexcept { return v_.load(std::memory_order_relaxed); }
  void set(T v) noexcept { v_.store(v, std::memory_order_relaxed); }

 private:
  std::atomic<T> v_;
};

struct MouseSettings {
  std::array<Shared<ButtonFunction>, kMaxKeys> buttons{};  // "K0" .. "K<KeyNum-1>"
  Shared<std::int32_t> dpiLevel;                           // "DPI_LEVEL", 0..3
  std::array<Shared<std::uint8_t>, kDpiLevels> dpiStep{};  // model's DPI step key + level
  std::array<Shared<std::uint8_t>, kDpiLevels> dpiEnabled{};  // "DPI_SET_EN" + level, 0 or 1
  Shared<std::uint8_t> ledMode;       // "LED_STATUS", 0..3
  Shared<std::uint8_t> pointerSpeed;  // "DPI_SPEED"
  Shared<std::uint8_t> wheelSpeed;    // "WHEEL_SPEED": scroll lines - 1
  Shared<std::uint8_t> reportRate;    // "USB_SPEED", 0..3
  Shared<std::int32_t> fireInterval;  // "FIRE_TIME", never 8 or less (unsigned) after loading
  Shared<std::int32_t> macroMode;     // "MACRO_MODE2": 0 = second press stops, else release
  Shared<std::int32_t> wheelStatus;   // always 0 in memory; "WHEEL_STATUS" is written "0"
};

// Layout data of config.ini, read once at start-up (not part of a profile).
struct ButtonLayout {
  int keyCount = 0;  // KeyNum, limited to 0..kMaxKeys (see readLayout)
  std::array<std::uint8_t, kMaxKeys> deviceKeyIndex{};   // "KEYMAP" "K<n>_MAP"
  std::array<std::uint8_t, kMaxKeys> factoryFunction{};  // "KEY_UIFC" "K<n>_INIT_VAL"
  std::wstring productNameSecond;   // "PRODUCTNAME" "PRODUCTNAME_CN", at most 34 characters
  std::wstring productNameEnglish;  // "PRODUCTNAME" "PRODUCTNAME_EN", at most 34 characters
  std::int32_t storedKeyNum = 0;    // KeyNum as stored, before the limit
};

// The current profile of section Init, key CurConfig (at most 4 characters).
struct CurrentProfile {
  std::wstring text;     // empty when missing
  int number = 0;        // decimal value of text, 0 when empty or not a number
  std::wstring section;  // "Config" + text ("Config" when text is empty)
};

// Read sizes in characters (the value is cut to this length).
inline constexpr std::size_t kLayoutReadSize = 14;
inline constexpr std::size_t kProductNameReadSize = 34;
inline constexpr std::size_t kInitReadSize = 4;
inline constexpr std::size_t kValueReadSize = 4;
inline constexpr std::size_t kDpiReadSize = 9;

// Reads the product names (second language first, then English), then KeyNum, then for
// n = 1..KeyNum the device key index and the factory function of button n - 1. A KeyNum above
// kMaxKeys is truncated to kMaxKeys (the extra buttons are neither read nor stored); a negative
// KeyNum gives 0.
ButtonLayout readLayout(platform::PrivateProfile& ini, const std::wstring& path);

CurrentProfile readCurrentProfile(platform::PrivateProfile& ini, const std::wstring& path);
// VER_SEL (at most 4 characters), low 8 bits; 0 when missing or not a number.
std::uint8_t readStoredLanguage(platform::PrivateProfile& ini, const std::wstring& path);
// Writes VER_SEL "1" (English) or "0" to section Init.
bool writeStoredLanguage(platform::PrivateProfile& ini, const std::wstring& path,
                         UiLanguage language);
// Writes CurConfig = profile to section Init.
bool writeCurrentProfile(platform::PrivateProfile& ini, const std::wstring& path, int profile);

// Number of DPI steps of the model's DPI code table (12, 17, 5; 0 for an unknown model).
int dpiStepCount(int model);

// "Config" + profile, "CfgReset" + profile; no padding.
std::wstring profileSection(int profile);
std::wstring factorySection(int profile, std::uint8_t storedLanguageValue);

// Fills `s` from "Config" + profile, or with factory true from "CfgReset" + profile
// ("CfgReset_EN5" for profile 5 when storedLanguageValue is exactly 1). keyCount buttons are
// read; only the DPI step keys of `model` are read (none for a model other than 0, 1, 2).
// A DPI level outside 0..3 loads as 0 and a DPI step beyond the model's table as its last
// step, so that neither can index past a table.
void loadSettings(platform::PrivateProfile& ini, const std::wstring& path, int profile,
                  bool factory, int keyCount, int model, std::uint8_t storedLanguageValue,
                  MouseSettings& s);

// Writes every field to "Config" + profile, in the stored order.
void saveSettings(platform::PrivateProfile& ini, const std::wstring& path, int profile,
                  int keyCount, int model, const MouseSettings& s);
// Only "DPI_LEVEL" (action threads).
void saveDpiLevel(platform::PrivateProfile& ini, const std::wstring& path, int profile,
                  const MouseSettings& s);
// Only "USB_SPEED" (action threads).
void saveReportRate(platform::PrivateProfile& ini, const std::wstring& path, int profile,
                    const MouseSettings& s);
// The "K" keys, then CurConfig = profile in section Init.
void saveButtons(platform::PrivateProfile& ini, const std::wstring& path, int profile,
                 int keyCount, const MouseSettings& s);

// Built-in factory values of profile 1: button functions from the layout's factory functions,
// DPI level 0, the model's default DPI steps, all levels enabled, LED 0, pointer speed 5,
// wheel speed 2, report rate 2, fire interval 50. The macro trigger mode is left as it is.
void applyFactoryValues(MouseSettings& s, const ButtonLayout& layout, int model);

}  // namespace pyxom::settings
