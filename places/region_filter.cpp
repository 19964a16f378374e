#include "places/region_filter.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "commands/text_algorithms.h"
#include "conversions/gbk_unicode.h"

namespace quarrow::places {

namespace {

// A province, city, county-level division or town: its code (2, 4, 6 or 9 digits) and its full name.
struct Division {
  std::string code, name;
  bool operator<(const Division& other) const { return code < other.code; }
};

constexpr std::size_t kTownCodeDigits = 9;

// The divisions a region lies in, each with the names it answers to: its own, and its own after those of the
// levels above it.
template <class Visit>
void ForEachDivisionOf(const Region& r, Visit visit) {
  const RegionNames& n = r.gbk;
  visit(Division{r.code_text.substr(0, 2), n.province}, {n.province});
  if (!n.city.empty()) visit(Division{r.code_text.substr(0, 4), n.province + n.city}, {n.city, n.province + n.city});
  if (!n.county.empty()) {
    visit(Division{r.code_text, n.joined}, {n.county, n.city + n.county, n.province + n.county, n.joined});
  }
}

// The names the lowest division of a region answers to, which a town's name may follow: "玄武区", "南京市玄武区" …
std::vector<std::string> NamesOfLowest(const Region& r) {
  std::vector<std::string> names;
  ForEachDivisionOf(r, [&](const Division&, std::initializer_list<std::string> its) { names.assign(its); });
  return names;
}

Division TownDivision(const Region& r, const Town& t) {
  return {std::string(t.code_text), r.gbk.joined + std::string(t.gbk)};
}

// The towns of the table that `name` names: a town's own name, or that after one of its region's names.
template <class Visit>
void ForEachTownNamed(const RegionTable& table, std::string_view name, Visit visit) {
  for (const Region& r : table.Regions()) {
    std::vector<std::string> before;  // made only for a region with a town whose name ends the text
    for (const Town& t : r.towns) {
      if (!name.ends_with(t.gbk)) continue;
      const std::string_view rest = name.substr(0, name.size() - t.gbk.size());
      if (!rest.empty() && before.empty()) before = NamesOfLowest(r);
      if (rest.empty() || std::find(before.begin(), before.end(), rest) != before.end()) visit(r, t);
    }
  }
}

bool IsDigits(std::string_view part) {
  return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
}

bool Under(const Region& r, std::string_view code_prefix) { return r.code_text.starts_with(code_prefix); }

// "a (1), b (2)", at most `most` of them.
template <class Divisions>
std::string Listed(const Divisions& divisions, std::size_t most = 40) {
  std::string text;
  std::size_t shown = 0;
  for (const Division& d : divisions) {
    if (shown == most) {
      text += " and " + std::to_string(divisions.size() - most) + " more";
      break;
    }
    text += (shown++ ? ", " : "") + d.name + " (" + d.code + ")";
  }
  return text;
}

// The divisions one level below the code prefix: provinces, then cities, then counties. A province without a
// city level shows its counties in place of its cities.
std::set<Division> Below(const RegionTable& table, std::string_view prefix) {
  std::set<Division> below;
  for (const Region& r : table.Regions()) {
    if (!Under(r, prefix)) continue;
    if (prefix.size() < 2) {
      below.insert({r.code_text.substr(0, 2), r.gbk.province});
    } else if (prefix.size() < 4 && !r.gbk.city.empty()) {
      below.insert({r.code_text.substr(0, 4), r.gbk.province + r.gbk.city});
    } else {
      below.insert({r.code_text, r.gbk.joined});
    }
  }
  return below;
}

// What a filter keeps of each region: all of it, or the towns its town parts name.
struct Kept {
  bool whole = false;
  std::set<const Town*> towns;
};
using Selection = std::map<const Region*, Kept>;

void KeepCode(const RegionTable& table, std::string_view code, Selection& kept) {
  bool found = false;
  for (const Region& r : table.Regions()) {
    if (!Under(r, code)) continue;
    kept[&r].whole = true;
    found = true;
  }
  if (found) return;
  // The longest start of the code that some division has shows where the user was.
  std::string_view known = code.substr(0, code.size() >= 4 ? 4 : code.size() >= 2 ? 2 : 0);
  while (!known.empty() && Below(table, known).empty()) known = known.substr(0, known.size() == 4 ? 2 : 0);
  throw FilterError("no county-level division's code begins with " + std::string(code) + "; " +
                   (known.empty() ? std::string("the provinces are: ")
                                  : "under " + std::string(known) + " there are: ") +
                   Listed(Below(table, known)));
}

const Region* RegionWithCode(const RegionTable& table, std::string_view code) {
  const auto regions = table.Regions();
  const auto at = std::find_if(regions.begin(), regions.end(), [&](const Region& r) { return r.code_text == code; });
  return at == regions.end() ? nullptr : &*at;
}

void KeepTownCode(const RegionTable& table, std::string_view code, Selection& kept) {
  const std::string_view county = code.substr(0, 6);
  const Region* region = RegionWithCode(table, county);
  if (!region) {
    KeepCode(table, county, kept);  // which refuses it, with what lies under the code's start
    return;
  }
  for (const Town& t : region->towns) {
    if (t.code_text != code) continue;
    kept[region].towns.insert(&t);
    return;
  }
  std::set<Division> towns;
  for (const Town& t : region->towns) towns.insert(TownDivision(*region, t));
  throw FilterError("no town's code is " + std::string(code) + "; the towns of " + region->gbk.joined + " (" +
                   region->code_text + ") are: " + Listed(towns));
}

void KeepName(const RegionTable& table, std::string_view name, Selection& kept) {
  std::set<Division> named;
  for (const Region& r : table.Regions()) {
    ForEachDivisionOf(r, [&](const Division& d, std::initializer_list<std::string> names) {
      if (std::find(names.begin(), names.end(), name) != names.end()) named.insert(d);
    });
  }
  const Town* town = nullptr;
  ForEachTownNamed(table, name, [&](const Region& r, const Town& t) {
    named.insert(TownDivision(r, t));
    town = &t;
  });
  if (named.size() == 1) {
    const std::string& code = named.begin()->code;
    if (code.size() == kTownCodeDigits) {
      kept[RegionWithCode(table, code.substr(0, 6))].towns.insert(town);
      return;
    }
    for (const Region& r : table.Regions()) {
      if (Under(r, code)) kept[&r].whole = true;
    }
    return;
  }
  if (named.size() > 1) {
    throw FilterError(Quoted(name) + " names " + std::to_string(named.size()) +
                     " divisions; give more of the name or a code: " + Listed(named));
  }
  // Compared in UTF-8, where a text found inside another starts on a character of it; in GBK a trail byte can
  // look like the start of a character.
  std::string name_utf8;
  AppendGbkAsUtf8(name, name_utf8);
  std::set<Division> near;
  for (const Region& r : table.Regions()) {
    for (const Town& t : r.towns) {
      if (t.utf8.find(name_utf8) != std::string_view::npos) near.insert(TownDivision(r, t));
    }
    if (r.utf8.joined.find(name_utf8) == std::string::npos) continue;
    ForEachDivisionOf(r, [&](const Division& d, std::initializer_list<std::string>) {
      std::string d_utf8;
      AppendGbkAsUtf8(d.name, d_utf8);
      if (d_utf8.find(name_utf8) != std::string::npos) near.insert(d);
    });
  }
  if (near.empty()) {
    throw FilterError("no division is named " + Quoted(name) + "; the provinces are: " +
                     Listed(Below(table, "")));
  }
  // The shortest names first: the divisions highest up are the likeliest meant.
  std::vector<Division> by_level(near.begin(), near.end());
  std::stable_sort(by_level.begin(), by_level.end(),
                   [](const Division& a, const Division& b) { return a.code.size() < b.code.size(); });
  throw FilterError("no division is named " + Quoted(name) + "; did you mean: " + Listed(by_level, 12));
}

}  // namespace

std::vector<SelectedRegion> SelectRegions(const RegionTable& table, std::string_view filter_gbk) {
  Selection kept;
  bool any_part = false;
  // A comma is never a GBK trail byte, so the filter splits byte by byte.
  for (std::size_t start = 0; start <= filter_gbk.size();) {
    const std::size_t comma = std::min(filter_gbk.find(',', start), filter_gbk.size());
    const std::string part = TrimAllSpaces(std::string(filter_gbk.substr(start, comma - start)).c_str());
    start = comma + 1;
    if (part.empty()) continue;
    any_part = true;
    if (!IsDigits(part)) {
      KeepName(table, part, kept);
    } else if (part.size() <= 6) {
      KeepCode(table, part, kept);
    } else if (part.size() == kTownCodeDigits) {
      KeepTownCode(table, part, kept);
    } else {
      throw FilterError(Quoted(part) + " is no code: give a division's first 1 to 6 digits or a town's 9");
    }
  }
  std::vector<SelectedRegion> selection;
  if (!any_part) {
    for (const Region& r : table.Regions()) selection.push_back({&r, {}});
    return selection;
  }
  for (const auto& [region, what] : kept) {
    SelectedRegion& s = selection.emplace_back(SelectedRegion{region, {}});
    if (!what.whole) s.towns.assign(what.towns.begin(), what.towns.end());
    // The table's order, which is code order: the same selection draws the same towns on every build.
    std::sort(s.towns.begin(), s.towns.end(), [](const Town* a, const Town* b) { return a->code < b->code; });
  }
  std::sort(selection.begin(), selection.end(),
            [](const SelectedRegion& a, const SelectedRegion& b) { return a.region->code < b.region->code; });
  return selection;
}

}  // namespace quarrow::places
