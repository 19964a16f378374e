#include "tests/support/unit_property_access.h"

#include "runtime/runtime.h"
#include "base/value.h"
#include "tests/support/runtime_fixture.h"

namespace quarrow::testing {

namespace {

void* ReadAddress(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property) {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(Windows().ReadProperty(window_id, unit_id, property, -1)));
}

void WriteAddress(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property, const void* address) {
  Windows().WriteProperty(window_id, unit_id, property, -1,
                          static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(address)));
}

}  // namespace

std::int32_t ReadInt(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property) {
  return static_cast<std::int32_t>(Windows().ReadProperty(window_id, unit_id, property, -1));
}

std::string ReadText(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property) {
  auto* text = static_cast<char*>(ReadAddress(window_id, unit_id, property));
  std::string result = text ? text : "";
  TheRuntime().Memory().Free(text);
  return result;
}

std::vector<std::uint8_t> ReadBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property) {
  void* set = ReadAddress(window_id, unit_id, property);
  const ByteSetView view = ByteSetView::Of(set);
  std::vector<std::uint8_t> result(view.data, view.data + view.size);
  TheRuntime().Memory().Free(set);
  return result;
}

void WriteInt(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property, std::int32_t value) {
  Windows().WriteProperty(window_id, unit_id, property, -1, static_cast<std::uint32_t>(value));
}

void WriteText(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property, const std::string& text) {
  WriteAddress(window_id, unit_id, property, text.c_str());
}

void WriteBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                const std::vector<std::uint8_t>& bytes) {
  void* set = TheRuntime().Memory().ByteSetFromBytes(bytes.data(), bytes.size());
  WriteAddress(window_id, unit_id, property, set);
  TheRuntime().Memory().Free(set);
}

}  // namespace quarrow::testing
