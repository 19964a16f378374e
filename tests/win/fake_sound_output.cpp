#include "tests/win/fake_sound_output.h"

#include <algorithm>

namespace quarrow::testing {

namespace {

Bytes Copy(const void* data, std::size_t n) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  return Bytes(p, p + n);
}

class WaveDeviceProxy final : public WaveDevice {
 public:
  explicit WaveDeviceProxy(std::shared_ptr<FakeWaveOutput::Device> device) : device_(std::move(device)) {}
  ~WaveDeviceProxy() override {
    if (!device_->Closed()) device_->Close();
  }
  void Prepare(WAVEHDR& header) override { device_->Prepare(header); }
  void Unprepare(WAVEHDR& header) override { device_->Unprepare(header); }
  void Write(WAVEHDR& header) override { device_->Write(header); }
  void Pause() override { device_->Pause(); }
  void Reset() override { device_->Reset(); }
  void Close() override { device_->Close(); }

 private:
  std::shared_ptr<FakeWaveOutput::Device> device_;
};

class MidiStreamProxy final : public MidiStream {
 public:
  explicit MidiStreamProxy(std::shared_ptr<FakeMidiOutput::Stream> stream) : stream_(std::move(stream)) {}
  ~MidiStreamProxy() override {
    if (!stream_->Closed()) stream_->Close();
  }
  void SetTimeDivision(DWORD division) override { stream_->SetTimeDivision(division); }
  void Prepare(MIDIHDR& header) override { stream_->Prepare(header); }
  void Unprepare(MIDIHDR& header) override { stream_->Unprepare(header); }
  bool Out(MIDIHDR& header) override { return stream_->Out(header); }
  void Restart() override { stream_->Restart(); }
  void Stop() override { stream_->Stop(); }
  void Reset() override { stream_->Reset(); }
  void Close() override { stream_->Close(); }

 private:
  std::shared_ptr<FakeMidiOutput::Stream> stream_;
};

}  // namespace

// Wave output.

std::unique_ptr<WaveDevice> FakeWaveOutput::Open(const WAVEFORMATEX& format, WaveDeviceCallback callback,
                                                 void* context) {
  std::lock_guard lock(mutex_);
  ++opens_;
  if (no_device) return nullptr;
  auto device = std::make_shared<Device>(format, callback, context, close_delay_ms, on_close);
  devices_.push_back(device);
  return std::make_unique<WaveDeviceProxy>(device);
}

int FakeWaveOutput::Opens() const {
  std::lock_guard lock(mutex_);
  return opens_;
}

std::shared_ptr<FakeWaveOutput::Device> FakeWaveOutput::Opened(std::size_t n) const {
  std::lock_guard lock(mutex_);
  return n < devices_.size() ? devices_[n] : nullptr;
}

FakeWaveOutput::Device::Device(const WAVEFORMATEX& format, WaveDeviceCallback callback, void* context,
                               DWORD close_delay_ms, std::function<void()> on_close)
    : format_(Copy(&format, sizeof(WAVEFORMATEX) + format.cbSize)),
      callback_(callback),
      context_(context),
      close_delay_ms_(close_delay_ms),
      on_close_(std::move(on_close)) {}

std::vector<DeviceCall> FakeWaveOutput::Device::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<DeviceCall> FakeWaveOutput::Device::Writes() const {
  std::lock_guard lock(mutex_);
  std::vector<DeviceCall> writes;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(writes),
               [](const DeviceCall& c) { return c.what == "write"; });
  return writes;
}

std::size_t FakeWaveOutput::Device::Queued() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

bool FakeWaveOutput::Device::Closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

std::vector<std::string> FakeWaveOutput::Device::Misuse() const {
  std::lock_guard lock(mutex_);
  return misuse_;
}

bool FakeWaveOutput::Device::ReturnOldest() {
  std::lock_guard lock(mutex_);
  if (closed_ || queue_.empty()) return false;
  WAVEHDR* header = queue_.front();
  queue_.erase(queue_.begin());
  Return(header);
  return true;
}

