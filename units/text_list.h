// Text lists: the entries of a list box, in its stored property block and as its Items property value.
//
// An item count of 16 bits (a count of 0xFFFF or more is 0xFFFF followed by the 32-bit count), then each item as a
// 32-bit byte count and its bytes.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "base/byte_stream.h"

namespace quarrow {

using TextList = std::vector<std::string>;

void WriteTextList(ByteWriter& w, const TextList& items);

// Appends the items to `items` as far as they can be read; when the list runs past the end the reader has failed
// and the items read before stay.
void ReadTextList(ByteReader& r, TextList& items);

// The Items property value: a text list on its own. Loading from empty bytes gives no items.
Bytes SaveTextList(const TextList& items);
TextList LoadTextList(std::span<const std::uint8_t> bytes);

}  // namespace quarrow
