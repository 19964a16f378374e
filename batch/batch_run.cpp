#include "batch/batch_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "batch/address_maker.h"
#include "batch/messages.h"
#include "batch/name_list_file.h"
#include "batch/output_target.h"
#include "batch/row_blocks.h"
#include "batch/row_format.h"
#include "batch/unique_addresses.h"
#include "conversions/gbk_unicode.h"
#include "commands/text_algorithms.h"
#include "places/region_filter.h"

namespace quarrow::batch {

namespace {

// Bytes gathered before each write: large enough that the system calls cost nothing, small enough to stay flat.
constexpr std::size_t kChunk = std::size_t{1} << 20;
constexpr unsigned kMostWorkers = 4;

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

std::vector<places::SelectedRegion> SelectedRegions(const RegionTable& table, const std::string& filter) {
  try {
    return places::SelectRegions(table, filter);
  } catch (const places::FilterError& e) {
    throw UsageError("--regions: " + std::string(e.what()));
  }
}

// "12% (1200000 of 10000000 rows)" on one line of standard error, rewritten about four times a second.
class Progress {
 public:
  Progress(bool shown, std::uint64_t count) : shown_(shown), count_(count) {}
  void Update(std::uint64_t rows) {
    if (!shown_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(250)) return;
    last_ = now;
    std::fprintf(stderr, "\r%3u%% (%llu of %llu rows)", static_cast<unsigned>(rows * 100 / count_),
                 static_cast<unsigned long long>(rows), static_cast<unsigned long long>(count_));
    std::fflush(stderr);
  }
  void Done() {
    if (shown_) std::fprintf(stderr, "\r100%% (%llu of %llu rows)\n", static_cast<unsigned long long>(count_),
                             static_cast<unsigned long long>(count_));
  }

 private:
  bool shown_;
  std::uint64_t count_;
  std::chrono::steady_clock::time_point last_{};
};

// A worker's rows: its own address maker and its own copy of the format's working space.
class AddressRows final : public RowMaker {
 public:
  AddressRows(std::uint32_t seed, const AddressSettings& settings, const RowFormat& format)
      : maker_(seed, settings), format_(format), ahead_(settings.real && settings.regions) {}
  void MoveTo(std::uint64_t row) override {
    maker_.MoveTo(row - 1);
    row_ = row;
    if (!ahead_) return;
    for (std::uint64_t i = 0; i < kAhead; ++i) Chosen(row + i) = maker_.Choose(row - 1 + i);
    for (std::uint64_t i = 1; i < kAhead; ++i) Fetch(row + i, false);
  }
  void AppendNext(std::string& out) override {
    if (!ahead_) {
      format_.AppendRow(row_++, maker_.Next(), out);
      return;
    }
    // Real style's regions, towns and place names come at random from tables larger than a processor's nearer
    // caches: the row after next is chosen now and where its bytes start fetched, the next row's bytes too.
    Chosen(row_ + kAhead) = maker_.Choose(row_ - 1 + kAhead);
    Fetch(row_ + kAhead, false);
    Fetch(row_ + 1, true);
    AddressMaker::Choices& choices = Chosen(row_);
    format_.AppendRow(row_++, maker_.Make(choices), out);
  }

 private:
  static constexpr std::uint64_t kAhead = 2;

  AddressMaker::Choices& Chosen(std::uint64_t row) { return chosen_[row % (kAhead + 1)]; }
  void Fetch(std::uint64_t row, bool bytes) {
    const AddressMaker::Choices& c = Chosen(row);
    format_.Fetch(c.region, c.town, bytes);
    if (c.local_stem && !bytes) __builtin_prefetch(c.local_stem);
  }

