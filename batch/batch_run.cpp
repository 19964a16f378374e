#include "batch/batch_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <future>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "batch/address_maker.h"
#include "batch/name_list_file.h"
#include "batch/output_target.h"
#include "batch/row_format.h"
#include "batch/unique_addresses.h"
#include "conversions/gbk_unicode.h"
#include "places/region_filter.h"

namespace quarrow::batch {

namespace {

// Bytes gathered before each write: large enough that the system calls cost nothing, small enough to stay flat.
constexpr std::size_t kChunk = std::size_t{1} << 20;
// Rows that one thread makes at a time; a few such blocks are under way at once.
constexpr std::uint32_t kBlockRows = 65536;
constexpr unsigned kMostThreads = 4;

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

std::vector<const Region*> SelectedRegions(const RegionTable& table, const std::string& filter) {
  try {
    return places::SelectRegions(table, filter);
  } catch (const places::FilterError& e) {
    // The message names divisions, which are GBK.
    throw UsageError(ConsoleText("--regions: " + std::string(e.what())));
  }
}

// "12% (1200000 of 10000000 rows)" on one line of standard error, rewritten about four times a second.
class Progress {
 public:
  Progress(bool shown, std::uint32_t count) : shown_(shown), count_(count) {}
  void Update(std::uint32_t rows) {
    if (!shown_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(250)) return;
    last_ = now;
    std::fprintf(stderr, "\r%3u%% (%u of %u rows)", static_cast<unsigned>(std::uint64_t{rows} * 100 / count_),
                 static_cast<unsigned>(rows), static_cast<unsigned>(count_));
    std::fflush(stderr);
  }
  void Done() {
    if (shown_) std::fprintf(stderr, "\r100%% (%u of %u rows)\n", static_cast<unsigned>(count_),
                             static_cast<unsigned>(count_));
  }

 private:
  bool shown_;
  std::uint32_t count_;
  std::chrono::steady_clock::time_point last_{};
};

// How many draws each address takes: the same for every address of a run, whose bounds and lists are fixed
// (auto mode takes ten). Found by making one and seeing how far the generator went.
std::uint32_t DrawsPerAddress(const std::optional<ManualSettings>& manual) {
  AddressMaker probe(0, manual);
  probe.Next();
  RandomGenerator moved;
  moved.Seed(0);
  for (std::uint32_t draws = 0; draws <= 64; ++draws, moved.Draw()) {
    if (moved.State() == probe.GeneratorState()) return draws;
  }
  throw std::logic_error("an address took more draws than the rules make");
}

// A block of rows made from the generator state its first row starts at, and the state after its last row.
struct Block {
  std::string bytes;
  std::uint32_t end_state = 0;
};

// `buffer` is the room of a block written before: used again, it costs the system no new pages.
Block MakeBlock(std::uint32_t start_state, std::uint32_t first_row, std::uint32_t rows,
                const std::optional<ManualSettings>& manual, const RegionDraw* regions, RowFormat format,
                std::string buffer) {
  AddressMaker maker(start_state, manual, regions, first_row - 1);
  Block block;
  block.bytes = std::move(buffer);
  block.bytes.clear();
  for (std::uint32_t i = 0; i < rows; ++i) format.AppendRow(first_row + i, maker.Next(), block.bytes);
  block.end_state = maker.GeneratorState();
  return block;
}

// Every row may be made on its own, since the generator can be moved on to where any row starts: blocks of rows
// are made side by side on several threads, and written in their order while the next ones are made.
void WriteInBlocks(const Options& o, std::uint32_t seed, const std::optional<ManualSettings>& manual,
                   const RegionDraw* regions, const RowFormat& format, OutputTarget& target, Progress& progress) {
  const std::uint64_t draws = DrawsPerAddress(manual);
  const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMostThreads);
  struct Pending {
    std::future<Block> block;
    std::uint32_t rows;
    std::uint32_t end_state;  // where the next block starts
  };
  std::deque<Pending> pending;
  std::vector<std::string> spare_buffers;
  RandomGenerator next_start;
  next_start.Seed(seed);
  std::uint32_t next_row = 1;
  const auto start_next_block = [&] {
    const std::uint32_t rows = std::min(kBlockRows, o.count - next_row + 1);
    const std::uint32_t start_state = next_start.State();
    next_start.Skip(draws * rows);
    std::string buffer;
    if (!spare_buffers.empty()) {
      buffer = std::move(spare_buffers.back());
      spare_buffers.pop_back();
    }
    pending.push_back({std::async(std::launch::async, MakeBlock, start_state, next_row, rows, std::cref(manual),
                                  regions, format, std::move(buffer)),
                       rows, next_start.State()});
    next_row += rows;
  };
  std::uint32_t written = 0;
  while (next_row <= o.count || !pending.empty()) {
    while (pending.size() <= threads && next_row <= o.count) start_next_block();
    Pending done = std::move(pending.front());
    pending.pop_front();
    Block block = done.block.get();
    // A block that did not end where the next one starts would not be the rows one generator makes in a row.
    if (block.end_state != done.end_state) throw std::logic_error("a block of rows ended off its generator's path");
    target.Write(block.bytes);
    spare_buffers.push_back(std::move(block.bytes));
    written += done.rows;
    progress.Update(written);
  }
}

int Generate(const Options& o, std::uint32_t seed) {
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
      std::fprintf(stderr, "quarrow-batch: --unique needs %llu MB for %u rows, more than this system gives\n",
                   static_cast<unsigned long long>(UniqueAddresses::BytesFor(o.count) >> 20),
                   static_cast<unsigned>(o.count));
      return kWriteFailed;
    }
  }

  std::unique_ptr<OutputTarget> target = OpenOutput(o.out.empty() ? "-" : o.out);
  RowFormat format(o.format, o.encoding, o.prefix,
                   regions ? regions->Regions() : std::span<const Region* const>());
  std::string chunk;
  format.AppendStart(chunk);
  target->Write(chunk);
  Progress progress(o.progress, o.count);
  if (!seen) {
    WriteInBlocks(o, seed, manual, regions, format, *target, progress);
    target->Commit();
    progress.Done();
    return kWritten;
  }
  chunk.clear();
  chunk.reserve(kChunk + 4096);
  const std::uint32_t first_state = maker.GeneratorState();
  for (std::uint32_t row = 1; row <= o.count; ++row) {
    Address address = maker.Next();
    while (!seen->Add(address.text, address.region ? address.region->code : 0)) {
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
      target->Write(chunk);
      chunk.clear();
    }
    if ((row & 0xFFFF) == 0) progress.Update(row);
  }
  target->Write(chunk);
  target->Commit();
  progress.Done();
  return kWritten;
}

}  // namespace

int Run(const Options& options, std::uint32_t clock_seed) {
  try {
    return Generate(options, options.seed.value_or(clock_seed));
  } catch (const UsageError& e) {
    std::fprintf(stderr, "quarrow-batch: %s\n", e.what());
    return kBadInput;
  } catch (const WriteError& e) {
    std::fprintf(stderr, "quarrow-batch: %s\n", e.what());
    return kWriteFailed;
  } catch (const std::exception& e) {
    // Out of memory, or a fault of the program: reported, and the output left as it was.
    std::fprintf(stderr, "quarrow-batch: stopped: %s\n", e.what());
    return kWriteFailed;
  }
}

}  // namespace quarrow::batch
