// Picture decoding and drawing: picture properties hold the bytes of a picture file; units decode them into a
// picture object, make a display handle for a device context over a background colour, and draw it.
// Every failure yields no picture or no handle; callers then show none.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "internals/picture_kind.h"
#include "internals/picture_pixels.h"

namespace quarrow {

// A decoded picture, owned by whoever asked for it; destroying it destroys its icon.
struct Picture {
  PictureKind kind = PictureKind::kNone;
  std::int32_t width = 0;
  std::int32_t height = 0;
  HICON icon = nullptr;                // icons and cursors only
  std::vector<std::uint8_t> pixels;    // layout by kind (internals/picture_pixels.h)
  GraphicControl control;              // GIF only: the first image's graphic control, when it has one

  Picture() = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
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
  // Hands the bitmap to the caller, who then deletes it; the record is cleared.
  HBITMAP DetachBitmap();

  PictureKind kind = PictureKind::kNone;
  std::int32_t width = 0;
  std::int32_t height = 0;
  HDC dc = nullptr;
  HICON icon = nullptr;       // borrowed from the picture
  HBITMAP bitmap = nullptr;   // owned
};

// DetectPictureKind (first bytes, count) is declared in internals/picture_kind.h.
std::unique_ptr<Picture> DecodePicture(const void* bytes, std::ptrdiff_t length);
// The file is read whole, with other writers kept out while it is read.
std::unique_ptr<Picture> DecodePictureFile(const char* path);
// Any handle the record held is released first. PNG pixels are composed over the background; a GIF's
// transparent index shows the background.
bool MakeDisplayHandle(const Picture& picture, HDC dc, COLORREF background, DisplayHandle* handle);
// Width or height -1: the picture's own size. A negative raster operation draws with the colour key -rop.
void DrawPicture(const DisplayHandle& handle, HDC target, int x, int y, int width, int height, std::int64_t rop);
inline void ReleaseDisplayHandle(DisplayHandle* handle) { handle->Release(); }
// A cursor from the bytes of a CUR file, or null; the caller destroys it.
HCURSOR CursorFromBytes(const void* bytes, std::size_t length);
// A bitmap of the picture over the background (icons drawn on white), or null; the caller owns it.
HBITMAP PictureBytesToBitmap(const void* bytes, std::size_t length, COLORREF background = 0xFFFFFF);

}  // namespace quarrow
