// Pictures of the skin through GDI+: decoding into memory pictures and GDI bitmaps of them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "skin/Image.h"

namespace pyxom::skin::win32 {

// GDI+ is started for the lifetime of this object (one per process, owned by the main window
// or a test).
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool ok() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

// Decodes a JPEG or PNG file (GDI+ tells them by content) at its own pixel size; PNG alpha is
// kept. None when the file is missing or unreadable.
std::optional<Image> LoadSkinPicture(const std::wstring& path);
inline std::optional<Image> LoadSkinPicture(const std::wstring& skinsFolder, const wchar_t* fileName) {
  return LoadSkinPicture(skinsFolder + fileName);
}

// Encodes a picture as PNG (with alpha). False on failure.
bool SavePng(const Image& image, const std::wstring& path);

// A 32-bit top-down DIB section holding a copy of `image`, selected into its own memory DC.
class PictureDc {
 public:
  PictureDc() = default;
  explicit PictureDc(const Image& image, HDC compatible = nullptr);
  ~PictureDc();
  PictureDc(const PictureDc&) = delete;
  PictureDc& operator=(const PictureDc&) = delete;
  PictureDc(PictureDc&& o) noexcept { *this = std::move(o); }
  PictureDc& operator=(PictureDc&& o) noexcept;

  HDC dc() const { return dc_; }
  int width() const { return w_; }
  int height() const { return h_; }
  explicit operator bool() const { return dc_ != nullptr; }
  // The pixels as they are now (0xAARRGGBB rows).
  Image read() const;

 private:
  void release();
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
  int w_ = 0, h_ = 0;
};

}  // namespace pyxom::skin::win32
