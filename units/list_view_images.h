// The image lists of a list view, read from image-list data ("MITL", 4 unread bytes, then the stream that the
// platform's ImageList_Read takes).
#pragma once

#include <windows.h>

#include <objbase.h>  // the image-list stream functions need IStream first

#include <commctrl.h>

#include <cstdint>
#include <span>

#include "base/handles.h"

namespace quarrow {

inline void DestroyImageListHandle(HIMAGELIST list) { ::ImageList_Destroy(list); }
using OwnedImageList = Owned<HIMAGELIST, DestroyImageListHandle>;

// The image list that the data holds; none when the data is 8 bytes or fewer, starts with anything but "MITL",
// or its stream does not read.
OwnedImageList ReadImageList(std::span<const std::uint8_t> data);

// The number of images in a list; 0 for none.
std::int32_t ImageCount(HIMAGELIST list);

}  // namespace quarrow
