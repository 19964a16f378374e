// Pictures decoded, turned into display handles and drawn with the platform's GDI: into memory device contexts
// whose pixels the tests read directly, into a real window, and as a real button's image; cursors from CUR data.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "internals/picture.h"
#include "base/handles.h"
#include "tests/support/canvas.h"
#include "tests/support/library_picture_files.h"
#include "tests/support/picture_files.h"
#include "tests/support/pump.h"
#include "tests/support/scratch_folder.h"

namespace quarrow {
namespace {

using testing::Canvas;
using testing::IconEntry;
using testing::IndexedImage;
using testing::PatternImage;
using testing::PatternIndexedImage;
using testing::RgbImage;

// 0xRRGGBB as the platform's colour value.
COLORREF Colour(std::uint32_t rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); }

std::unique_ptr<Picture> Decode(const Bytes& file) {
  return DecodePicture(file.data(), static_cast<std::ptrdiff_t>(file.size()));
}

// Decodes, makes a handle over the background and draws it at (x, y), natural size, with SRCCOPY.
void DrawFile(const Bytes& file, Canvas& canvas, int x, int y, COLORREF background = RGB(255, 255, 255)) {
  auto picture = Decode(file);
  ASSERT_NE(picture, nullptr);
  DisplayHandle handle;
  ASSERT_TRUE(MakeDisplayHandle(*picture, canvas.Dc(), background, &handle));
  DrawPicture(handle, canvas.Dc(), x, y, -1, -1, SRCCOPY);
}

void ExpectImageAt(const Canvas& canvas, const RgbImage& image, int left, int top) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      ASSERT_EQ(canvas.RgbAt(left + x, top + y), image.At(x, y)) << "pixel " << x << "," << y;
    }
  }
}

RgbImage Colours(const IndexedImage& image) {
  RgbImage rgb{image.width, image.height, {}};
  for (std::uint8_t i : image.indexes) rgb.pixels.push_back(image.palette[i]);
  return rgb;
}

TEST(PictureDrawing, BmpRowsBothWaysUpAtTheirOwnSize) {
  const auto image = PatternImage(7, 5);
  Canvas canvas(20, 10, RGB(0, 0, 0));
  canvas.Fill(RGB(1, 2, 3));
  DrawFile(testing::WriteBmp(image), canvas, 1, 2);
  ExpectImageAt(canvas, image, 1, 2);
  EXPECT_EQ(canvas.RgbAt(8, 2), 0x010203u) << "nothing drawn beyond the picture's own width";
  EXPECT_EQ(canvas.RgbAt(1, 7), 0x010203u);

  DrawFile(testing::WriteBmp(image, {.top_down = true}), canvas, 10, 0);
  ExpectImageAt(canvas, image, 10, 0);
}

TEST(PictureDrawing, IndexedPicturesShowTheirColourTables) {
  const auto indexed = PatternIndexedImage(9, 6, 200);
  Canvas canvas(30, 10, RGB(0, 0, 0));
  DrawFile(testing::WritePcx(indexed), canvas, 0, 0);
  ExpectImageAt(canvas, Colours(indexed), 0, 0);
  DrawFile(testing::WriteGif(indexed), canvas, 10, 1);
  ExpectImageAt(canvas, Colours(indexed), 10, 1);
  DrawFile(testing::WriteBmp(PatternIndexedImage(5, 3, 16), {.bits = 4}), canvas, 20, 0);
  ExpectImageAt(canvas, Colours(PatternIndexedImage(5, 3, 16)), 20, 0);
}

TEST(PictureDrawing, AGifsTransparentIndexShowsTheBackground) {
  const auto indexed = PatternIndexedImage(6, 4, 8);
  testing::GifOptions options{.screen_width = 8, .screen_height = 4, .min_code_size = 3};
  options.control = testing::GifOptions::Control{.transparent = true, .transparent_index = 3};
  Canvas canvas(8, 4, RGB(0, 0, 0));
  DrawFile(testing::WriteGif(indexed, options), canvas, 0, 0, RGB(0x12, 0x34, 0x56));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool clear = x >= 6 || indexed.At(x, y) == 3;
      EXPECT_EQ(canvas.RgbAt(x, y), clear ? 0x123456u : indexed.palette[indexed.At(x, y)]) << x << "," << y;
    }
  }
}