std::size_t FakeWaveOutput::Device::ReturnAll() {
  std::lock_guard lock(mutex_);
  std::size_t n = 0;
  while (!closed_ && !queue_.empty()) {
    WAVEHDR* header = queue_.front();
    queue_.erase(queue_.begin());
    Return(header);
    ++n;
  }
  return n;
}

void FakeWaveOutput::Device::Return(WAVEHDR* header) {
  header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
  callback_(nullptr, WOM_DONE, reinterpret_cast<DWORD_PTR>(context_), reinterpret_cast<DWORD_PTR>(header), 0);
}

void FakeWaveOutput::Device::Prepare(WAVEHDR& header) {
  std::lock_guard lock(mutex_);
  if (closed_) misuse_.push_back("prepare after close");
  header.dwFlags |= WHDR_PREPARED;
  calls_.push_back({"prepare", &header, {}, 0});
}

void FakeWaveOutput::Device::Unprepare(WAVEHDR& header) {
  std::lock_guard lock(mutex_);
  calls_.push_back({"unprepare", &header, {}, 0});
  if (header.dwFlags & WHDR_INQUEUE) {
    misuse_.push_back("unprepare of a queued buffer");
    return;
  }
  header.dwFlags &= ~WHDR_PREPARED;
}

void FakeWaveOutput::Device::Write(WAVEHDR& header) {
  std::lock_guard lock(mutex_);
  if (!(header.dwFlags & WHDR_PREPARED)) misuse_.push_back("write of an unprepared buffer");
  if (closed_) misuse_.push_back("write after close");
  header.dwFlags = (header.dwFlags | WHDR_INQUEUE) & ~WHDR_DONE;
  queue_.push_back(&header);
  calls_.push_back({"write", &header, Copy(header.lpData, header.dwBufferLength), header.dwBufferLength});
}

void FakeWaveOutput::Device::Pause() {
  std::lock_guard lock(mutex_);
  calls_.push_back({"pause", nullptr, {}, 0});
}

void FakeWaveOutput::Device::Reset() {
  std::lock_guard lock(mutex_);
  calls_.push_back({"reset", nullptr, {}, 0});
  while (!queue_.empty()) {
    WAVEHDR* header = queue_.front();
    queue_.erase(queue_.begin());
    Return(header);
  }
}

void FakeWaveOutput::Device::Close() {
  if (close_delay_ms_) ::Sleep(close_delay_ms_);
  {
    std::lock_guard lock(mutex_);
    if (!queue_.empty()) misuse_.push_back("close with buffers queued");
    if (closed_) misuse_.push_back("closed twice");
    closed_ = true;
    calls_.push_back({"close", nullptr, {}, 0});
  }
  if (on_close_) on_close_();
}

// MIDI output.

std::unique_ptr<MidiStream> FakeMidiOutput::Open(MidiStreamCallback callback, void* context) {
  std::lock_guard lock(mutex_);
  ++opens_;
  if (no_device) return nullptr;
  auto stream = std::make_shared<Stream>(callback, context, keep_buffers_on_stop);
  streams_.push_back(stream);
  return std::make_unique<MidiStreamProxy>(stream);
}

int FakeMidiOutput::Opens() const {
  std::lock_guard lock(mutex_);
  return opens_;
}

std::shared_ptr<FakeMidiOutput::Stream> FakeMidiOutput::Opened(std::size_t n) const {
  std::lock_guard lock(mutex_);
  return n < streams_.size() ? streams_[n] : nullptr;
}

FakeMidiOutput::Stream::Stream(MidiStreamCallback callback, void* context, bool keep_buffers_on_stop)
    : callback_(callback), context_(context), keep_buffers_on_stop_(keep_buffers_on_stop) {}

