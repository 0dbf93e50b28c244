// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GameSoundChunk.h"

#include <SDL_mixer.h>

#include <string>

#include "platform/AudioDevice.h"
#include "platform/Resources.h"

GameSoundChunk::GameSoundChunk(const char* name) {
  const std::string path = ResourcePath("Sounds", name);
  if (path.empty() || !OpenAudioDevice()) return;
  m_pChunk = Mix_LoadWAV(path.c_str());
}

GameSoundChunk::~GameSoundChunk() {
  // Freeing a chunk also silences every channel that still plays it.
  if (m_pChunk) Mix_FreeChunk(m_pChunk);
}

void GameSoundChunk::Play() {
  if (!m_pChunk || IsPlaying()) return;
  // With every channel busy the mixer answers -1 and this effect is simply not heard.
  m_iChannel = Mix_PlayChannel(-1, m_pChunk, 0);
}

void GameSoundChunk::Stop() {
  if (IsPlaying()) Mix_HaltChannel(m_iChannel);
  m_iChannel = -1;
}

bool GameSoundChunk::IsPlaying() const {
  // The channel may since have been handed to another effect.
  return m_pChunk && m_iChannel >= 0 && Mix_Playing(m_iChannel) &&
         Mix_GetChunk(m_iChannel) == m_pChunk;
}
