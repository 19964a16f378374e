// The generated tables of divisions and towns, the regions made of them with their local stems, and the region
// filters.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "conversions/gbk_unicode.h"
#include "places/division_table.h"
#include "places/local_stems.h"
#include "places/region_filter.h"
#include "places/region_table.h"
#include "places/town_table.h"

namespace quarrow::places {
namespace {

using namespace divisions;

// Every name is GBK that goes to UTF-8 and back unchanged, and can stand in a csv field or a JSON string as it is.
void ExpectPlainGbk(const char* name) {
  const std::string gbk = name;
  std::string utf8, back;
  ASSERT_FALSE(gbk.empty());
  ASSERT_TRUE(AppendGbkAsUtf8(gbk, utf8)) << utf8;
  ASSERT_TRUE(Utf8ToGbk(utf8, back));
  EXPECT_EQ(back, gbk) << utf8;
  for (const char c : utf8) EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 && c != ',' && c != '"' && c != '\\');
}

TEST(DivisionTable, EachLevelIsInCodeOrderAndEveryEntryLiesUnderItsParent) {
  for (int i = 0; i < kProvinceCount; ++i) {
    ExpectPlainGbk(kProvinces[i].name);
    EXPECT_TRUE(kProvinces[i].code >= 11 && kProvinces[i].code <= 99);
    if (i > 0) {
      EXPECT_LT(kProvinces[i - 1].code, kProvinces[i].code);
    }
  }
  for (int i = 0; i < kCityCount; ++i) {
    ExpectPlainGbk(kCities[i].name);
    ASSERT_LT(kCities[i].province, kProvinceCount);
    EXPECT_EQ(kCities[i].code / 100, kProvinces[kCities[i].province].code) << kCities[i].code;
    if (i > 0) {
      EXPECT_LT(kCities[i - 1].code, kCities[i].code);
    }
  }
  std::set<int> cities_with_counties;
  for (int i = 0; i < kCountyCount; ++i) {
    ExpectPlainGbk(kCounties[i].name);
    ASSERT_LT(kCounties[i].city, kCityCount);
    EXPECT_EQ(kCounties[i].code / 100, kCities[kCounties[i].city].code) << kCounties[i].code;
    if (i > 0) {
      EXPECT_LT(kCounties[i - 1].code, kCounties[i].code);
    }
    cities_with_counties.insert(kCounties[i].city);
  }
  EXPECT_EQ(cities_with_counties.size(), std::size_t{kCityCount}) << "a city without a county could not be drawn";
}

std::string Utf8(const std::string& gbk) {
  std::string utf8;
  AppendGbkAsUtf8(gbk, utf8);
  return utf8;
}

// The package's 2,978 county-level entries less its 124 development zones and such areas (numbered 71 to 80).
constexpr std::size_t kRegionCount = 2854;

TEST(RegionTable, TheNamesReadAsTheOfficialOnesWithoutPlaceholdersOrDoubledNames) {
  const RegionTable table;
  ASSERT_EQ(table.Regions().size(), kRegionCount);
  std::set<std::string> joined;
  int without_city = 0, without_county = 0;
  const County* county = kCounties;
  for (const Region& r : table.Regions()) {
    while (county->code != r.code) ++county;  // both in code order
    ASSERT_LT(county, kCounties + kCountyCount);
    const RegionNames& n = r.gbk;
    const std::string& text = n.joined;
    EXPECT_EQ(r.utf8.joined, Utf8(text));
    EXPECT_EQ(r.code_text, std::to_string(r.code));
    EXPECT_TRUE(joined.insert(text).second) << text << " names two regions";
    EXPECT_EQ(text.find("市辖区"), std::string::npos) << text;
    EXPECT_EQ(text.find("直辖县级行政区划"), std::string::npos) << text;
    EXPECT_EQ(r.utf8.city, n.city.empty() ? "" : Utf8(n.city));
    EXPECT_NE(n.city, "县") << text;
    // No level repeats the one before it, and the county-level division's own name ends the text.
    EXPECT_NE(n.province, n.city) << text;
    EXPECT_NE(n.city, n.county) << text;
    EXPECT_FALSE(n.county.empty() && n.city.empty()) << text;
    EXPECT_TRUE(n.joined.ends_with(county->name)) << text;
    EXPECT_EQ(n.province, kProvinces[kCities[county->city].province].name);
    without_city += n.city.empty();
    without_county += n.county.empty();
  }
  // Beijing's, Tianjin's, Shanghai's and Chongqing's districts and counties, and those that Henan, Hubei, Hainan
  // and Xinjiang govern themselves; Dongguan, Zhongshan, Danzhou and Jiayuguan have no county level.
  EXPECT_EQ(without_city, 16 + 16 + 16 + 38 + 1 + 4 + 15 + 12);
  EXPECT_EQ(without_county, 4);
  for (const char* official : {"北京市东城区", "天津市和平区", "上海市黄浦区", "重庆市渝中区", "重庆市城口县",
                               "河南省济源市", "湖北省仙桃市", "海南省琼海市", "新疆维吾尔自治区石河子市",
                               "广东省东莞市", "广东省中山市", "海南省儋州市", "甘肃省嘉峪关市", "江苏省南京市玄武区"}) {
    EXPECT_TRUE(joined.contains(official)) << official;
  }
  EXPECT_FALSE(joined.contains("江苏省苏州市苏州工业园区"));
}

// The package's 41,352 towns less the 434 under the development zones left out and the 8 whose names GBK lacks: the
// count make-division-table reports.
constexpr std::size_t kTownsKept = 40910;

TEST(TownTable, EveryTownLiesUnderAKeptRegionInCodeOrderWithAPlainGbkName) {
  const RegionTable table;
  ASSERT_EQ(std::size_t{kTownCount}, kTownsKept);
  ASSERT_EQ(table.Towns().size(), kTownsKept);
  std::set<std::uint32_t> regions;
  for (const Region& r : table.Regions()) regions.insert(r.code);
  for (int i = 0; i < kTownCount; ++i) {
    ExpectPlainGbk(std::string(TownName(i)).c_str());
    EXPECT_TRUE(regions.contains(kTownCodes[i] / 1000)) << kTownCodes[i] << " lies under no region";
    if (i > 0) {
      EXPECT_LT(kTownCodes[i - 1], kTownCodes[i]);
      EXPECT_LT(kTownNameEnds[i - 1], kTownNameEnds[i]);
    }
    const Town& town = table.Towns()[i];
    EXPECT_EQ(town.code, kTownCodes[i]);
    EXPECT_EQ(town.code_text, std::to_string(town.code));
    EXPECT_EQ(town.gbk, TownName(i));
    EXPECT_EQ(town.utf8, Utf8(std::string(town.gbk)));
  }
  // Every region draws among its own towns, and has some.
  std::size_t towns_of_regions = 0;
  for (const Region& r : table.Regions()) {
    EXPECT_FALSE(r.towns.empty()) << r.code;
    for (const Town& town : r.towns) EXPECT_EQ(town.code / 1000, r.code);
    towns_of_regions += r.towns.size();
  }
  EXPECT_EQ(towns_of_regions, kTownsKept);
  const Region& xuanwu = *std::find_if(table.Regions().begin(), table.Regions().end(),
                                       [](const Region& r) { return r.code == 320102; });
  ASSERT_EQ(xuanwu.towns.size(), 8u);
  EXPECT_EQ(xuanwu.towns[2].gbk, "玄武门街道");
  EXPECT_EQ(xuanwu.towns[2].code_text, "320102005");
}

TEST(LocalStems, ANameLosesItsKindAndThePeoplesItNamesAndOddNamesGiveNone) {
  const std::pair<const char*, const char*> counties[] = {
      {"宝应县", "宝应"},         {"玄武区", "玄武"},           {"东莞市", "东莞"},
      {"长阳土家族自治县", "长阳"}, {"大通回族土族自治县", "大通"}, {"东乡族自治县", "东乡"},
      {"察布查尔锡伯自治县", "察布查尔"}, {"鄂伦春自治旗", "鄂伦春"},  {"科尔沁左翼中旗", "科尔沁"},
      {"喀喇沁左翼蒙古族自治县", "喀喇沁"}, {"神农架林区", "神农架"}, {"碑林区", "碑林"},
      {"万柏林区", "万柏林"},     {"浦东新区", "浦东"},         {"清新区", "清新"},
      {"管城回族区", "管城"},     {"滴道区", "滴道"},           {"寿县", ""},                 {"矿区", ""},
      {"塔什库尔干塔吉克自治县", ""}, {"西沙群岛", ""},
  };
  for (const auto& [name, stem] : counties) EXPECT_EQ(CountyStem(name), stem) << name;
  const std::pair<const char*, const char*> towns[] = {
      {"安宜镇", "安宜"},           {"玄武门街道", "玄武门"},   {"良乡地区", "良乡"},
      {"喇叭沟门满族乡", "喇叭沟门"}, {"霍吉尔特蒙古民族乡", "霍吉尔特"}, {"巴彦乌拉苏木", "巴彦乌拉"},
      {"友谊农场", "友谊"},         {"哈镇", ""},               {"徐庄高新技术产业开发区", ""},
      {"开发区街道", ""},           {"中山西路街道", ""},       {"二六七二街道", ""},
      {"立新社区街道", ""},         {"福海监狱", ""},           {"八五〇农场", ""},
      {"经济开发区（马棚街道）", ""}, {"辛安渡办事处街道", ""}, {"嘉陵道街道", ""},
      {"铁西街道地区", ""},         {"沛县湖西农场", ""},       {"兵团托云牧场", ""},
  };
  for (const auto& [name, stem] : towns) EXPECT_EQ(TownStem(name), stem) << name;
}

TEST(LocalStems, ARegionsStemsAreItsOwnNamesWithoutTheirKindsEachOnce) {
  const RegionTable table;
  std::set<std::uint32_t> without;
  std::size_t stems = 0;
  for (const Region& r : table.Regions()) {
    std::vector<std::string_view> names{r.gbk.county.empty() ? std::string_view(r.gbk.city) : r.gbk.county};
    for (const Town& town : r.towns) names.push_back(town.gbk);
    std::set<std::string_view> seen;
    const std::vector<std::string_view> own = LocalStemsOf(r);
    for (const std::string_view stem : own) {
      EXPECT_TRUE(seen.insert(stem).second) << r.code_text << " twice: " << stem;
      EXPECT_TRUE(std::any_of(names.begin(), names.end(), [&](std::string_view n) {
        return n.starts_with(stem) && n.size() > stem.size();
      })) << r.code_text << ": " << stem;
    }
    if (own.empty()) without.insert(r.code);
    stems += own.size();
  }
  // Every region has names of its own to give its roads but Sansha's three, named after islands and reefs.
  EXPECT_EQ(without, (std::set<std::uint32_t>{460321, 460322, 460323}));
  EXPECT_GT(stems, kTownsKept * 9 / 10);
  const Region& baoying = *std::find_if(table.Regions().begin(), table.Regions().end(),
                                        [](const Region& r) { return r.code == 321023; });
  EXPECT_EQ(LocalStemsOf(baoying), (std::vector<std::string_view>{"宝应", "安宜", "氾水", "夏集", "柳堡", "射阳湖", "广洋湖", "鲁垛",
                                                "小官庄", "望直港", "曹甸", "西安丰", "山阳", "黄塍", "泾河"}));
}

// What a filter keeps: a whole region as its code, a region of which it keeps some towns as their codes.
std::set<std::string> Codes(const RegionTable& table, const char* filter) {
  std::set<std::string> codes;
  for (const SelectedRegion& s : SelectRegions(table, filter)) {
    if (s.towns.empty()) codes.insert(s.region->code_text);
    for (const Town* t : s.towns) {
      EXPECT_EQ(t->code / 1000, s.region->code);
      codes.insert(std::string(t->code_text));
    }
  }
  return codes;
}

TEST(RegionFilter, NamesAndCodePrefixesKeepTheRegionsUnderTheDivisionTheyName) {
  const RegionTable table;
  const std::set<std::string> jiangsu = Codes(table, "32");
  EXPECT_EQ(Codes(table, "江苏省"), jiangsu);
  for (const std::string& code : jiangsu) EXPECT_TRUE(code.starts_with("32"));
  std::size_t all_of_32 = 0;
  for (const Region& r : table.Regions()) all_of_32 += r.code_text.starts_with("32");
  EXPECT_EQ(jiangsu.size(), all_of_32);

  const std::set<std::string> nanjing = Codes(table, "3201");
  EXPECT_EQ(nanjing.size(), 11u);
  EXPECT_EQ(Codes(table, "南京市"), nanjing);
  EXPECT_EQ(Codes(table, "江苏省南京市"), nanjing);
  EXPECT_EQ(Codes(table, " 南京市 "), nanjing);
  EXPECT_EQ(Codes(table, "江苏省南京市玄武区"), std::set<std::string>{"320102"});
  EXPECT_EQ(Codes(table, "南京市玄武区"), std::set<std::string>{"320102"});
  EXPECT_EQ(Codes(table, "320102"), std::set<std::string>{"320102"});
  EXPECT_EQ(Codes(table, "北京市东城区"), std::set<std::string>{"110101"});
  EXPECT_EQ(Codes(table, "东莞市"), std::set<std::string>{"441900"});
  EXPECT_EQ(Codes(table, "广东省东莞市"), std::set<std::string>{"441900"});
  EXPECT_EQ(Codes(table, "湖北省仙桃市"), std::set<std::string>{"429004"});
  EXPECT_EQ(Codes(table, "北京市").size(), 16u);

  std::set<std::string> both = nanjing;
  both.insert("110101");
  EXPECT_EQ(Codes(table, "3201,北京市东城区"), both);
  EXPECT_EQ(Codes(table, "3201,320102,南京市"), nanjing) << "a region kept twice is drawn as often as the others";
  EXPECT_EQ(Codes(table, "").size(), kRegionCount);
  EXPECT_EQ(Codes(table, " , ").size(), kRegionCount);
}

// The message lists what the filter could have meant.
std::string Refusal(const RegionTable& table, const char* filter) {
  try {
    SelectRegions(table, filter);
  } catch (const FilterError& e) {
    return e.what();
  }
  return "not refused";
}

TEST(RegionFilter, AFilterThatMatchesNothingOrSeveralDivisionsIsRefusedWithWhatItCouldMean) {
  const RegionTable table;
  const std::string ambiguous = Refusal(table, "朝阳区");
  EXPECT_NE(ambiguous.find("北京市朝阳区 (110105)"), std::string::npos) << ambiguous;
  EXPECT_NE(ambiguous.find("吉林省长春市朝阳区 (220104)"), std::string::npos) << ambiguous;
  const std::string partial = Refusal(table, "江苏");
  EXPECT_NE(partial.find("did you mean: 江苏省 (32), 江苏省南京市 (3201)"), std::string::npos) << partial;
  const std::string unknown_code = Refusal(table, "3299");
  EXPECT_NE(unknown_code.find("under 32 there are: 江苏省南京市 (3201)"), std::string::npos) << unknown_code;
  EXPECT_NE(Refusal(table, "99").find("the provinces are: 北京市 (11)"), std::string::npos);
  EXPECT_NE(Refusal(table, "亚特兰蒂斯").find("the provinces are:"), std::string::npos);
  EXPECT_NE(Refusal(table, "32,火星").find("火星"), std::string::npos) << "one bad part refuses the whole filter";
  EXPECT_NE(Refusal(table, "1234567"), "not refused") << "a code has at most six digits";
  EXPECT_NE(Refusal(table, "320571").find("under 3205 there are: 江苏省苏州市虎丘区 (320505)"), std::string::npos)
      << "a development zone is no region";
}

}  // namespace
}  // namespace quarrow::places

