// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GameSoundChunk.h"

#include <string>

#include "platform/AudioDevice.h"
#include "platform/MixerLibrary.h"
#include "platform/Resources.h"

GameSoundChunk::GameSoundChunk(const char* name) {
  const std::string path = ResourcePath("Sounds", name);
  if (path.empty() || !OpenAudioDevice()) return;
  m_pChunk = Mixer()->LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
}

GameSoundChunk::~GameSoundChunk() {
  // Freeing a chunk also silences every channel that still plays it.
  if (m_pChunk) Mixer()->FreeChunk(m_pChunk);
}

void GameSoundChunk::Play() {
  if (!m_pChunk || IsPlaying()) return;
  // With every channel busy the mixer answers -1 and this effect is simply not heard.
  m_iChannel = Mixer()->PlayChannelTimed(-1, m_pChunk, 0, -1);
}

void GameSoundChunk::Stop() {
  if (IsPlaying()) Mixer()->HaltChannel(m_iChannel);
  m_iChannel = -1;
}

bool GameSoundChunk::IsPlaying() const {
  // The channel may since have been handed to another effect.
  return m_pChunk && m_iChannel >= 0 && Mixer()->Playing(m_iChannel) &&
         Mixer()->GetChunk(m_iChannel) == m_pChunk;
}
