// Recording output devices for the sound players: they keep every call, hold written buffers until a test hands
// them back through the player's own callback, and check what the platform would refuse (unpreparing a queued
// buffer, closing a device with buffers queued).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "internals/midi_output.h"
#include "internals/wave_output.h"
#include "base/byte_stream.h"

namespace quarrow::testing {

// One call to a device, with the header's address and, for written buffers, a copy of their bytes.
struct DeviceCall {
  std::string what;  // "prepare", "unprepare", "write", "pause", "reset", "close"; MIDI adds "division",
                     // "out", "restart", "stop"
  const void* header = nullptr;
  Bytes data;
  DWORD value = 0;
  bool operator==(const DeviceCall&) const = default;
};

class FakeWaveOutput final : public WaveOutput {
 public:
  class Device;

  // No device: Open gives null, as on a machine without sound.
  bool no_device = false;
  // Closing takes this long, to show who waits for it.
  DWORD close_delay_ms = 0;
  // Called (on the player's thread) when a device has closed.
  std::function<void()> on_close;

  std::unique_ptr<WaveDevice> Open(const WAVEFORMATEX& format, WaveDeviceCallback callback, void* context) override;

  int Opens() const;
  // The n-th device opened, kept after its player has let it go.
  std::shared_ptr<Device> Opened(std::size_t n) const;

 private:
  mutable std::mutex mutex_;
  int opens_ = 0;
  std::vector<std::shared_ptr<Device>> devices_;
};

class FakeWaveOutput::Device {
 public:
  Device(const WAVEFORMATEX& format, WaveDeviceCallback callback, void* context, DWORD close_delay_ms,
         std::function<void()> on_close);

  std::vector<DeviceCall> Calls() const;
  std::vector<DeviceCall> Writes() const;
  std::size_t Queued() const;
  bool Closed() const;
  // Things the platform would have refused.
  std::vector<std::string> Misuse() const;
  Bytes Format() const { return format_; }
  // Hands the oldest queued buffer back as the platform does; false when none is queued or the device is closed.
  bool ReturnOldest();
  // Hands every queued buffer back in one go; the number handed back.
  std::size_t ReturnAll();

  void Prepare(WAVEHDR& header);
  void Unprepare(WAVEHDR& header);
  void Write(WAVEHDR& header);
  void Pause();
  void Reset();
  void Close();

 private:
  void Return(WAVEHDR* header);  // under mutex_

  mutable std::recursive_mutex mutex_;
  Bytes format_;
  WaveDeviceCallback callback_;
  void* context_;
  DWORD close_delay_ms_;
  std::function<void()> on_close_;
  std::vector<DeviceCall> calls_;
  std::vector<WAVEHDR*> queue_;
  std::vector<std::string> misuse_;
  bool closed_ = false;
};

class FakeMidiOutput final : public MidiOutput {
 public:
  class Stream;

  bool no_device = false;
  // The stream keeps its buffers when stopped, like a driver that never answers.
  bool keep_buffers_on_stop = false;

  std::unique_ptr<MidiStream> Open(MidiStreamCallback callback, void* context) override;

  int Opens() const;
  std::shared_ptr<Stream> Opened(std::size_t n) const;

 private:
  mutable std::mutex mutex_;
  int opens_ = 0;
  std::vector<std::shared_ptr<Stream>> streams_;
};

class FakeMidiOutput::Stream {
 public:
  Stream(MidiStreamCallback callback, void* context, bool keep_buffers_on_stop);

  std::vector<DeviceCall> Calls() const;
  // The stream records of every buffer queued so far, in order, as words.
  std::vector<std::uint32_t> RecordsOut() const;
  std::size_t Queued() const;
  bool Closed() const;
  std::vector<std::string> Misuse() const;
  bool ReturnOldest();

  void SetTimeDivision(DWORD division);
  void Prepare(MIDIHDR& header);
  void Unprepare(MIDIHDR& header);
  bool Out(MIDIHDR& header);
  void Restart();
  void Stop();
  void Reset();
  void Close();

 private:
  void Return(MIDIHDR* header);

  mutable std::recursive_mutex mutex_;
  MidiStreamCallback callback_;
  void* context_;
  bool keep_buffers_on_stop_;
  std::vector<DeviceCall> calls_;
  std::vector<MIDIHDR*> queue_;
  std::vector<std::string> misuse_;
  bool closed_ = false;
};

}  // namespace quarrow::testing
