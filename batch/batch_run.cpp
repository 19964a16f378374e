#include "batch/batch_run.h"

#include <chrono>
#include <cstdio>
#include <new>
#include <optional>
#include <string>

#include "batch/address_maker.h"
#include "batch/name_list_file.h"
#include "batch/output_target.h"
#include "batch/row_format.h"
#include "batch/unique_addresses.h"
#include "conversions/gbk_unicode.h"

namespace quarrow::batch {

namespace {

// Bytes gathered before each write: large enough that the system calls cost nothing, small enough to stay flat.
constexpr std::size_t kChunk = std::size_t{1} << 20;

std::optional<ManualSettings> ReadManualSettings(const Options& o) {
  if (!o.Manual()) return std::nullopt;
  ManualSettings m;
  m.roads = ReadNameList(o.roads_file, o.Utf8Output());
  m.communities = ReadNameList(o.communities_file, o.Utf8Output());
  m.house_min = o.house.low, m.house_max = o.house.high;
  m.building_min = o.building.low, m.building_max = o.building.high;
  m.unit_min = o.unit.low, m.unit_max = o.unit.high;
  m.room_min = o.room.low, m.room_max = o.room.high;
  return m;
}

void CheckPrefix(const Options& o) {
  std::string utf8;
  if (o.Utf8Output() && !AppendGbkAsUtf8(o.prefix, utf8)) {
    throw UsageError("--prefix is not valid GBK, so it cannot be written as UTF-8");
  }
  if (o.prefix.find('\0') != std::string::npos) throw UsageError("--prefix holds a zero byte");
}

// "12% (1200000 of 10000000 rows)" on one line of standard error, rewritten about four times a second.
class Progress {
 public:
  Progress(bool shown, std::uint32_t count) : shown_(shown), count_(count) {}
  void Row(std::uint32_t row) {
    if (!shown_ || (row & 0xFFFF) != 0) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < std::chrono::milliseconds(250)) return;
    last_ = now;
    std::fprintf(stderr, "\r%3u%% (%u of %u rows)", static_cast<unsigned>(std::uint64_t{row} * 100 / count_),
                 static_cast<unsigned>(row), static_cast<unsigned>(count_));
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

int Generate(const Options& o, std::uint32_t seed) {
  CheckPrefix(o);
  const std::optional<ManualSettings> manual = ReadManualSettings(o);
  AddressMaker maker(seed, manual);
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

  std::unique_ptr<OutputTarget> target = o.out.empty() ? OpenStandardOutput() : OpenReplacement(o.out);
  RowFormat format(o.format, o.encoding, o.prefix);
  std::string chunk;
  chunk.reserve(kChunk + 4096);
  format.AppendStart(chunk);
  Progress progress(o.progress, o.count);
  const std::uint32_t first_state = maker.GeneratorState();
  for (std::uint32_t row = 1; row <= o.count; ++row) {
    Address address = maker.Next();
    while (seen && !seen->Add(address.text)) {
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
    progress.Row(row);
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
