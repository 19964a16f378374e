// The wave player: one per playing wave sound, created by PlayWave and deleted by its own worker thread.
//
// The worker keeps a ring of twenty buffers at the device. A semaphore counts the buffers the device has handed
// back (the device callback releases it), so the worker sleeps until there is a buffer to fill, the stop event is
// set, or 8888 ms pass with neither; the last case ends a sound whose device has gone quiet or does not exist.
#include <algorithm>
#include <cstring>
#include <new>

#include "internals/sound.h"
#include "internals/sound_state.h"
#include "internals/wave_file.h"
#include "internals/wave_output.h"
#include "base/handles.h"
#include "runtime/runtime.h"

namespace quarrow {

namespace {
constexpr int kBufferCount = 20;
constexpr DWORD kBufferBytes = 15360;
constexpr DWORD kIdleTimeout = 8888;

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(WAVEHDR) == 32, "the ring block starts with twenty 32-byte headers");
#endif
}  // namespace

class WavePlayer {
 public:
  WavePlayer(std::span<const std::uint8_t> samples, bool loop)
      : samples_(samples.begin(), samples.end()),
        loop_(loop),
        ring_(new (std::nothrow) std::uint8_t[kBufferCount * (sizeof(WAVEHDR) + kBufferBytes)]()),
        free_buffers_(::CreateSemaphoreA(nullptr, kBufferCount, kBufferCount, nullptr)),
        stop_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (!ring_) return;
    std::uint8_t* area = ring_.get() + kBufferCount * sizeof(WAVEHDR);
    for (int i = 0; i < kBufferCount; ++i) Header(i).lpData = reinterpret_cast<LPSTR>(area + i * kBufferBytes);
  }

  bool Ready() const { return ring_ && free_buffers_ && stop_; }

  // Creates the worker suspended, enters the player in the list, then lets the worker run; false when the
  // thread cannot be made.
  bool StartWorker() {
    DWORD id = 0;
    thread_.Reset(::CreateThread(nullptr, 0, &WavePlayer::Worker, this, CREATE_SUSPENDED, &id));
    if (!thread_) return false;
    {
      ScopedLock lock(TheRuntime().RuntimeLock());
      RuntimeSound().wave_players.push_back(this);
    }
    ::ResumeThread(thread_.Get());
    return true;
  }

  static void CALLBACK DeviceCallback(HWAVEOUT, UINT message, DWORD_PTR context, DWORD_PTR, DWORD_PTR) {
    if (message != WOM_DONE) return;
    auto* player = reinterpret_cast<WavePlayer*>(context);
    // The release stays inside the lock so that a player that ends cannot be deleted under a running callback.
    ScopedLock lock(player->lock_);
    ++player->free_count_;
    ::ReleaseSemaphore(player->free_buffers_.Get(), 1, nullptr);
  }

  // No device (none present, or it cannot take the format) leaves the player without one.
  void OpenDevice(WaveOutput& output, const WAVEFORMATEX& format) {
    device_ = output.Open(format, &WavePlayer::DeviceCallback, this);
  }
  HANDLE Thread() const { return thread_.Get(); }
  HANDLE StopEvent() const { return stop_.Get(); }

 private:
  static DWORD WINAPI Worker(void* self) {
    auto* player = static_cast<WavePlayer*>(self);
    player->Run();
    player->End();
    return 0;
  }

  WAVEHDR& Header(int i) { return reinterpret_cast<WAVEHDR*>(ring_.get())[i]; }

  int FreeCount() {
    ScopedLock lock(lock_);
    return free_count_;
  }

  void UnprepareAll() {
    for (int i = 0; i < kBufferCount; ++i) {
      if (device_ && (Header(i).dwFlags & WHDR_PREPARED)) device_->Unprepare(Header(i));
    }
  }

  void Run() {
    const HANDLE waits[2] = {stop_.Get(), free_buffers_.Get()};
    for (;;) {
      const DWORD woken = ::WaitForMultipleObjects(2, waits, FALSE, kIdleTimeout);
      if (woken == WAIT_OBJECT_0 + 1) {
        if (FillNextBuffer()) continue;
        return;
      }
      if (woken == WAIT_OBJECT_0 || woken == WAIT_TIMEOUT) {
        if (device_) {
          device_->Pause();
          device_->Reset();
        }
        UnprepareAll();
        return;
      }
      // A failed wait: try again.
    }
  }

  // One free buffer was signalled. False when every byte has been played and the sound does not repeat.
  bool FillNextBuffer() {
    const int free_count = FreeCount();
    if (free_count < 1) return true;
    WAVEHDR& header = Header(current_);
    if (device_ && (header.dwFlags & WHDR_PREPARED)) device_->Unprepare(header);

    const std::size_t n = std::min<std::size_t>(samples_.size() - position_, kBufferBytes);
    if (n < 1) {
      if (free_count < kBufferCount) return true;  // buffers are still at the device
      if (!loop_) {
        UnprepareAll();
        return false;
      }
      ScopedLock lock(lock_);
      position_ = 0;
      current_ = 0;
      free_count_ = kBufferCount;
      // Permits left over from buffers that came back while the last bytes were queued would make the release
      // overflow the semaphore and fail, losing all twenty; take them back first.
      while (::WaitForSingleObject(free_buffers_.Get(), 0) == WAIT_OBJECT_0) {
      }
      ::ReleaseSemaphore(free_buffers_.Get(), kBufferCount, nullptr);
      return true;
    }

    std::memcpy(header.lpData, samples_.data() + position_, n);
    header.dwBufferLength = static_cast<DWORD>(n);
    header.dwFlags = 0;
    position_ += n;
    if (device_) {
      device_->Prepare(header);
      device_->Write(header);
    }
    {
      ScopedLock lock(lock_);
      --free_count_;
    }
    current_ = (current_ + 1) % kBufferCount;
    return true;
  }

  // Leaves the list, closes the device and deletes the player with everything it holds.
  void End() {
    {
      ScopedLock lock(TheRuntime().RuntimeLock());
      auto& players = RuntimeSound().wave_players;
      players.erase(std::remove(players.begin(), players.end(), this), players.end());
    }
    if (device_) device_->Close();
    { ScopedLock barrier(lock_); }  // a callback that was running when the device closed has finished
    delete this;
  }

  Bytes samples_;
  std::size_t position_ = 0;
  bool loop_;
  // Twenty headers, then the twenty data areas, zero-filled.
  std::unique_ptr<std::uint8_t[]> ring_;
  int current_ = 0;
  int free_count_ = kBufferCount;  // under lock_
  OwnedHandle free_buffers_;
  OwnedHandle stop_;
  CriticalSection lock_;
  std::unique_ptr<WaveDevice> device_;
  OwnedHandle thread_;
};

