#include "batch/batch_run.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "batch/address_maker.h"
#include "batch/address_rows.h"
#include "batch/messages.h"
#include "batch/output_target.h"
#include "batch/progress.h"
#include "batch/row_blocks.h"
#include "batch/row_format.h"
#include "batch/run_settings.h"
#include "batch/unique_addresses.h"

namespace quarrow::batch {

namespace {

// Bytes gathered before each write: large enough that the system calls cost nothing, small enough to stay flat.
constexpr std::size_t kChunk = std::size_t{1} << 20;
constexpr unsigned kMostWorkers = 4;

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
  // Two rows differ by their town's code (nine digits) or their region's (six), or else by their address.
  const auto place_code = [regions](const Address& address) -> std::uint32_t {
    if (address.town != kNoTown) return regions->Towns()[address.town]->code;
    return address.region ? address.region->code : 0;
  };
  for (std::uint64_t row = 1; row <= o.count; ++row) {
    Address address = maker.Next();
    for (std::uint64_t repeats = 1; !seen.Add(address.text, place_code(address)); ++repeats) {
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

int Generate(const Options& o, std::uint32_t fresh_seed) {
  const std::uint32_t seed = o.seed.value_or(fresh_seed);
  AddressSettings settings = ReadAddressSettings(o);
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
