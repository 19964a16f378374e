// Rows made side by side by a fixed pool of workers and written in their order. Each worker makes whole blocks of
// consecutive rows, and hands its bytes on in chunks of about a set size, so that the memory a run holds is a few
// chunks per worker, whatever the length of a row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quarrow::batch {

// Makes the rows of a run for one worker, from any row on, one after the other.
class RowMaker {
 public:
  virtual ~RowMaker() = default;
  // The next row appended is `row`, numbered from 1 in the whole run.
  virtual void MoveTo(std::uint64_t row) = 0;
  virtual void AppendNext(std::string& out) = 0;
};

struct BlockPlan {
  std::uint64_t first_row = 1, last_row = 0;  // both written
  std::uint64_t rows_per_block = 1;
  unsigned workers = 1;
  std::size_t chunk_bytes = std::size_t{1} << 20;  // a worker hands its bytes on once it has made this many
};

// How many rows make about `chunk_bytes`, judged from the first rows `maker` makes; at least one, at most 65,536.
std::uint64_t RowsPerChunk(RowMaker& maker, std::uint64_t first_row, std::uint64_t last_row, std::size_t chunk_bytes);

// Calls `write` with the bytes of rows `plan.first_row` to `plan.last_row` in their order, and `written` with the
// number of rows written so far after each piece. A maker's or a writer's exception stops the workers and comes out
// of this call.
void WriteRowsInBlocks(const BlockPlan& plan, const std::function<std::unique_ptr<RowMaker>()>& new_maker,
                       const std::function<void(std::string_view)>& write,
                       const std::function<void(std::uint64_t)>& written);

}  // namespace quarrow::batch
