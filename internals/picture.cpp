#include "internals/picture.h"

#include <algorithm>
#include <utility>

#include "internals/picture_decoder.h"
#include "internals/picture_icon.h"
#include "base/handles.h"

namespace quarrow {

namespace {
// Larger files cannot hold a picture this runtime decodes (see kMaxPicturePixels).
constexpr LONGLONG kMaxPictureFileSize = LONGLONG{256} << 20;
}  // namespace

Picture::~Picture() {
  if (icon != nullptr) ::DestroyIcon(icon);
}

std::unique_ptr<Picture> DecodePicture(const void* bytes, std::ptrdiff_t length) {
  auto decoded = DecodePictureData(bytes, length);
  if (!decoded) return nullptr;
  auto picture = std::make_unique<Picture>();
  picture->kind = decoded->picture.kind;
  picture->width = decoded->picture.width;
  picture->height = decoded->picture.height;
  picture->pixels = std::move(decoded->picture.pixels);
  picture->control = decoded->picture.control;
  if (picture->kind == PictureKind::kIcon || picture->kind == PictureKind::kCursor) {
    picture->icon = IconFromImage(decoded->icon);
    if (picture->icon == nullptr) return nullptr;
  }
  return picture;
}

std::unique_ptr<Picture> DecodePictureFile(const char* path) {
  if (path == nullptr) return nullptr;
  OwnedHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 8 || size.QuadPart > kMaxPictureFileSize) {
    return nullptr;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    if (!::ReadFile(file.Get(), bytes.data() + done, want, &read, nullptr) || read == 0) return nullptr;
    done += read;
  }
  return DecodePicture(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()));
}

HBITMAP PictureBytesToBitmap(const void* bytes, std::size_t length, COLORREF background) {
  if (length > static_cast<std::size_t>(PTRDIFF_MAX)) return nullptr;
  HBITMAP result = nullptr;
  {
    auto picture = DecodePicture(bytes, static_cast<std::ptrdiff_t>(length));
    if (!picture) return nullptr;
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) return nullptr;
    DisplayHandle handle;
    if (MakeDisplayHandle(*picture, screen, background, &handle)) {
      if (handle.icon != nullptr) {
        // Icons become a bitmap of their size, white where the icon leaves it.
        HDC memory = ::CreateCompatibleDC(screen);
        OwnedBitmap bitmap(::CreateCompatibleBitmap(screen, handle.width, handle.height));
        if (memory != nullptr && bitmap) {
          HGDIOBJ old = ::SelectObject(memory, bitmap.Get());
          ::PatBlt(memory, 0, 0, handle.width, handle.height, WHITENESS);
          ::DrawIconEx(memory, 0, 0, handle.icon, handle.width, handle.height, 0, nullptr, DI_NORMAL);
          ::SelectObject(memory, old);
          result = bitmap.Release();
        }
        if (memory != nullptr) ::DeleteDC(memory);
      } else {
        result = handle.DetachBitmap();
      }
    }
    ::ReleaseDC(nullptr, screen);
  }
  return result;
}

}  // namespace quarrow
