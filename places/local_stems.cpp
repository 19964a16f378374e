#include "places/local_stems.h"

#include <algorithm>
#include <array>

namespace quarrow::places {

namespace {

// Every character of a stem is two GBK bytes, so lengths count characters as half the bytes.
constexpr std::size_t kFewest = 2, kMost = 4;

// A kind of division at the end of a name, and how many characters it leaves at the least: 林区 is the kind of
// 神农架林区, while 碑林区 and 万柏林区 are districts named 碑林 and 万柏林.
struct Suffix {
  std::string_view text;
  std::size_t fewest_left = kFewest;
  bool ethnic = false;  // names the peoples before it, who may then go without 族: "察布查尔锡伯自治县"
};

// Longer kinds first, where one ends another.
constexpr std::array kCountySuffixes = {
    Suffix{"自治县", kFewest, true}, Suffix{"自治旗", kFewest, true},
    Suffix{"左翼前旗"}, Suffix{"左翼中旗"}, Suffix{"左翼后旗"}, Suffix{"右翼前旗"}, Suffix{"右翼中旗"},
    Suffix{"右翼后旗"}, Suffix{"联合旗"}, Suffix{"左旗"}, Suffix{"右旗"}, Suffix{"中旗"}, Suffix{"前旗"},
    Suffix{"后旗"}, Suffix{"新区"}, Suffix{"矿区"}, Suffix{"特区"}, Suffix{"林区", 3},
    Suffix{"旗"}, Suffix{"区"}, Suffix{"县"}, Suffix{"市"},
};

constexpr std::array kTownSuffixes = {
    Suffix{"街道办事处"}, Suffix{"地区办事处"}, Suffix{"办事处"}, Suffix{"街道"},
    Suffix{"民族苏木", kFewest, true}, Suffix{"民族乡", kFewest, true}, Suffix{"民族镇", kFewest, true},
    Suffix{"苏木"}, Suffix{"镇"}, Suffix{"乡"}, Suffix{"地区"},
    Suffix{"农场"}, Suffix{"林场"}, Suffix{"牧场"}, Suffix{"渔场"}, Suffix{"茶场"},
};

// The peoples that autonomous counties and ethnic townships are named after ("各" of "龙胜各族自治县").
constexpr std::array<std::string_view, 56> kPeoples = {
    "蒙古", "回", "藏", "维吾尔", "苗", "彝", "壮", "布依", "朝鲜", "满", "侗", "瑶", "白", "土家",
    "哈尼", "哈萨克", "傣", "黎", "傈僳", "佤", "畲", "高山", "拉祜", "水", "东乡", "纳西", "景颇", "柯尔克孜",
    "土", "达斡尔", "仫佬", "羌", "布朗", "撒拉", "毛南", "仡佬", "锡伯", "阿昌", "普米", "塔吉克", "怒", "乌孜别克",
    "俄罗斯", "鄂温克", "德昂", "保安", "裕固", "京", "塔塔尔", "独龙", "鄂伦春", "赫哲", "门巴", "珞巴", "基诺", "各",
};

// What a place name does not hold: the words of development zones, farm companies and their offices, and
// communities rather than towns.
constexpr std::array<std::string_view, 15> kNotOfAPlaceName = {
    "开发", "经济", "高新", "产业", "管理", "技术", "试验", "实验", "保税", "示范", "园区", "国营", "社区", "兵团",
    "机械",
};

// Stems that would read as a road's name ("中山西路街道", "嘉陵道街道"), a zone, or what is left of a double kind
// ("铁西街道地区", "北山农林场").
constexpr std::array<std::string_view, 5> kNotAtTheEnd = {"区", "族", "路", "街", "巷"};
constexpr std::array<std::string_view, 2> kNotAtTheEndOfLonger = {"道", "农"};  // 二道, 益农 are names

constexpr std::string_view kNumerals = "一二三四五六七八九十百千万零两";

std::size_t Characters(std::string_view gbk) { return gbk.size() / 2; }

// A CJK ideograph of GBK: GB2312's levels 1 and 2 (lead B0-F7, trail A1-FE) and GBK's areas 3 and 4 (lead 81-A0,
// and lead AA-FE with trail 40-A0). Symbols, full-width letters and user-defined areas are not.
bool IsIdeograph(unsigned char lead, unsigned char trail) {
  if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
  if (lead >= 0x81 && lead <= 0xA0) return true;
  if (lead >= 0xAA && lead <= 0xFE && trail <= 0xA0) return true;
  return lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1;
}

bool AllIdeographs(std::string_view gbk) {
  if (gbk.empty() || gbk.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < gbk.size(); i += 2) {
    if (!IsIdeograph(static_cast<unsigned char>(gbk[i]), static_cast<unsigned char>(gbk[i + 1]))) return false;
  }
  return true;
}

// Compared character by character: a text of two-byte characters found at an odd byte would straddle two of them.
bool Holds(std::string_view gbk, std::string_view word) {
  for (std::size_t at = 0; at + word.size() <= gbk.size(); at += 2) {
    // The first character is looked at first: every town's name is read against a few dozen words.
    if (gbk[at] == word[0] && gbk[at + 1] == word[1] && gbk.substr(at, word.size()) == word) return true;
  }
  return false;
}

bool OnlyNumerals(std::string_view gbk) {
  for (std::size_t i = 0; i < gbk.size(); i += 2) {
    if (!Holds(kNumerals, gbk.substr(i, 2))) return false;
  }
  return true;
}

// Drops the peoples an ethnic name ends with, and the wing a banner's name ends with: "大通回族土族" is 大通,
// "喀喇沁左翼蒙古族" 喀喇沁. A name that is a people's alone keeps it without 族: "东乡族" is 东乡.
std::string_view WithoutPeoples(std::string_view stem, bool bare_peoples) {
  for (bool dropped = true; dropped;) {
    dropped = false;
    for (const std::string_view wing : {std::string_view("左翼"), std::string_view("右翼")}) {
      if (stem.ends_with(wing) && Characters(stem) - Characters(wing) >= kFewest) {
        stem.remove_suffix(wing.size());
        dropped = true;
      }
    }
    if (!bare_peoples && !stem.ends_with("族")) break;
    for (const std::string_view people : kPeoples) {
      const bool with_zu = stem.ends_with("族") && stem.substr(0, stem.size() - 2).ends_with(people);
      const std::size_t length = people.size() + (with_zu ? 2 : 0);
      if (!with_zu && !(bare_peoples && stem.ends_with(people))) continue;
      if (Characters(stem) - length / 2 >= kFewest) {
        stem.remove_suffix(length);
        dropped = true;
      } else if (with_zu && stem.size() == length) {
        return stem.substr(0, people.size());
      }
    }
  }
  return stem;
}

template <std::size_t N>
std::string_view Stem(std::string_view name, const std::array<Suffix, N>& suffixes) {
  if (!AllIdeographs(name)) return {};
  for (const Suffix& suffix : suffixes) {
    if (!name.ends_with(suffix.text) || Characters(name) - Characters(suffix.text) < suffix.fewest_left) continue;
    const std::string_view stem = WithoutPeoples(name.substr(0, name.size() - suffix.text.size()), suffix.ethnic);
    if (Characters(stem) < kFewest || Characters(stem) > kMost || OnlyNumerals(stem)) return {};
    for (const std::string_view word : kNotOfAPlaceName) {
      if (Holds(stem, word)) return {};
    }
    for (const std::string_view end : kNotAtTheEnd) {
      if (stem.ends_with(end)) return {};
    }
    for (const std::string_view end : kNotAtTheEndOfLonger) {
      if (Characters(stem) > kFewest && stem.ends_with(end)) return {};
    }
    // A town's name that repeats its county's: "沛县湖西农场".
    if (Holds(stem.substr(2), "县")) return {};
    return stem;
  }
  return {};
}

}  // namespace

std::string_view CountyStem(std::string_view gbk_name) { return Stem(gbk_name, kCountySuffixes); }
std::string_view TownStem(std::string_view gbk_name) { return Stem(gbk_name, kTownSuffixes); }

std::vector<std::string_view> LocalStemsOf(const Region& region) {
  std::vector<std::string_view> stems;
  const auto add = [&](std::string_view stem) {
    if (!stem.empty() && std::find(stems.begin(), stems.end(), stem) == stems.end()) stems.push_back(stem);
  };
  // A city without counties is its own county-level division, under the city's name.
  add(CountyStem(region.gbk.county.empty() ? std::string_view(region.gbk.city) : region.gbk.county));
  for (const Town& town : region.towns) add(TownStem(town.gbk));
  return stems;
}

}  // namespace quarrow::places
