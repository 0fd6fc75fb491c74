#include "win32/wic_pictures.h"

#include <wincodec.h>

#include <cstdint>

#include "story/wide_text.h"

namespace velune {
namespace {

// Releases a COM interface when it goes.
template <typename T>
class Com {
 public:
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (p_ != nullptr) p_->Release();
  }
  T** operator&() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// A top-down 32-bit DIB of `size`, and where its pixels lie.
HBITMAP NewBitmap(SIZE size, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

void Forget(HBITMAP& bitmap) {
  if (bitmap != nullptr) DeleteObject(bitmap);
  bitmap = nullptr;
}

}  // namespace

WicPictures::WicPictures(HWND area) : area_(area) {
  CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                   reinterpret_cast<void**>(&factory_));
}

WicPictures::~WicPictures() {
  Forget(current_);
  Forget(drawing_);
  if (factory_ != nullptr) factory_->Release();
}

bool WicPictures::Load(const std::string& path) {
  if (factory_ == nullptr) return false;
  // Only a plain file on a disk: a device name (CON, NUL, COM1 …) or a pipe would never
  // end, or wait for ever.
  const HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  Com<IWICBitmapSource> pixels;
  UINT width = 0;
  UINT height = 0;
  const bool read =
      GetFileType(file) == FILE_TYPE_DISK &&
      SUCCEEDED(factory_->CreateDecoderFromFileHandle(reinterpret_cast<ULONG_PTR>(file), nullptr,
                                                      WICDecodeMetadataCacheOnLoad, &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&width, &height)) &&
      width > 0 && height > 0 &&
      // The pixels a few bytes can claim: refused before anything of their size is made.
      std::uint64_t{width} * height * 4 <= std::uint64_t{kLargestPictureMb} << 20 &&
      SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), &pixels));
  const SIZE size{static_cast<LONG>(width), static_cast<LONG>(height)};
  void* bits = nullptr;
  HBITMAP bitmap = read ? NewBitmap(size, &bits) : nullptr;
  if (bitmap != nullptr && FAILED(pixels->CopyPixels(nullptr, width * 4, width * height * 4,
                                                     static_cast<BYTE*>(bits)))) {
    Forget(bitmap);
  }
  CloseHandle(file);
  if (bitmap == nullptr) return false;  // the current picture stays
  Forget(current_);
  current_ = bitmap;
  current_size_ = size;
  return true;
}

void WicPictures::StretchToArea() {
  if (current_ == nullptr || area_ == nullptr) return;  // nothing to draw, or nowhere
  RECT inner;
  GetClientRect(area_, &inner);
  const SIZE size{inner.right, inner.bottom};
  if (size.cx <= 0 || size.cy <= 0) return;
  void* bits = nullptr;
  HBITMAP drawing = NewBitmap(size, &bits);
  if (drawing == nullptr) return;
  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HGDIOBJ old_from = SelectObject(from, current_);
  HGDIOBJ old_to = SelectObject(to, drawing);
  SetStretchBltMode(to, HALFTONE);
  SetBrushOrgEx(to, 0, 0, nullptr);
  StretchBlt(to, 0, 0, size.cx, size.cy, from, 0, 0, current_size_.cx, current_size_.cy, SRCCOPY);
  SelectObject(from, old_from);
  SelectObject(to, old_to);
  DeleteDC(from);
  DeleteDC(to);
  ReleaseDC(nullptr, screen);
  Forget(drawing_);
  drawing_ = drawing;
  drawing_size_ = size;
  InvalidateRect(area_, nullptr, FALSE);
}

void WicPictures::Paint(HDC dc) const {
  if (drawing_ == nullptr) return;
  HDC from = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(from, drawing_);
  BitBlt(dc, 0, 0, drawing_size_.cx, drawing_size_.cy, from, 0, 0, SRCCOPY);
  SelectObject(from, old);
  DeleteDC(from);
}

}  // namespace velune
