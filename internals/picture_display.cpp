// Display handles: what each kind of picture becomes for a device context.
#include <cstring>
#include <utility>
#include <vector>

#include "internals/alpha_blend.h"
#include "internals/picture.h"

namespace quarrow {

namespace {

// A device-independent bitmap whose bits the caller fills; null when it cannot be made.
HBITMAP MakeSection(HDC dc, const BITMAPINFO* info, void** bits) {
  *bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(dc, info, DIB_RGB_COLORS, bits, nullptr, 0);
  if (bitmap != nullptr && *bits == nullptr) {
    ::DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

BITMAPINFOHEADER TrueColourHeader(std::int32_t width, std::int32_t height, WORD bits) {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = bits;
  h.biCompression = BI_RGB;
  return h;
}

// JPEG and BMP: 24-bit rows bottom-up, padded to a multiple of 4 bytes.
HBITMAP MakeTrueColour(const Picture& p, HDC dc) {
  const std::size_t row = static_cast<std::size_t>(p.width) * 3;
  if (p.pixels.size() < row * static_cast<std::size_t>(p.height)) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader = TrueColourHeader(p.width, p.height, 24);
  void* bits;
  HBITMAP bitmap = MakeSection(dc, &info, &bits);
  if (bitmap == nullptr) return nullptr;
  const std::size_t stride = (row + 3) & ~std::size_t{3};
  for (std::int32_t y = 0; y < p.height; ++y) {
    std::memcpy(static_cast<std::uint8_t*>(bits) + stride * y, p.pixels.data() + row * y, row);
  }
  return bitmap;
}

// GIF and 8-bit PCX: the picture's own header, colour table and rows.
HBITMAP MakeIndexed(const Picture& p, HDC dc, COLORREF background) {
  const std::size_t image = IndexedStride(p.width) * static_cast<std::size_t>(p.height);
  if (p.pixels.size() < kIndexedHeaderSize + image) return nullptr;
  PicturePixels header;
  header.kind = p.kind;
  header.control = p.control;
  header.pixels.assign(p.pixels.begin(), p.pixels.begin() + kIndexedHeaderSize);
  ShowTransparentIndexAs(header, background);
  void* bits;
  HBITMAP bitmap = MakeSection(dc, reinterpret_cast<const BITMAPINFO*>(header.pixels.data()), &bits);
  if (bitmap == nullptr) return nullptr;
  std::memcpy(bits, p.pixels.data() + kIndexedHeaderSize, image);
  return bitmap;
}

// 1-bit PCX: a monochrome bitmap, rows padded to an even number of bytes.
HBITMAP MakeMonochrome(const Picture& p) {
  if (p.pixels.size() < MonochromeStride(p.width) * static_cast<std::size_t>(p.height)) return nullptr;
  return ::CreateBitmap(p.width, p.height, 1, 1, p.pixels.data());
}

// PNG: composed over the background, 32-bit rows top-down.
HBITMAP MakeComposed(const Picture& p, HDC dc, COLORREF background) {
  const std::size_t size = static_cast<std::size_t>(p.width) * 4 * static_cast<std::size_t>(p.height);
  if (p.pixels.size() < size) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader = TrueColourHeader(p.width, -p.height, 32);
  void* bits;
  HBITMAP bitmap = MakeSection(dc, &info, &bits);
  if (bitmap == nullptr) return nullptr;
  std::memcpy(bits, p.pixels.data(), size);
  ComposeOverBackground({static_cast<std::uint8_t*>(bits), size}, background);
  return bitmap;
}

}  // namespace

DisplayHandle::DisplayHandle(DisplayHandle&& other) noexcept { *this = std::move(other); }

DisplayHandle& DisplayHandle::operator=(DisplayHandle&& other) noexcept {
  if (this != &other) {
    Release();
    kind = std::exchange(other.kind, PictureKind::kNone);
    width = std::exchange(other.width, 0);
    height = std::exchange(other.height, 0);
    dc = std::exchange(other.dc, nullptr);
    icon = std::exchange(other.icon, nullptr);
    bitmap = std::exchange(other.bitmap, nullptr);
  }
  return *this;
}

void DisplayHandle::Release() {
  if (bitmap != nullptr) ::DeleteObject(bitmap);
  kind = PictureKind::kNone;
  width = height = 0;
  dc = nullptr;
  icon = nullptr;
  bitmap = nullptr;
}

HBITMAP DisplayHandle::DetachBitmap() {
  HBITMAP b = std::exchange(bitmap, nullptr);
  Release();
  return b;
}

bool MakeDisplayHandle(const Picture& picture, HDC dc, COLORREF background, DisplayHandle* handle) {
  if (handle == nullptr) return false;
  handle->Release();
  if (!PictureSizeAllowed(picture.width, picture.height)) return false;
  // The system button face, as colour properties write it.
  if ((background & 0xFF000000) != 0) background = ::GetSysColor(COLOR_BTNFACE);

  HBITMAP bitmap = nullptr;
  switch (picture.kind) {
    case PictureKind::kIcon:
    case PictureKind::kCursor:
      if (picture.icon == nullptr) return false;
      break;
    case PictureKind::kJpeg:
    case PictureKind::kBmp: bitmap = MakeTrueColour(picture, dc); break;
    case PictureKind::kGif:
    case PictureKind::kPcx8: bitmap = MakeIndexed(picture, dc, background); break;
    case PictureKind::kPcx1: bitmap = MakeMonochrome(picture); break;
    case PictureKind::kPng: bitmap = MakeComposed(picture, dc, background); break;
    case PictureKind::kNone: return false;
  }
  const bool is_icon = picture.kind == PictureKind::kIcon || picture.kind == PictureKind::kCursor;
  if (!is_icon && bitmap == nullptr) return false;
  handle->kind = picture.kind;
  handle->width = picture.width;
  handle->height = picture.height;
  handle->dc = dc;
  handle->icon = is_icon ? picture.icon : nullptr;
  handle->bitmap = bitmap;
  return true;
}

}  // namespace quarrow
