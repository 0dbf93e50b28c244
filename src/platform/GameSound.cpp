// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GameSound.h"

#include "core/GameSettings.h"
#include "platform/GameSoundChunk.h"

bool GameSound::fSoundOn = true;
bool GameSound::fSwitchSettled = false;

GameSound::GameSound(const char* name) : m_pPlayer(new GameSoundChunk(name)) {
  // A player who switched effects off expects them to stay off in the next run, as the options
  // page shows them.
  if (!fSwitchSettled) {
    fSwitchSettled = true;
    fSoundOn = GameSettings::GetFloatParam("SoundVolume") != 0.0f;
  }
}

GameSound::~GameSound() {
  delete m_pPlayer;
}

void GameSound::Play() {
  if (fSoundOn) m_pPlayer->Play();
}

void GameSound::Stop() {
  m_pPlayer->Stop();
}

bool GameSound::IsPlaying() const {
  return m_pPlayer->IsPlaying();
}

void GameSound::SetVolume(bool on) {
  fSwitchSettled = true;
  fSoundOn = on;
}
