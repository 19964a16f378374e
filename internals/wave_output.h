// The wave-output device layer under the wave player. The program writes to the platform's wave output; tests put
// a recording device here. Either way the player's worker thread, ring, semaphore and list are the same code,
// and the device hands buffers back through the same callback the platform calls.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <memory>

namespace quarrow {

// The device callback exactly as the platform calls it: the device, the message (buffer done is WOM_DONE), the
// context given at opening, and the message's two parameters (for WOM_DONE the header).
using WaveDeviceCallback = void(CALLBACK*)(HWAVEOUT device, UINT message, DWORD_PTR context, DWORD_PTR param1,
                                           DWORD_PTR param2);

// One opened output device.
class WaveDevice {
 public:
  virtual ~WaveDevice() = default;
  virtual void Prepare(WAVEHDR& header) = 0;
  virtual void Unprepare(WAVEHDR& header) = 0;
  virtual void Write(WAVEHDR& header) = 0;
  virtual void Pause() = 0;
  // Stops playing and hands every queued buffer back through the callback.
  virtual void Reset() = 0;
  // After Close the callback is not called any more.
  virtual void Close() = 0;
};

class WaveOutput {
 public:
  virtual ~WaveOutput() = default;
  // The default output device opened for the format, or null when there is none or it cannot take the format.
  virtual std::unique_ptr<WaveDevice> Open(const WAVEFORMATEX& format, WaveDeviceCallback callback,
                                           void* context) = 0;
};

// The platform's wave output.
WaveOutput& SystemWaveOutput();

}  // namespace quarrow
