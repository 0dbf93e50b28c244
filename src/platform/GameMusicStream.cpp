// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GameMusicStream.h"

#include <cmath>
#include <string>

#include "platform/AudioDevice.h"
#include "platform/MixerLibrary.h"
#include "platform/Resources.h"

namespace {

// The track the mixer plays now. The mixer knows only that some track plays, and the stop of
// one track must not silence another that has replaced it.
const Mix_Music* pmusicOnAir = nullptr;

int MixerVolume(float v) {
  return static_cast<int>(std::lround(v * MIX_MAX_VOLUME));
}

}  // namespace

GameMusicStream::GameMusicStream(const char* file) {
  const std::string path = ResourcePath("Music", file);
  if (path.empty() || !OpenAudioDevice()) return;
  m_pMusic = Mixer()->LoadMUS(path.c_str());
}

GameMusicStream::~GameMusicStream() {
  Stop();
  if (m_pMusic) Mixer()->FreeMusic(m_pMusic);
}

void GameMusicStream::Play() {
  if (!m_pMusic || IsPlaying()) return;
  Mixer()->VolumeMusic(MixerVolume(m_fltVolume));
  // -1: the mixer loops the track from its beginning for as long as it plays.
  if (Mixer()->PlayMusic(m_pMusic, -1) == 0) pmusicOnAir = m_pMusic;
}

void GameMusicStream::Stop() {
  if (!m_pMusic || pmusicOnAir != m_pMusic) return;
  // The mixer starts a halted track from its beginning at the next play: that is the rewind.
  Mixer()->HaltMusic();
  pmusicOnAir = nullptr;
}

bool GameMusicStream::IsPlaying() const {
  return m_pMusic && pmusicOnAir == m_pMusic && Mixer()->PlayingMusic();
}

void GameMusicStream::SetVolume(float v) {
  m_fltVolume = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
  if (IsPlaying()) Mixer()->VolumeMusic(MixerVolume(m_fltVolume));
}
