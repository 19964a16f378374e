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
  m.house_min = o.house.low, m.house_max = o.house.high;
  m.building_min = o.building.low, m.building_max = o.building.high;
  m.unit_min = o.unit.low, m.unit_max = o.unit.high;
  m.room_min = o.room.low, m.room_max = o.room.high;
  return m;
}

void CheckPrefix(const Options& o) {
  // A broken GBK byte would run into the address after it, whatever the output's encoding.
  if (std::string utf8; !AppendGbkAsUtf8(o.prefix, utf8)) throw UsageError("--prefix is neither UTF-8 nor valid GBK");
  if (o.prefix.find('\0') != std::string::npos) throw UsageError("--prefix holds a zero byte");
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
  AddressRows(std::uint32_t seed, const std::optional<ManualSettings>& manual, const RegionDraw* regions,
              const RowFormat& format)
      : maker_(seed, manual, regions), format_(format) {}
  void MoveTo(std::uint64_t row) override {
    maker_.MoveTo(row - 1);
    row_ = row;
  }
  void AppendNext(std::string& out) override { format_.AppendRow(row_++, maker_.Next(), out); }

 private:
  AddressMaker maker_;
  RowFormat format_;
  std::uint64_t row_ = 1;
};

// Every row can be made on its own, so blocks of rows are made side by side and written in their order.
void WriteInBlocks(const Options& o, std::uint32_t seed, const std::optional<ManualSettings>& manual,
                   const RegionDraw* regions, const RowFormat& format, OutputTarget& target, Progress& progress) {
  const auto new_maker = [&] { return std::make_unique<AddressRows>(seed, manual, regions, format); };
  BlockPlan plan;
  plan.first_row = 1;
  plan.last_row = o.count;
  plan.workers = std::clamp(std::thread::hardware_concurrency(), 1u, kMostWorkers);
  plan.rows_per_block = RowsPerChunk(*new_maker(), plan.first_row, plan.last_row, plan.chunk_bytes);
  WriteRowsInBlocks(
      plan, new_maker, [&](std::string_view bytes) { target.Write(bytes); },
      [&](std::uint64_t rows) { progress.Update(rows); });
}

// --unique makes its rows one after the other: whether a row is written depends on the rows before it.
void WriteOneByOne(const Options& o, std::uint32_t seed, AddressMaker& maker, UniqueAddresses& seen,
                   RowFormat& format, OutputTarget& target, Progress& progress) {
  std::string chunk;
  chunk.reserve(kChunk + 4096);
  const std::uint32_t first_state = maker.GeneratorState();
  for (std::uint64_t row = 1; row <= o.count; ++row) {
    Address address = maker.Next();
    while (!seen.Add(address.text, address.region ? address.region->code : 0)) {
      // The generator goes round a fixed cycle: once it is back where it started, every later address repeats.
      if (maker.GeneratorState() == first_state) {
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

int Generate(const Options& o, std::uint32_t fresh_seed) {
  const std::uint32_t seed = o.seed.value_or(fresh_seed);
  CheckPrefix(o);
  const std::optional<ManualSettings> manual = ReadManualSettings(o);
  std::optional<RegionTable> region_table;
  std::optional<RegionDraw> region_draw;
  if (o.regions) {
    region_table.emplace();
    region_draw.emplace(seed, SelectedRegions(*region_table, *o.regions));
  }
  const RegionDraw* regions = region_draw ? &*region_draw : nullptr;
  AddressMaker maker(seed, manual, regions);
  std::optional<UniqueAddresses> seen;
  if (o.unique) {
    const std::uint64_t distinct = maker.DistinctCount();
    if (distinct < o.count) {
      throw UsageError("--unique: these settings allow " + std::to_string(distinct) + " different addresses, " +
                       "fewer than the " + std::to_string(o.count) + " rows asked for");
    }
    try {
      seen.emplace(o.count);
    } catch (const std::bad_alloc&) {
      PrintMessage("--unique needs " + std::to_string(UniqueAddresses::BytesFor(o.count) >> 20) + " MB for " +
                   std::to_string(o.count) + " rows, more than this system gives");
      return kWriteFailed;
    }
  }

  std::unique_ptr<OutputTarget> target = o.out.empty() ? OpenStandardOutput() : OpenReplacement(o.out);
  // Said once the run is sure to start, so that it can be made again.
  if (!o.seed) std::fprintf(stderr, "seed: %lu\n", static_cast<unsigned long>(seed));
  RowFormat format(o.format, o.encoding, o.prefix,
                   regions ? regions->Regions() : std::span<const Region* const>());
  std::string start;
  format.AppendStart(start);
  target->Write(start);
  Progress progress(o.progress, o.count);
  if (seen) {
    WriteOneByOne(o, seed, maker, *seen, format, *target, progress);
  } else {
    WriteInBlocks(o, seed, manual, regions, format, *target, progress);
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