  AddressMaker maker_;
  RowFormat format_;
  const bool ahead_;
  std::uint64_t row_ = 1;
  AddressMaker::Choices chosen_[kAhead + 1] = {{places::AddressRandom(0, 0)}, {places::AddressRandom(0, 0)},
                                               {places::AddressRandom(0, 0)}};
};

// Every row can be made on its own, so blocks of rows are made side by side and written in their order.
void WriteInBlocks(RowSpan part, std::uint32_t seed, const AddressSettings& settings, const RowFormat& format,
                   OutputTarget& target, Progress& progress) {
  const auto new_maker = [&] { return std::make_unique<AddressRows>(seed, settings, format); };
  BlockPlan plan;
  plan.first_row = part.first;
  plan.last_row = part.last;
  plan.workers = std::clamp(std::thread::hardware_concurrency(), 1u, kMostWorkers);
  plan.rows_per_block = RowsPerChunk(*new_maker(), plan.first_row, plan.last_row, plan.chunk_bytes);
  WriteRowsInBlocks(
      plan, new_maker, [&](std::string_view bytes) { target.Write(bytes); },
      [&](std::uint64_t rows) { progress.Update(rows); });
}

// --unique makes its rows one after the other: whether a row is written depends on the rows before it.
void WriteOneByOne(const Options& o, std::uint32_t seed, const RegionDraw* regions, AddressMaker& maker,
                   UniqueAddresses& seen, RowFormat& format, OutputTarget& target, Progress& progress) {
  // Real style never comes round to where it started; it gives up after this many addresses in a row that were
  // all written before.
  constexpr std::uint64_t kMostRepeatsInARow = 1'000'000;
  std::string chunk;
  chunk.reserve(kChunk + 4096);
  const std::uint32_t first_state = maker.GeneratorState();
  for (std::uint64_t row = 1; row <= o.count; ++row) {
    Address address = maker.Next();
    for (std::uint64_t repeats = 1;
         !seen.Add(address.text, address.town != kNoTown ? regions->Towns()[address.town]->code
                                 : address.region      ? address.region->code
                                                       : 0);
         ++repeats) {
      // The window's generator goes round a fixed cycle: once it is back where it started, every later address
      // repeats.
      if (o.style == Style::kReal ? repeats == kMostRepeatsInARow : maker.GeneratorState() == first_state) {
        throw UsageError("--unique: seed " + std::to_string(seed) + " gives only " + std::to_string(row - 1) +
                         " different addresses with these settings, fewer than the " + std::to_string(o.count) +
                         " rows asked for");
      }
      address = maker.Next();
    }
    format.AppendRow(row, address, chunk);
    if (chunk.size() >= kChunk) {
      target.Write(chunk);
      chunk.clear();
    }
    if ((row & 0xFFFF) == 0) progress.Update(row);
  }
  target.Write(chunk);
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

int Generate(const Options& o, std::uint32_t fresh_seed) {
  const std::uint32_t seed = o.seed.value_or(fresh_seed);
  CheckPrefix(o);
  AddressSettings settings;
  settings.manual = ReadManualSettings(o);
  settings.real = ReadRealSettings(o);
  CheckSqlTexts(o, settings);
  std::optional<RegionTable> region_table;
  std::optional<RegionDraw> region_draw;
  if (o.regions) {
    region_table.emplace();
    settings.towns = o.style == Style::kReal;
    region_draw.emplace(seed, SelectedRegions(*region_table, *o.regions), settings.towns);
    settings.regions = &*region_draw;
  }
  AddressMaker maker(seed, settings);
  std::optional<UniqueAddresses> seen;
  if (o.unique) {
    const std::uint64_t distinct = maker.DistinctCount();
    if (distinct < o.count) {
      throw UsageError("--unique: these settings allow " + std::to_string(distinct) + " different addresses, " +
                       "fewer than the " + std::to_string(o.count) + " rows asked for");
    }
    try {
      seen.emplace(static_cast<std::uint32_t>(o.count));
    } catch (const std::bad_alloc&) {
      PrintMessage("--unique needs " + std::to_string(UniqueAddresses::BytesFor(static_cast<std::uint32_t>(o.count)) >> 20) +
                   " MB for " + std::to_string(o.count) + " rows, more than this system gives");
      return kWriteFailed;
    }
  }

  std::unique_ptr<OutputTarget> target = OpenOutput(o.out.empty() ? "-" : o.out);
  // Said once the run is sure to start, so that it can be made again.
  if (!o.seed) std::fprintf(stderr, "seed: %lu\n", static_cast<unsigned long>(seed));
  FormatSettings format_settings;
  format_settings.format = o.format;
  format_settings.encoding = o.encoding;
  format_settings.header = o.header;
  format_settings.prefix = o.prefix;
  format_settings.table = o.table;
  format_settings.create_table = o.create_table;
  const RowSpan part = o.Part();
  format_settings.first_row = o.standalone_parts ? part.first : 1;
  format_settings.last_row = o.standalone_parts ? part.last : o.count;
  RowFormat format(format_settings, region_draw ? region_draw->Regions() : std::span<const Region* const>(),
                   settings.towns ? region_draw->Towns() : std::span<const Town* const>());
  if ((part.first == 1 && part.last >= 1) || o.standalone_parts) {
    std::string start;
    format.AppendStart(start);
    target->Write(start);
  }
  Progress progress(o.progress, part.last - part.first + 1);
  if (seen) {
    WriteOneByOne(o, seed, settings.regions, maker, *seen, format, *target, progress);
  } else {
    WriteInBlocks(part, seed, settings, format, *target, progress);
  }
  target->Commit();
  progress.Done();
  return kWritten;
}

}  // namespace

int Run(const Options& options, std::uint32_t fresh_seed) {
  try {
    return Generate(options, fresh_seed);
  } catch (const UsageError& e) {
    PrintMessage(e.what());
    return kBadInput;
  } catch (const WriteError& e) {
    PrintMessage(e.what());
    return kWriteFailed;
  } catch (const std::exception& e) {
    // Out of memory, or a fault of the program: reported, and the output left as it was.
    PrintMessage(std::string("stopped: ") + e.what());
    return kWriteFailed;
  }
}

}  // namespace quarrow::batch
