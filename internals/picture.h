// Picture decoding and drawing: picture properties hold the bytes of a picture file; units decode them into a
// picture object, make a display handle for a device context over a background colour, and draw it.
// Every failure yields no picture or no handle; callers then show none.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace quarrow {

enum class PictureKind : std::int32_t {
  kNone = 0,
  kJpeg = 1,
  kBmp = 2,
  kIcon = 3,
  kCursor = 4,
  kGif = 5,
  kPcx8 = 6,
  kPcx1 = 7,
  kPng = 8,
};

// A decoded picture, owned by whoever asked for it; destroying it destroys its icon.
struct Picture {
  PictureKind kind = PictureKind::kNone;
  std::int32_t width = 0;
  std::int32_t height = 0;
  HICON icon = nullptr;                // icons and cursors only
  std::vector<std::uint8_t> pixels;    // layout by kind
  ~Picture();
};

// What a picture becomes for one device context: the icon, or a bitmap owned by the handle.
class DisplayHandle {
 public:
  DisplayHandle() = default;
  DisplayHandle(const DisplayHandle&) = delete;
  DisplayHandle& operator=(const DisplayHandle&) = delete;
  DisplayHandle(DisplayHandle&& other) noexcept;
  DisplayHandle& operator=(DisplayHandle&& other) noexcept;
  ~DisplayHandle() { Release(); }

  explicit operator bool() const { return kind != PictureKind::kNone; }
  // Deletes the bitmap and clears the record.
  void Release();

  PictureKind kind = PictureKind::kNone;
  std::int32_t width = 0;
  std::int32_t height = 0;
  HDC dc = nullptr;
  HICON icon = nullptr;       // borrowed from the picture
  HBITMAP bitmap = nullptr;   // owned
};

PictureKind DetectPictureKind(const void* bytes, std::size_t count);
std::unique_ptr<Picture> DecodePicture(const void* bytes, std::ptrdiff_t length);
std::unique_ptr<Picture> DecodePictureFile(const char* path);
bool MakeDisplayHandle(const Picture& picture, HDC dc, COLORREF background, DisplayHandle* handle);
// Width or height -1: the picture's own size. A negative raster operation draws with the colour key -rop.
void DrawPicture(const DisplayHandle& handle, HDC target, int x, int y, int width, int height, std::int64_t rop);
inline void ReleaseDisplayHandle(DisplayHandle* handle) { handle->Release(); }
// A cursor from the bytes of a CUR file, or null.
HCURSOR CursorFromBytes(const void* bytes, std::size_t length);
// A bitmap of the picture over the background (icons drawn on white), or null; the caller owns it.
HBITMAP PictureBytesToBitmap(const void* bytes, std::size_t length, COLORREF background = 0xFFFFFF);

}  // namespace quarrow
