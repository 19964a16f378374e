// Properties of units on loaded windows, read and written through the window engine as service entries 4 and 5
// do: texts and byte sets come back as copies, and the runtime-heap blocks in between are freed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarrow::testing {

std::int32_t ReadInt(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property);
std::string ReadText(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property);
std::vector<std::uint8_t> ReadBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property);
void WriteInt(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property, std::int32_t value);
void WriteText(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property, const std::string& text);
void WriteBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                const std::vector<std::uint8_t>& bytes);

}  // namespace quarrow::testing