TEST(PictureDrawing, OneBitPcxIsBlackAndWhiteWhateverTheTargetsTextColours) {
  const auto indexed = PatternIndexedImage(11, 3, 2);
  Canvas canvas(11, 3, RGB(0, 0, 0));
  ::SetTextColor(canvas.Dc(), RGB(255, 0, 0));
  ::SetBkColor(canvas.Dc(), RGB(0, 0, 255));
  DrawFile(testing::WritePcx(indexed, {.bits = 1, .version = 3}), canvas, 0, 0);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 11; ++x) EXPECT_EQ(canvas.RgbAt(x, y), indexed.At(x, y) ? 0xFFFFFFu : 0u) << x << "," << y;
  }
  EXPECT_EQ(::GetTextColor(canvas.Dc()), RGB(255, 0, 0)) << "the target's colours are put back";
  EXPECT_EQ(::GetBkColor(canvas.Dc()), RGB(0, 0, 255));
}

TEST(PictureDrawing, PngIsComposedOverTheBackground) {
  const std::vector<std::uint8_t> rgba = {0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x80};
  Canvas canvas(3, 1, RGB(0, 0, 0));
  canvas.Fill(RGB(9, 9, 9));
  DrawFile(testing::WritePng(3, 1, testing::PngFormat::kRgba, rgba), canvas, 0, 0, RGB(0x20, 0x40, 0x60));
  EXPECT_EQ(canvas.RgbAt(0, 0), 0xFF0000u) << "opaque: its own colour";
  EXPECT_EQ(canvas.RgbAt(1, 0), 0x204060u) << "fully transparent: the background exactly";
  // 128 * 255 / 255 + g * (1 - 128 * 0.0039215689), truncated: 0x20 gives 143, 0x40 gives 159, 0x60 gives 175.
  EXPECT_EQ(canvas.RgbAt(2, 0), 0x8F9FAFu);
}

TEST(PictureDrawing, JpegColoursArrivePracticallyUnchanged) {
  std::vector<std::uint8_t> samples;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 16; ++x) samples.insert(samples.end(), {std::uint8_t(x < 8 ? 0xF0 : 0x10), 0x80, 0x20});
  }
  Canvas canvas(16, 8, RGB(0, 0, 0));
  DrawFile(testing::WriteJpeg(16, 8, testing::JpegSpace::kRgb, samples), canvas, 0, 0);
  for (const auto& [x, expected] : {std::pair{3, 0xF08020u}, std::pair{12, 0x108020u}}) {
    const std::uint32_t c = canvas.RgbAt(x, 4);
    for (int shift : {0, 8, 16}) {
      EXPECT_NEAR(static_cast<int>(c >> shift & 0xFF), static_cast<int>(expected >> shift & 0xFF), 4)
          << std::hex << c;
    }
  }
}

TEST(PictureDrawing, StretchingFillsTheGivenRectangle) {
  // Two solid halves, so that smoothing cannot blur what the test reads: the middle of each half.
  RgbImage image{8, 4, {}};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) image.pixels.push_back(x < 4 ? 0xC00000u : 0x0000C0u);
  }
  auto picture = Decode(testing::WriteBmp(image));
  ASSERT_NE(picture, nullptr);
  Canvas canvas(40, 20, RGB(0, 0, 0));
  canvas.Fill(RGB(0, 0xFF, 0));
  DisplayHandle handle;
  ASSERT_TRUE(MakeDisplayHandle(*picture, canvas.Dc(), 0, &handle));
  DrawPicture(handle, canvas.Dc(), 2, 2, 32, 16, SRCCOPY);
  EXPECT_EQ(canvas.RgbAt(8, 10), 0xC00000u);
  EXPECT_EQ(canvas.RgbAt(28, 10), 0x0000C0u);
  EXPECT_EQ(canvas.RgbAt(3, 3), 0xC00000u);
  EXPECT_EQ(canvas.RgbAt(1, 10), 0x00FF00u) << "nothing outside the rectangle";
  EXPECT_EQ(canvas.RgbAt(34, 10), 0x00FF00u);
  EXPECT_EQ(canvas.RgbAt(20, 18), 0x00FF00u);
}

