// A program with its own program header that ends with sounds playing, for tests that watch from outside that
// shutdown stops every sound, waits for its worker and still ends with the program's exit code. The first
// argument names the scenario, the second the file the program logs to.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

#include "internals/sound.h"
#include "internals/wave_file.h"
#include "runtime/facade.h"
#include "runtime/runtime.h"
#include "tests/support/probe_program.h"
#include "tests/win/fake_sound_output.h"

namespace {

using quarrow::testing::ProbeLog;
using quarrow::testing::ProbeScenario;

std::atomic<DWORD> shutdown_tick{0};

void ShutdownBegins() {
  shutdown_tick = ::GetTickCount();
  ProbeLog("shutdown with " + std::to_string(quarrow::PlayingWaveCount()) + " playing");
}

// Devices that take buffers and never hand one back: left alone, their sounds would play on until the 8888 ms
// time-out. Closing takes a moment, so that a shutdown that does not wait ends the process first; each device logs
// how long after the start of shutdown it was closed.
quarrow::testing::FakeWaveOutput& SilentOutput() {
  static quarrow::testing::FakeWaveOutput output;
  output.close_delay_ms = 200;
  output.on_close = [] { ProbeLog("closed " + std::to_string(::GetTickCount() - shutdown_tick)); };
  return output;
}

void StartSounds() {
  quarrow::Bytes samples(48000);
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::uint8_t>(i * 13);
  const quarrow::Bytes wave = quarrow::MakePcmWave(samples);
  int started = 0;
  for (int i = 0; i < 3; ++i) started += quarrow::PlayWave(wave.data(), wave.size(), i != 1, SilentOutput());
  // And music on the platform's own output, whatever this machine has.
  started += quarrow::PlayMusic(wave.data(), wave.size(), true);
  static quarrow::WindowMusic window;
  window.Start(wave.data(), wave.size(), 0);
  ProbeLog("started " + std::to_string(started) + " and the window's, playing " +
      std::to_string(quarrow::PlayingWaveCount()));
}

}  // namespace

namespace quarrow::program {

extern const ProgramHeader kHeader = {
    3, 0, 0x000100D4, nullptr, nullptr, 0, nullptr, 0, 0, nullptr, 0, nullptr, nullptr,
};

std::int32_t StartRoutine() {
  rt::InitialiseRuntime();
  rt::RegisterExitRoutine(ShutdownBegins);
  StartSounds();
  if (ProbeScenario() == "end-program") rt::EndProgram(5);
  return 0;  // "return": the normal end, through the exit processing with code 0
}

}  // namespace quarrow::program
