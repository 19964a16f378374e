#include "units/list_view_images.h"

#include <objbase.h>

#include <cstring>

#include "units/list_view_data.h"

namespace quarrow {

OwnedImageList ReadImageList(std::span<const std::uint8_t> data) {
  const std::span<const std::uint8_t> stream_bytes = ImageListStream(data);
  if (stream_bytes.empty()) return {};
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, stream_bytes.size());
  if (memory == nullptr) return {};
  if (void* target = ::GlobalLock(memory)) {
    std::memcpy(target, stream_bytes.data(), stream_bytes.size());
    ::GlobalUnlock(memory);
  } else {
    ::GlobalFree(memory);
    return {};
  }
  IStream* stream = nullptr;
  // The stream frees the memory when it is released.
  if (FAILED(::CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    ::GlobalFree(memory);
    return {};
  }
  OwnedImageList list(::ImageList_Read(stream));
  stream->Release();
  return list;
}

std::int32_t ImageCount(HIMAGELIST list) { return list ? ::ImageList_GetImageCount(list) : 0; }

}  // namespace quarrow