TEST(PictureDrawing, TheColourKeyLeavesTheTargetWhereThePictureHasTheKey) {
  const std::uint32_t key = 0xFF00FF;
  RgbImage image = PatternImage(6, 4);
  image.pixels[0] = image.pixels[7] = image.pixels[23] = key;
  auto picture = Decode(testing::WriteBmp(image));
  ASSERT_NE(picture, nullptr);
  Canvas canvas(6, 4, RGB(0, 0, 0));
  canvas.Fill(RGB(0x11, 0x22, 0x33));
  ::SetBkColor(canvas.Dc(), RGB(1, 2, 3));
  ::SetTextColor(canvas.Dc(), RGB(4, 5, 6));
  DisplayHandle handle;
  ASSERT_TRUE(MakeDisplayHandle(*picture, canvas.Dc(), 0, &handle));
  DrawPicture(handle, canvas.Dc(), 0, 0, -1, -1, -static_cast<std::int64_t>(Colour(key)));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      const std::uint32_t drawn = image.At(x, y);
      EXPECT_EQ(canvas.RgbAt(x, y), drawn == key ? 0x112233u : drawn) << x << "," << y;
    }
  }
  EXPECT_EQ(::GetBkColor(canvas.Dc()), RGB(1, 2, 3)) << "the target's colours are put back";
  EXPECT_EQ(::GetTextColor(canvas.Dc()), RGB(4, 5, 6));
}

Bytes IconFile(std::uint16_t type, const RgbImage& image, std::uint32_t transparent, std::uint16_t hot_x = 1,
               std::uint16_t hot_y = 32) {
  return testing::WriteIconFile(type, {IconEntry{static_cast<std::uint8_t>(image.width),
                                                 static_cast<std::uint8_t>(image.height), 0, hot_x, hot_y,
                                                 testing::IconImageBits(image, transparent)}});
}

// A 16 x 16 image: a dark red frame with a transparent middle, and a green pixel at (5, 4).
RgbImage FramedImage() {
  RgbImage image{16, 16, {}};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool frame = x < 3 || y < 3 || x > 12 || y > 12;
      image.pixels.push_back(frame ? 0x800000u : x == 5 && y == 4 ? 0x00C000u : 0xFFFFFFu);
    }
  }
  return image;
}

TEST(PictureDrawing, IconsAreDrawnThroughTheirMasks) {
  auto picture = Decode(IconFile(1, FramedImage(), 0xFFFFFF));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->kind, PictureKind::kIcon);
  EXPECT_EQ(picture->width, 16);
  EXPECT_EQ(picture->height, 16);
  ASSERT_NE(picture->icon, nullptr);
  Canvas canvas(20, 20, RGB(0, 0, 0));
  canvas.Fill(RGB(0x33, 0x66, 0x99));
  DisplayHandle handle;
  ASSERT_TRUE(MakeDisplayHandle(*picture, canvas.Dc(), 0, &handle));
  EXPECT_EQ(handle.icon, picture->icon);
  EXPECT_EQ(handle.bitmap, nullptr);
  DrawPicture(handle, canvas.Dc(), 2, 2, -1, -1, SRCCOPY);
  EXPECT_EQ(canvas.RgbAt(2, 2), 0x800000u);
  EXPECT_EQ(canvas.RgbAt(17, 17), 0x800000u);
  EXPECT_EQ(canvas.RgbAt(7, 6), 0x00C000u);
  EXPECT_EQ(canvas.RgbAt(10, 10), 0x336699u) << "the mask keeps the target";
  EXPECT_EQ(canvas.RgbAt(18, 18), 0x336699u);
}

