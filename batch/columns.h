// The columns of a row in csv, jsonl and sql, in their order, and their two sets of names: the Chinese ones the
// window's users know, and plain identifiers that loaders and object mappers take as they are.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quarrow::batch {

enum class Column : std::uint8_t {
  kSeq, kPrefix, kProvince, kCity, kCounty, kDivisionCode, kTown, kTownCode,
  kRoad, kHouseNumber, kCommunity, kBuilding, kUnit, kRoom, kAddress,
};

enum class HeaderNames { kChinese, kPlain };

// GBK, as every text of the program.
inline std::string_view NameOf(Column column, HeaderNames names) {
  struct Names {
    std::string_view chinese, plain;
  };
  static constexpr Names kNames[] = {
      {"序号", "seq"},           {"前缀", "prefix"},     {"省", "province"},        {"市", "city"},
      {"区县", "county"},        {"区划代码", "division_code"}, {"乡镇街道", "town"}, {"乡镇代码", "town_code"},
      {"路", "road"},            {"号", "house_number"}, {"小区", "community"},     {"号楼", "building"},
      {"单元", "unit"},          {"室", "room"},         {"地址", "address"},
  };
  const Names& n = kNames[static_cast<int>(column)];
  return names == HeaderNames::kChinese ? n.chinese : n.plain;
}

// A row's columns: the region's four between the prefix and the road under --regions, the town's two after them
// where rows have towns.
inline std::vector<Column> ColumnsOf(bool regions, bool towns) {
  std::vector<Column> columns = {Column::kSeq, Column::kPrefix};
  if (regions) columns.insert(columns.end(), {Column::kProvince, Column::kCity, Column::kCounty, Column::kDivisionCode});
  if (towns) columns.insert(columns.end(), {Column::kTown, Column::kTownCode});
  columns.insert(columns.end(), {Column::kRoad, Column::kHouseNumber, Column::kCommunity, Column::kBuilding,
                                 Column::kUnit, Column::kRoom, Column::kAddress});
  return columns;
}

}  // namespace quarrow::batch
