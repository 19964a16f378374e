#include "internals/sound.h"

#include <stdexcept>

#include "internals/midi_player.h"
#include "internals/music_data.h"
#include "internals/sound_state.h"
#include "runtime/runtime.h"

namespace quarrow {

std::int32_t SoundState::Play(const void* data, std::size_t size, bool loop) {
  if (data == nullptr || size == 0) return 0;
  switch (RecognizeMusic(data, size)) {
    case MusicKind::kWave: return PlayWave(data, size, loop);
    case MusicKind::kMidi: {
      midi.Stop();
      const auto* bytes = static_cast<const std::uint8_t*>(data);
      music.assign(bytes, bytes + size);
      if (midi.Load(music.data(), music.size())) midi.Play(loop);
      return 1;  // the request was taken, whether or not the file could be read
    }
    case MusicKind::kNone: break;
  }
  return 0;
}

void SoundState::StopAll(bool wait) {
  midi.Stop();
  StopAllWaveSounds(wait);
}

SoundState& RuntimeSound() {
  // The wave players enter themselves in the list of the runtime's music, which can only be this one.
  auto* sound = dynamic_cast<SoundState*>(TheRuntime().Sound());
  if (sound == nullptr) throw std::logic_error("the runtime was given no music");
  return *sound;
}

std::int32_t PlayMusic(const void* data, std::size_t size, bool loop) {
  return RuntimeSound().Play(data, size, loop);
}

void StopAllMusic(bool wait) { RuntimeSound().StopAll(wait); }

WindowMusic::WindowMusic() : WindowMusic(SystemMidiOutput()) {}

WindowMusic::WindowMusic(MidiOutput& midi_output) : midi_output_(&midi_output) {}

WindowMusic::~WindowMusic() { Stop(); }

void WindowMusic::Start(const void* data, std::size_t size, std::int32_t mode) {
  Stop();
  if (data == nullptr || size == 0 || (mode != 0 && mode != 1)) return;
  const bool repeat = mode == 0;
  switch (RecognizeMusic(data, size)) {
    case MusicKind::kWave:
      kind_ = Kind::kWave;
      PlayWave(data, size, repeat);
      break;
    case MusicKind::kMidi:
      kind_ = Kind::kMidi;
      if (!midi_) midi_ = std::make_unique<MidiPlayer>(*midi_output_);
      if (midi_->Load(data, size)) midi_->Play(repeat);
      break;
    case MusicKind::kNone: break;
  }
}

void WindowMusic::Stop() {
  switch (kind_) {
    case Kind::kWave: StopAllWaveSounds(false); break;
    case Kind::kMidi:
      if (midi_) midi_->Stop();
      break;
    case Kind::kNone: break;
  }
  kind_ = Kind::kNone;
}

}  // namespace quarrow