TEST(PictureDrawing, AnIconFileOfSixteenPixelEntriesShowsTheLastEntry) {
  RgbImage first{16, 16, std::vector<std::uint32_t>(256, 0x0000FFu)};
  RgbImage last{16, 16, std::vector<std::uint32_t>(256, 0x00FF00u)};
  const Bytes file = testing::WriteIconFile(
      1, {IconEntry{16, 16, 16, 1, 32, testing::IconImageBits(first)}, {16, 16, 0, 1, 32, testing::IconImageBits(last)}});
  Canvas canvas(16, 16, RGB(0, 0, 0));
  DrawFile(file, canvas, 0, 0);
  EXPECT_EQ(canvas.RgbAt(8, 8), 0x00FF00u);
}

TEST(PictureDrawing, BrokenDataGivesNoPictureAndNoHandle) {
  const Bytes five = {'B', 'M', 1, 2, 3};
  EXPECT_EQ(DecodePicture(five.data(), 5), nullptr);
  auto rle = testing::WriteBmp(PatternIndexedImage(4, 4, 16), {.bits = 8, .compression = 1});
  EXPECT_EQ(Decode(rle), nullptr);
  auto icon = IconFile(1, FramedImage(), 0xFFFFFF);
  icon[6 + 8] = 40;  // the entry's image is its bitmap header alone: no pixels to make an icon from
  icon[6 + 9] = icon[6 + 10] = icon[6 + 11] = 0;
  EXPECT_EQ(Decode(icon), nullptr);

  Picture empty;
  DisplayHandle handle;
  EXPECT_FALSE(MakeDisplayHandle(empty, nullptr, 0, &handle));
  Picture cut;
  cut.kind = PictureKind::kBmp;
  cut.width = cut.height = 4;
  cut.pixels.resize(10);  // fewer pixels than the size says
  EXPECT_FALSE(MakeDisplayHandle(cut, nullptr, 0, &handle));
  EXPECT_FALSE(handle);
}

TEST(PictureDrawing, ReleasingAHandleDeletesItsBitmap) {
  auto picture = Decode(testing::WriteBmp(PatternImage(3, 3)));
  ASSERT_NE(picture, nullptr);
  DisplayHandle handle;
  ASSERT_TRUE(MakeDisplayHandle(*picture, nullptr, 0, &handle));
  const HBITMAP bitmap = handle.bitmap;
  ASSERT_EQ(::GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  DisplayHandle moved = std::move(handle);
  EXPECT_FALSE(handle);
  EXPECT_EQ(moved.bitmap, bitmap);
  ReleaseDisplayHandle(&moved);
  EXPECT_FALSE(moved);
  EXPECT_EQ(::GetObjectType(bitmap), 0u) << "deleted";
}

TEST(Cursors, ACursorFromCurDataHasItsHotSpotAndImage) {
  HCURSOR cursor = CursorFromBytes(IconFile(2, FramedImage(), 0xFFFFFF, 5, 7).data(),
                                   IconFile(2, FramedImage(), 0xFFFFFF, 5, 7).size());
  ASSERT_NE(cursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 7u);
  BITMAP bitmap{};
  ::GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 16);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);

  Canvas canvas(16, 16, RGB(0, 0, 0));
  canvas.Fill(RGB(0, 0, 0xFF));
  ::DrawIconEx(canvas.Dc(), 0, 0, cursor, 16, 16, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(canvas.RgbAt(0, 0), 0x800000u);
  EXPECT_EQ(canvas.RgbAt(5, 4), 0x00C000u);
  EXPECT_EQ(canvas.RgbAt(8, 8), 0x0000FFu);
  ::DestroyCursor(cursor);
}

TEST(Cursors, OnlyWholeCurFilesMakeCursors) {
  const Bytes ico = IconFile(1, FramedImage(), 0xFFFFFF);
  EXPECT_EQ(CursorFromBytes(ico.data(), ico.size()), nullptr);
  Bytes cur = IconFile(2, FramedImage(), 0xFFFFFF);
  EXPECT_EQ(CursorFromBytes(cur.data(), 22), nullptr);
  EXPECT_EQ(CursorFromBytes(cur.data(), cur.size() - 1), nullptr) << "the image runs past the data";
  EXPECT_EQ(CursorFromBytes(nullptr, 100), nullptr);
}

