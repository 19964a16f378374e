#include "internals/wave_output.h"

namespace quarrow {

namespace {

class SystemWaveDevice final : public WaveDevice {
 public:
  explicit SystemWaveDevice(HWAVEOUT device) : device_(device) {}
  ~SystemWaveDevice() override { Close(); }

  void Prepare(WAVEHDR& header) override { ::waveOutPrepareHeader(device_, &header, sizeof header); }
  void Unprepare(WAVEHDR& header) override { ::waveOutUnprepareHeader(device_, &header, sizeof header); }
  void Write(WAVEHDR& header) override { ::waveOutWrite(device_, &header, sizeof header); }
  void Pause() override { ::waveOutPause(device_); }
  void Reset() override { ::waveOutReset(device_); }
  void Close() override {
    if (device_ != nullptr) ::waveOutClose(device_);
    device_ = nullptr;
  }

 private:
  HWAVEOUT device_;
};

class SystemOutput final : public WaveOutput {
 public:
  std::unique_ptr<WaveDevice> Open(const WAVEFORMATEX& format, WaveDeviceCallback callback,
                                   void* context) override {
    if (::waveOutGetNumDevs() == 0) return nullptr;
    HWAVEOUT device = nullptr;
    if (::waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(callback),
                      reinterpret_cast<DWORD_PTR>(context), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
      return nullptr;
    }
    return std::make_unique<SystemWaveDevice>(device);
  }
};

}  // namespace

WaveOutput& SystemWaveOutput() {
  static SystemOutput output;  // holds no state
  return output;
}

}  // namespace quarrow
