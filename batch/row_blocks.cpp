#include "batch/row_blocks.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace quarrow::batch {

namespace {

// Chunks a worker may have made ahead of the writer, besides the one it is filling.
constexpr std::size_t kChunksAhead = 2;
constexpr std::uint64_t kMostRowsPerBlock = 65536;

struct Chunk {
  std::string bytes;
  std::uint64_t rows = 0;
  bool ends_block = false;
};

// One worker: its thread, and the chunks it has made that the writer has not taken yet. Worker w makes blocks w,
// w + workers, w + 2 × workers, ..., which is the order in which the writer comes for them.
class Worker {
 public:
  Worker(const BlockPlan& plan, unsigned index, const std::function<std::unique_ptr<RowMaker>()>& new_maker)
      : plan_(plan), index_(index), new_maker_(new_maker) {}

  void Start() { thread_ = std::thread([this] { Run(); }); }

  void Stop() {
    {
      std::lock_guard lock(mutex_);
      stopped_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
  }

  // The next chunk, in the order made; rethrows what stopped the worker.
  Chunk Take() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !made_.empty() || error_; });
    if (made_.empty()) std::rethrow_exception(error_);
    Chunk chunk = std::move(made_.front());
    made_.pop_front();
    changed_.notify_all();
    return chunk;
  }

  // A chunk's room, written and handed back: used again, it costs the system no new pages.
  void GiveBack(std::string bytes) {
    std::lock_guard lock(mutex_);
    bytes.clear();
    spare_.push_back(std::move(bytes));
  }

 private:
  void Run() {
    try {
      const std::unique_ptr<RowMaker> maker = new_maker_();
      const std::uint64_t blocks_before_last = (plan_.last_row - plan_.first_row) / plan_.rows_per_block;
      for (std::uint64_t block = index_; block <= blocks_before_last; block += plan_.workers) {
        const std::uint64_t first = plan_.first_row + block * plan_.rows_per_block;
        const std::uint64_t last = std::min(plan_.last_row, first + plan_.rows_per_block - 1);
        maker->MoveTo(first);
        Chunk chunk = Fresh();
        for (std::uint64_t row = first; row <= last; ++row) {
          maker->AppendNext(chunk.bytes);
          ++chunk.rows;
          if (chunk.bytes.size() >= plan_.chunk_bytes && row != last) {
            if (!Hand(std::move(chunk))) return;
            chunk = Fresh();
          }
        }
        chunk.ends_block = true;
        if (!Hand(std::move(chunk))) return;
      }
    } catch (...) {
      std::lock_guard lock(mutex_);
      error_ = std::current_exception();
      changed_.notify_all();
    }
  }

  Chunk Fresh() {
    Chunk chunk;
    std::lock_guard lock(mutex_);
    if (!spare_.empty()) {
      chunk.bytes = std::move(spare_.back());
      spare_.pop_back();
    }
    chunk.bytes.reserve(plan_.chunk_bytes + plan_.chunk_bytes / 8);
    return chunk;
  }

  // Waits until the writer has room for the chunk; false once the run is stopped.
  bool Hand(Chunk chunk) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return made_.size() < kChunksAhead || stopped_; });
    if (stopped_) return false;
    made_.push_back(std::move(chunk));
    changed_.notify_all();
    return true;
  }

  const BlockPlan& plan_;
  const unsigned index_;
  const std::function<std::unique_ptr<RowMaker>()>& new_maker_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Chunk> made_;
  std::vector<std::string> spare_;
  std::exception_ptr error_;
  bool stopped_ = false;
};

// Stops and joins the workers on every way out of the writer's loop.
class WorkerPool {
 public:
  WorkerPool(const BlockPlan& plan, const std::function<std::unique_ptr<RowMaker>()>& new_maker) {
    for (unsigned i = 0; i < plan.workers; ++i) workers_.push_back(std::make_unique<Worker>(plan, i, new_maker));
    for (const auto& worker : workers_) worker->Start();
  }
  ~WorkerPool() {
    for (const auto& worker : workers_) worker->Stop();
  }
  Worker& For(std::uint64_t block) { return *workers_[block % workers_.size()]; }

 private:
  std::vector<std::unique_ptr<Worker>> workers_;
};

}  // namespace

std::uint64_t RowsPerChunk(RowMaker& maker, std::uint64_t first_row, std::uint64_t last_row, std::size_t chunk_bytes) {
  constexpr std::uint64_t kSample = 64;
  const std::uint64_t sample = std::min(kSample, last_row - first_row + 1);
  std::string bytes;
  maker.MoveTo(first_row);
  for (std::uint64_t i = 0; i < sample; ++i) maker.AppendNext(bytes);
  const std::uint64_t average = std::max<std::uint64_t>(1, bytes.size() / sample);
  return std::clamp<std::uint64_t>(chunk_bytes / average, 1, kMostRowsPerBlock);
}

void WriteRowsInBlocks(const BlockPlan& plan, const std::function<std::unique_ptr<RowMaker>()>& new_maker,
                       const std::function<void(std::string_view)>& write,
                       const std::function<void(std::uint64_t)>& written) {
  if (plan.last_row < plan.first_row) return;
  WorkerPool pool(plan, new_maker);
  const std::uint64_t blocks = (plan.last_row - plan.first_row) / plan.rows_per_block + 1;
  std::uint64_t rows = 0;
  for (std::uint64_t block = 0; block < blocks; ++block) {
    Worker& worker = pool.For(block);
    for (bool block_done = false; !block_done;) {
      Chunk chunk = worker.Take();
      write(chunk.bytes);
      rows += chunk.rows;
      block_done = chunk.ends_block;
      worker.GiveBack(std::move(chunk.bytes));
      written(rows);
    }
  }
}

}  // namespace quarrow::batch
