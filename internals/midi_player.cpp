#include "internals/midi_player.h"

namespace quarrow {

static_assert(midi_event::kShortMessage == MEVT_SHORTMSG && midi_event::kTempo == MEVT_TEMPO &&
              midi_event::kNothing == MEVT_NOP);
static_assert(sizeof(MIDIEVENT) - sizeof(DWORD) == kMidiStreamRecordWords * sizeof(std::uint32_t),
              "a short stream record is delta time, stream id and event word");

MidiPlayer::MidiPlayer(MidiOutput& output)
    : output_(&output), buffer_back_(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

MidiPlayer::~MidiPlayer() { Stop(); }

void MidiPlayer::UseOutput(MidiOutput& output) {
  Stop();
  output_ = &output;
}

bool MidiPlayer::Load(const void* data, std::size_t size) {
  Stop();
  song_.reset();
  if (data == nullptr) return false;
  song_ = ReadMidiFile({static_cast<const std::uint8_t*>(data), size});
  return song_.has_value();
}

bool MidiPlayer::Play(bool repeat) {
  Stop();
  if (!song_ || !buffer_back_) return false;
  stream_ = output_->Open(&MidiPlayer::StreamCallback, this);
  if (!stream_) return false;
  stream_->SetTimeDivision(song_->division);

  feed_ = MidiStreamFeed(*song_, repeat);
  stopping_ = false;
  played_to_end_ = false;
  ::ResetEvent(buffer_back_.Get());
  for (int i = 0; i < 2; ++i) {
    words_[i].assign(kRecordsPerBuffer * kMidiStreamRecordWords, 0);
    headers_[i] = {};
    headers_[i].lpData = reinterpret_cast<LPSTR>(words_[i].data());
    headers_[i].dwBufferLength = static_cast<DWORD>(words_[i].size() * sizeof(std::uint32_t));
    stream_->Prepare(headers_[i]);
    queued_[i] = false;
  }
  Send(0);
  Send(1);
  feeder_.Reset(::CreateThread(nullptr, 0, &MidiPlayer::Feeder, this, 0, nullptr));
  stream_->Restart();
  return true;
}

void MidiPlayer::Stop() {
  if (!stream_) return;
  stopping_ = true;
  ::SetEvent(buffer_back_.Get());
  if (feeder_) ::WaitForSingleObject(feeder_.Get(), INFINITE);  // it only ever waits for buffer_back_
  feeder_.Reset();

  stream_->Stop();
  stream_->Reset();
  const DWORD started = ::GetTickCount();
  while (AnyQueued() && ::GetTickCount() - started < kStopWait) ::WaitForSingleObject(buffer_back_.Get(), 50);
  for (MIDIHDR& header : headers_) stream_->Unprepare(header);
  stream_->Close();
  stream_.reset();
}

void CALLBACK MidiPlayer::StreamCallback(HMIDIOUT, UINT message, DWORD_PTR context, DWORD_PTR param1, DWORD_PTR) {
  if (message != MOM_DONE) return;
  auto* player = reinterpret_cast<MidiPlayer*>(context);
  const auto* header = reinterpret_cast<const MIDIHDR*>(param1);
  for (int i = 0; i < 2; ++i) {
    if (header == &player->headers_[i]) player->queued_[i] = false;
  }
  ::SetEvent(player->buffer_back_.Get());
}

DWORD WINAPI MidiPlayer::Feeder(void* self) {
  static_cast<MidiPlayer*>(self)->Feed();
  return 0;
}

void MidiPlayer::Feed() {
  for (;;) {
    ::WaitForSingleObject(buffer_back_.Get(), INFINITE);
    if (stopping_) return;
    for (int i = 0; i < 2; ++i) {
      if (!queued_[i]) Send(i);
    }
    if (!AnyQueued() && feed_.Finished()) {
      played_to_end_ = true;
      return;
    }
  }
}

bool MidiPlayer::Send(int i) {
  const std::size_t words = feed_.Fill(words_[i]);
  if (words == 0) return false;
  headers_[i].dwBytesRecorded = static_cast<DWORD>(words * sizeof(std::uint32_t));
  queued_[i] = true;
  if (!stream_->Out(headers_[i])) {
    queued_[i] = false;
    return false;
  }
  return true;
}

}  // namespace quarrow