namespace quarrow::places {
namespace {

TEST(RegionFilter, ATownKeepsItsRegionWithThoseOfItsTownsThatThePartsName) {
  const RegionTable table;
  const std::set<std::string> xuanwumen{"320102005"};
  for (const char* filter : {"玄武门街道", "玄武区玄武门街道", "南京市玄武区玄武门街道", "江苏省南京市玄武区玄武门街道",
                             "320102005", " 320102005 ", "玄武门街道,320102005"}) {
    EXPECT_EQ(Codes(table, filter), xuanwumen) << filter;
  }
  EXPECT_EQ(Codes(table, "北京市东城区东华门街道"), std::set<std::string>{"110101001"});
  EXPECT_EQ(Codes(table, "东城区东华门街道"), std::set<std::string>{"110101001"});
  EXPECT_EQ(Codes(table, "广东省东莞市虎门镇"), std::set<std::string>{"441900121"});
  EXPECT_EQ(Codes(table, "东莞市虎门镇"), std::set<std::string>{"441900121"});

  // The towns of one region merge, in code order; a part that keeps the whole region keeps all its towns.
  const std::vector<SelectedRegion> merged = SelectRegions(table, "锁金村街道,320102002,玄武门街道,东华门街道");
  ASSERT_EQ(merged.size(), 2u);
  EXPECT_EQ(merged[0].region->code, 110101u);
  EXPECT_EQ(merged[1].region->code, 320102u);
  ASSERT_EQ(merged[1].towns.size(), 3u);
  EXPECT_EQ(merged[1].towns[0]->code_text, "320102002");
  EXPECT_EQ(merged[1].towns[1]->gbk, "玄武门街道");
  EXPECT_EQ(merged[1].towns[2]->gbk, "锁金村街道");
  EXPECT_EQ(Codes(table, "玄武门街道,玄武区"), std::set<std::string>{"320102"});
  EXPECT_EQ(Codes(table, "320102005,南京市"), Codes(table, "南京市"));
  EXPECT_EQ(Codes(table, "320102005,3202,南京市鼓楼区").size(), Codes(table, "3202").size() + 2);
}

TEST(RegionFilter, AnAmbiguousOrUnknownTownIsRefusedWithWhatItCouldMean) {
  const RegionTable table;
  const std::string many = Refusal(table, "城关镇");
  EXPECT_NE(many.find("'城关镇' names 88 divisions; give more of the name or a code: 天津市武清区城关镇 (120114110)"),
            std::string::npos) << many;
  EXPECT_NE(many.find(" and 48 more"), std::string::npos) << many;
  const std::string two = Refusal(table, "新街口街道");
  EXPECT_NE(two.find("北京市西城区新街口街道 (110102003), 江苏省南京市玄武区新街口街道 (320102003)"), std::string::npos)
      << two;
  EXPECT_EQ(Codes(table, "玄武区新街口街道"), std::set<std::string>{"320102003"});
  const std::string partial = Refusal(table, "玄武门");
  EXPECT_NE(partial.find("did you mean: 江苏省南京市玄武区玄武门街道 (320102005)"), std::string::npos) << partial;
  const std::string unknown = Refusal(table, "320102999");
  EXPECT_NE(unknown.find("no town's code is 320102999; the towns of 江苏省南京市玄武区 (320102) are: "
                         "江苏省南京市玄武区梅园新村街道 (320102002)"),
            std::string::npos)
      << unknown;
  EXPECT_NE(Refusal(table, "320199001").find("under 3201 there are: 江苏省南京市玄武区 (320102)"), std::string::npos);
  EXPECT_NE(Refusal(table, "鼓楼区玄武门街道"), "not refused") << "a town under another county";
  EXPECT_NE(Refusal(table, "32010200").find("is no code"), std::string::npos);
}

}  // namespace
}  // namespace quarrow::places
