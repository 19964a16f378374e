#include "batch/run_settings.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "batch/name_list_file.h"
#include "commands/text_algorithms.h"
#include "conversions/gbk_unicode.h"

namespace quarrow::batch {

namespace {

std::optional<ManualSettings> ReadManualSettings(const Options& o) {
  if (!o.Manual()) return std::nullopt;
  ManualSettings m;
  m.roads = ReadNameList(o.roads_file);
  m.communities = ReadNameList(o.communities_file);
  const RangeTexts house = o.house.value_or(kDefaultRange), building = o.building.value_or(kDefaultRange);
  const RangeTexts unit = o.unit.value_or(kDefaultRange), room = o.room.value_or(kDefaultRange);
  m.house_min = house.low, m.house_max = house.high;
  m.building_min = building.low, m.building_max = building.high;
  m.unit_min = unit.low, m.unit_max = unit.high;
  m.room_min = room.low, m.room_max = room.high;
  return m;
}

// Real style's numbers are read as the window reads its boxes, a bound below 0 counting as 0.
std::optional<places::NumberRange> RealRange(const std::optional<RangeTexts>& texts) {
  if (!texts) return std::nullopt;
  const auto number = [](const std::string& gbk) {
    return static_cast<std::uint32_t>(std::max<std::int32_t>(0, Bound(gbk).value));
  };
  return places::NumberRange{number(texts->low), number(texts->high)};
}

// Real style takes a list's names in place of the names it makes, so a list without one would give nothing.
NameList ReadWholeNames(const std::string& path) {
  NameList names = ReadNameList(path);
  if (names.empty()) throw UsageError(GbkForMessage(path) + " holds no names");
  return names;
}

std::optional<places::RealSettings> ReadRealSettings(const Options& o) {
  if (o.style != Style::kReal) return std::nullopt;
  places::RealSettings real;
  if (!o.roads_file.empty()) real.roads = ReadWholeNames(o.roads_file);
  if (!o.communities_file.empty()) real.communities = ReadWholeNames(o.communities_file);
  real.house = RealRange(o.house);
  real.building = RealRange(o.building);
  real.unit = RealRange(o.unit);
  real.room = RealRange(o.room);
  return real;
}

void CheckPrefix(const Options& o) {
  // A broken GBK byte would run into the address after it, whatever the output's encoding.
  if (std::string utf8; !AppendGbkAsUtf8(o.prefix, utf8)) throw UsageError("--prefix is neither UTF-8 nor valid GBK");
  if (o.prefix.find('\0') != std::string::npos) throw UsageError("--prefix holds a zero byte");
  if (HoldsControl(o.prefix)) throw UsageError("--prefix holds a control character, which would break its rows");
}

// Looked at character by character: a GBK trail byte can be 0x5C without being a backslash.
bool HoldsBackslash(std::string_view gbk) {
  for (std::size_t at = 0; at < gbk.size(); at += static_cast<unsigned char>(gbk[at]) >= 0x81 ? 2 : 1) {
    if (gbk[at] == '\\') return true;
  }
  return false;
}

// MySQL reads a backslash in a quoted text as an escape, where the standard and the other databases do not.
void CheckSqlTexts(const Options& o, const AddressSettings& settings) {
  if (o.format != Format::kSql) return;
  const auto check = [](std::string_view gbk, const std::string& what) {
    if (HoldsBackslash(gbk)) throw UsageError(what + " holds a backslash, which MySQL would read as an escape");
  };
  check(o.prefix, "--prefix");
  for (const NameList* list : {settings.manual ? &settings.manual->roads : nullptr,
                               settings.manual ? &settings.manual->communities : nullptr,
                               settings.real ? &settings.real->roads : nullptr,
                               settings.real ? &settings.real->communities : nullptr}) {
    if (list == nullptr) continue;
    for (const std::string& name : *list) check(name, "the name " + Quoted(name));
  }
}

}  // namespace

std::vector<places::SelectedRegion> SelectedRegions(const RegionTable& table, const std::string& filter) {
  try {
    return places::SelectRegions(table, filter);
  } catch (const places::FilterError& e) {
    throw UsageError("--regions: " + std::string(e.what()));
  }
}

AddressSettings ReadAddressSettings(const Options& o) {
  CheckPrefix(o);
  AddressSettings settings;
  settings.manual = ReadManualSettings(o);
  settings.real = ReadRealSettings(o);
  CheckSqlTexts(o, settings);
  return settings;
}

}  // namespace quarrow::batch