TEST(Cursors, AWindowShowsTheCursorMadeFromCurData) {
  const Bytes cur = IconFile(2, FramedImage(), 0xFFFFFF, 8, 8);
  OwnedCursor cursor(CursorFromBytes(cur.data(), cur.size()));
  ASSERT_TRUE(cursor);
  WNDCLASSA wc{};
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "QuarrowCursorTest";
  wc.hCursor = cursor.Get();
  ::RegisterClassA(&wc);
  OwnedWindow window(::CreateWindowExA(WS_EX_TOPMOST, "QuarrowCursorTest", "", WS_POPUP | WS_VISIBLE, 100, 100, 200,
                                       200, nullptr, nullptr, wc.hInstance, nullptr));
  ASSERT_TRUE(window);
  ::SetForegroundWindow(window.Get());
  ::SetCursorPos(200, 200);
  EXPECT_TRUE(testing::PumpUntil([&] { return ::GetCursor() == cursor.Get(); }, 3000))
      << "the class cursor is what the pointer shows over the window";
  window.Reset();
  ::UnregisterClassA("QuarrowCursorTest", wc.hInstance);
}

TEST(PictureBitmaps, BitmapsOfPicturesOverTheirBackground) {
  const auto image = PatternImage(5, 4);
  const Bytes bmp = testing::WriteBmp(image);
  OwnedBitmap bitmap(PictureBytesToBitmap(bmp.data(), bmp.size()));
  ASSERT_TRUE(bitmap);
  Canvas canvas(5, 4, RGB(0, 0, 0));
  {
    HDC source = ::CreateCompatibleDC(canvas.Dc());
    HGDIOBJ old = ::SelectObject(source, bitmap.Get());
    ::BitBlt(canvas.Dc(), 0, 0, 5, 4, source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
  }
  ExpectImageAt(canvas, image, 0, 0);

  const Bytes ico = IconFile(1, FramedImage(), 0xFFFFFF);
  OwnedBitmap icon_bitmap(PictureBytesToBitmap(ico.data(), ico.size(), RGB(0, 0, 0)));
  ASSERT_TRUE(icon_bitmap);
  BITMAP info{};
  ::GetObjectA(icon_bitmap.Get(), sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 16);
  EXPECT_EQ(info.bmHeight, 16);
  Canvas icon_canvas(16, 16, RGB(0, 0, 0));
  icon_canvas.Fill(0);
  {
    HDC source = ::CreateCompatibleDC(icon_canvas.Dc());
    HGDIOBJ old = ::SelectObject(source, icon_bitmap.Get());
    ::BitBlt(icon_canvas.Dc(), 0, 0, 16, 16, source, 0, 0, SRCCOPY);
    ::SelectObject(source, old);
    ::DeleteDC(source);
  }
  EXPECT_EQ(icon_canvas.RgbAt(0, 0), 0x800000u);
  EXPECT_EQ(icon_canvas.RgbAt(8, 8), 0xFFFFFFu) << "icons are drawn on white, whatever the background";

  const Bytes junk = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_EQ(PictureBytesToBitmap(junk.data(), junk.size()), nullptr);
}

TEST(PictureFiles, AFileIsReadWholeAndNotWhileSomeoneWritesIt) {
  const std::string path = testing::TemporaryPath("picture") + ".gif";
  const auto indexed = PatternIndexedImage(6, 5, 16);
  const Bytes gif = testing::WriteGif(indexed, {.min_code_size = 4});
  {
    OwnedHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_NE(file.Get(), INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.Get(), gif.data(), static_cast<DWORD>(gif.size()), &written, nullptr));
  }
  auto picture = DecodePictureFile(path.c_str());
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->kind, PictureKind::kGif);
  EXPECT_EQ(picture->width, 6);
  {
    OwnedHandle writer(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(writer.Get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(DecodePictureFile(path.c_str()), nullptr) << "other writers are kept out";
  }
  ::DeleteFileA(path.c_str());
  EXPECT_EQ(DecodePictureFile(path.c_str()), nullptr);
  EXPECT_EQ(DecodePictureFile(nullptr), nullptr);
}

// A window that paints one display handle; the tests read its pixels back from the screen.
struct PaintedWindow {
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_PAINT) {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(window, &paint);
      auto* self = reinterpret_cast<PaintedWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
      ::FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
      if (self != nullptr) {
        DrawPicture(self->handle, dc, 10, 10, -1, -1, self->rop);
        ++self->paints;
      }
      ::EndPaint(window, &paint);
      return 0;
    }
    return ::DefWindowProcA(window, message, w, l);
  }
  DisplayHandle handle;
  std::int64_t rop = SRCCOPY;
  int paints = 0;
};

