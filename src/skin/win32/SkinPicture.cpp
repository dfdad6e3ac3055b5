#include "skin/win32/SkinPicture.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <vector>

namespace pyxom::skin::win32 {

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

std::optional<Image> LoadSkinPicture(const std::wstring& path) {
  Gdiplus::Bitmap* bmp = Gdiplus::Bitmap::FromFile(path.c_str(), FALSE);
  if (!bmp) return std::nullopt;
  std::optional<Image> out;
  const int w = static_cast<int>(bmp->GetWidth()), h = static_cast<int>(bmp->GetHeight());
  if (bmp->GetLastStatus() == Gdiplus::Ok && w > 0 && h > 0) {
    Gdiplus::Rect all(0, 0, w, h);
    Gdiplus::BitmapData data{};
    if (bmp->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) == Gdiplus::Ok) {
      Image img(w, h);
      for (int y = 0; y < h; ++y) {
        std::memcpy(img.row(y), static_cast<const std::uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride,
                    static_cast<std::size_t>(w) * 4);
      }
      bmp->UnlockBits(&data);
      out = std::move(img);
    }
  }
  delete bmp;
  return out;
}

namespace {
bool pngEncoder(CLSID& clsid) {
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<std::uint8_t> buf(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buf.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && std::wcscmp(codecs[i].MimeType, L"image/png") == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}
}  // namespace

bool SavePng(const Image& image, const std::wstring& path) {
  if (image.empty()) return false;
  CLSID png;
  if (!pngEncoder(png)) return false;
  Image copy = image;
  Gdiplus::Bitmap bmp(image.width(), image.height(), image.width() * 4, PixelFormat32bppARGB,
                      reinterpret_cast<BYTE*>(copy.pixels().data()));
  return bmp.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

PictureDc::PictureDc(const Image& image, HDC compatible) {
  if (image.empty()) return;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = image.width();
  bi.bmiHeader.biHeight = -image.height();  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  bitmap_ = CreateDIBSection(compatible, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
  if (!bitmap_ || !bits_) {
    release();
    return;
  }
  std::memcpy(bits_, image.pixels().data(), image.pixels().size() * sizeof(Argb));
  dc_ = CreateCompatibleDC(compatible);
  if (!dc_) {
    release();
    return;
  }
  old_ = SelectObject(dc_, bitmap_);
  w_ = image.width();
  h_ = image.height();
}

PictureDc& PictureDc::operator=(PictureDc&& o) noexcept {
  if (this != &o) {
    release();
    dc_ = o.dc_;
    bitmap_ = o.bitmap_;
    old_ = o.old_;
    bits_ = o.bits_;
    w_ = o.w_;
    h_ = o.h_;
    o.dc_ = nullptr;
    o.bitmap_ = nullptr;
    o.old_ = nullptr;
    o.bits_ = nullptr;
    o.w_ = o.h_ = 0;
  }
  return *this;
}

PictureDc::~PictureDc() { release(); }

void PictureDc::release() {
  if (dc_) {
    if (old_) SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  old_ = nullptr;
  bits_ = nullptr;
  w_ = h_ = 0;
}

Image PictureDc::read() const {
  Image img(w_, h_);
  if (bits_) {
    GdiFlush();
    std::memcpy(img.pixels().data(), bits_, img.pixels().size() * sizeof(Argb));
  }
  return img;
}

}  // namespace pyxom::skin::win32
