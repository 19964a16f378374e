#include "places/region_filter.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "commands/text_algorithms.h"
#include "conversions/gbk_unicode.h"

namespace quarrow::places {

namespace {

// A province, city or county-level division: its code (2, 4 or 6 digits) and its full name.
struct Division {
  std::string code, name;
  bool operator<(const Division& other) const { return code < other.code; }
};

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

bool IsCode(std::string_view part) {
  return !part.empty() && part.size() <= 6 && part.find_first_not_of("0123456789") == std::string_view::npos;
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

void KeepCode(const RegionTable& table, std::string_view code, std::set<const Region*>& kept) {
  bool found = false;
  for (const Region& r : table.Regions()) {
    if (!Under(r, code)) continue;
    kept.insert(&r);
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

void KeepName(const RegionTable& table, std::string_view name, std::set<const Region*>& kept) {
  std::set<Division> named;
  for (const Region& r : table.Regions()) {
    ForEachDivisionOf(r, [&](const Division& d, std::initializer_list<std::string> names) {
      if (std::find(names.begin(), names.end(), name) != names.end()) named.insert(d);
    });
  }
  if (named.size() == 1) {
    for (const Region& r : table.Regions()) {
      if (Under(r, named.begin()->code)) kept.insert(&r);
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

std::vector<const Region*> SelectRegions(const RegionTable& table, std::string_view filter_gbk) {
  std::set<const Region*> kept;
  bool any_part = false;
  // A comma is never a GBK trail byte, so the filter splits byte by byte.
  for (std::size_t start = 0; start <= filter_gbk.size();) {
    const std::size_t comma = std::min(filter_gbk.find(',', start), filter_gbk.size());
    const std::string part = TrimAllSpaces(std::string(filter_gbk.substr(start, comma - start)).c_str());
    start = comma + 1;
    if (part.empty()) continue;
    any_part = true;
    if (IsCode(part)) {
      KeepCode(table, part, kept);
    } else {
      KeepName(table, part, kept);
    }
  }
  std::vector<const Region*> regions;
  if (!any_part) {
    for (const Region& r : table.Regions()) regions.push_back(&r);
    return regions;
  }
  regions.assign(kept.begin(), kept.end());
  // The table's order, which is code order: the same selection draws the same regions on every build.
  std::sort(regions.begin(), regions.end(), [](const Region* a, const Region* b) { return a->code < b->code; });
  return regions;
}

}  // namespace quarrow::places