std::int32_t PlayWave(const void* data, std::size_t size, bool loop) {
  return PlayWave(data, size, loop, SystemWaveOutput());
}

std::int32_t PlayWave(const void* data, std::size_t size, bool loop, WaveOutput& output) {
  if (data == nullptr) return 0;
  const WaveParts parts = FindWaveParts({static_cast<const std::uint8_t*>(data), size});
  if (!parts.Playable()) return 0;

  std::unique_ptr<WavePlayer> player;
  try {
    player = std::make_unique<WavePlayer>(parts.samples, loop);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (!player->Ready()) return 0;
  const Bytes format = WaveFormatBlock(parts.format);
  player->OpenDevice(output, *reinterpret_cast<const WAVEFORMATEX*>(format.data()));
  if (!player->StartWorker()) return 0;
  player.release();  // the worker deletes it
  return 1;
}

void StopAllWaveSounds(bool wait) {
  std::vector<OwnedHandle> threads;
  {
    ScopedLock lock(TheRuntime().RuntimeLock());
    const auto& players = RuntimeSound().wave_players;
    if (wait) {
      // A worker closes its own thread handle as it ends, possibly before we wait: wait on duplicates.
      const HANDLE process = ::GetCurrentProcess();
      for (WavePlayer* player : players) {
        HANDLE copy = nullptr;
        if (::DuplicateHandle(process, player->Thread(), process, &copy, SYNCHRONIZE, FALSE, 0)) {
          threads.emplace_back(copy);
        }
      }
    }
    for (WavePlayer* player : players) ::SetEvent(player->StopEvent());
  }
  for (const OwnedHandle& thread : threads) ::WaitForSingleObject(thread.Get(), INFINITE);
}

std::size_t PlayingWaveCount() {
  ScopedLock lock(TheRuntime().RuntimeLock());
  return RuntimeSound().wave_players.size();
}

}  // namespace quarrow