TEST(PictureWindows, APictureDrawnInARealWindowIsWhatTheScreenShows) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PaintedWindow::Procedure;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "QuarrowPictureTest";
  ::RegisterClassA(&wc);
  const auto image = PatternImage(12, 9);
  auto picture = Decode(testing::WriteBmp(image));
  ASSERT_NE(picture, nullptr);
  PaintedWindow painted;
  OwnedWindow window(::CreateWindowExA(WS_EX_TOPMOST, "QuarrowPictureTest", "", WS_POPUP, 50, 50, 60, 40, nullptr,
                                       nullptr, wc.hInstance, nullptr));
  ASSERT_TRUE(window);
  HDC screen = ::GetDC(window.Get());
  ASSERT_TRUE(MakeDisplayHandle(*picture, screen, 0, &painted.handle));
  ::SetWindowLongPtrA(window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&painted));
  ::ShowWindow(window.Get(), SW_SHOW);
  ::UpdateWindow(window.Get());
  ASSERT_TRUE(testing::PumpUntil([&] { return painted.paints > 0; }));
  testing::Pump(100);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const COLORREF c = ::GetPixel(screen, 10 + x, 10 + y);
      ASSERT_EQ(c, Colour(image.At(x, y))) << "pixel " << x << "," << y;
    }
  }
  EXPECT_EQ(::GetPixel(screen, 9, 9), RGB(0, 0, 0));
  ::ReleaseDC(window.Get(), screen);
  window.Reset();
  ::UnregisterClassA("QuarrowPictureTest", wc.hInstance);
}

TEST(PictureWindows, AButtonShowsAnIconPictureAsItsImage) {
  RgbImage solid{16, 16, std::vector<std::uint32_t>(256, 0x00A000u)};
  auto picture = Decode(IconFile(1, solid, 0xFFFFFF));
  ASSERT_NE(picture, nullptr);
  HDC screen = ::GetDC(nullptr);
  DisplayHandle handle;
  ASSERT_TRUE(MakeDisplayHandle(*picture, screen, ::GetSysColor(COLOR_BTNFACE), &handle));
  ::ReleaseDC(nullptr, screen);
  OwnedWindow button(::CreateWindowExA(WS_EX_TOPMOST, "BUTTON", "", WS_POPUP | WS_VISIBLE | BS_ICON, 300, 300, 60,
                                       40, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
  ASSERT_TRUE(button);
  ::SendMessageA(button.Get(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(handle.icon));
  ::InvalidateRect(button.Get(), nullptr, TRUE);
  ::UpdateWindow(button.Get());
  testing::Pump(100);
  HDC dc = ::GetDC(button.Get());
  EXPECT_EQ(::GetPixel(dc, 30, 20), RGB(0, 0xA0, 0)) << "the icon, centred";
  EXPECT_EQ(::GetPixel(dc, 5, 20), ::GetSysColor(COLOR_BTNFACE)) << "the button face around it";
  ::ReleaseDC(button.Get(), dc);
}

}  // namespace
}  // namespace quarrow