std::vector<DeviceCall> FakeMidiOutput::Stream::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<std::uint32_t> FakeMidiOutput::Stream::RecordsOut() const {
  std::lock_guard lock(mutex_);
  std::vector<std::uint32_t> words;
  for (const DeviceCall& c : calls_) {
    if (c.what != "out") continue;
    for (std::size_t i = 0; i + 4 <= c.data.size(); i += 4) {
      words.push_back(c.data[i] | (c.data[i + 1] << 8) | (c.data[i + 2] << 16) |
                      (static_cast<std::uint32_t>(c.data[i + 3]) << 24));
    }
  }
  return words;
}

std::size_t FakeMidiOutput::Stream::Queued() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

bool FakeMidiOutput::Stream::Closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

std::vector<std::string> FakeMidiOutput::Stream::Misuse() const {
  std::lock_guard lock(mutex_);
  return misuse_;
}

bool FakeMidiOutput::Stream::ReturnOldest() {
  std::lock_guard lock(mutex_);
  if (closed_ || queue_.empty()) return false;
  MIDIHDR* header = queue_.front();
  queue_.erase(queue_.begin());
  Return(header);
  return true;
}

void FakeMidiOutput::Stream::Return(MIDIHDR* header) {
  header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
  callback_(nullptr, MOM_DONE, reinterpret_cast<DWORD_PTR>(context_), reinterpret_cast<DWORD_PTR>(header), 0);
}

void FakeMidiOutput::Stream::SetTimeDivision(DWORD division) {
  std::lock_guard lock(mutex_);
  calls_.push_back({"division", nullptr, {}, division});
}

void FakeMidiOutput::Stream::Prepare(MIDIHDR& header) {
  std::lock_guard lock(mutex_);
  header.dwFlags |= MHDR_PREPARED;
  calls_.push_back({"prepare", &header, {}, header.dwBufferLength});
}

void FakeMidiOutput::Stream::Unprepare(MIDIHDR& header) {
  std::lock_guard lock(mutex_);
  calls_.push_back({"unprepare", &header, {}, 0});
  if (header.dwFlags & MHDR_INQUEUE) {
    misuse_.push_back("unprepare of a queued buffer");
    return;
  }
  header.dwFlags &= ~MHDR_PREPARED;
}

bool FakeMidiOutput::Stream::Out(MIDIHDR& header) {
  std::lock_guard lock(mutex_);
  if (!(header.dwFlags & MHDR_PREPARED)) misuse_.push_back("out of an unprepared buffer");
  if (header.dwFlags & MHDR_INQUEUE) misuse_.push_back("out of a queued buffer");
  if (header.dwBytesRecorded > header.dwBufferLength) misuse_.push_back("more bytes than the buffer holds");
  if (closed_) misuse_.push_back("out after close");
  header.dwFlags = (header.dwFlags | MHDR_INQUEUE) & ~MHDR_DONE;
  queue_.push_back(&header);
  calls_.push_back({"out", &header, Copy(header.lpData, header.dwBytesRecorded), header.dwBytesRecorded});
  return true;
}

void FakeMidiOutput::Stream::Restart() {
  std::lock_guard lock(mutex_);
  calls_.push_back({"restart", nullptr, {}, 0});
}

void FakeMidiOutput::Stream::Stop() {
  std::lock_guard lock(mutex_);
  calls_.push_back({"stop", nullptr, {}, 0});
  if (keep_buffers_on_stop_) return;
  while (!queue_.empty()) {
    MIDIHDR* header = queue_.front();
    queue_.erase(queue_.begin());
    Return(header);
  }
}

void FakeMidiOutput::Stream::Reset() {
  std::lock_guard lock(mutex_);
  calls_.push_back({"reset", nullptr, {}, 0});
}

void FakeMidiOutput::Stream::Close() {
  std::lock_guard lock(mutex_);
  if (!queue_.empty() && !keep_buffers_on_stop_) misuse_.push_back("close with buffers queued");
  if (closed_) misuse_.push_back("closed twice");
  closed_ = true;
  calls_.push_back({"close", nullptr, {}, 0});
}

}  // namespace quarrow::testing
