// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GameSound.h"

#include <algorithm>
#include <vector>

#include "core/GameSettings.h"
#include "platform/GameSoundChunk.h"

bool GameSound::fSoundOn = true;
bool GameSound::fSwitchSettled = false;

namespace {

bool fDeferring = false;
// Made while loading was deferred, not loaded yet.
std::vector<GameSound*> waiting;

}  // namespace

GameSound::GameSound(const char* name)
    : m_strName(name ? name : ""), m_pPlayer(nullptr), m_fPlayWhenLoaded(false) {
  // A player who switched effects off expects them to stay off in the next run, as the options
  // page shows them.
  if (!fSwitchSettled) {
    fSwitchSettled = true;
    fSoundOn = GameSettings::GetFloatParam("SoundVolume") != 0.0f;
  }
  if (fDeferring)
    waiting.push_back(this);
  else
    Load();
}

GameSound::~GameSound() {
  waiting.erase(std::remove(waiting.begin(), waiting.end(), this), waiting.end());
  delete m_pPlayer;
}

void GameSound::Load() {
  m_pPlayer = new GameSoundChunk(m_strName.c_str());
  if (m_fPlayWhenLoaded) {
    m_fPlayWhenLoaded = false;
    m_pPlayer->Play();
  }
}

void GameSound::Play() {
  if (!fSoundOn) return;
  if (m_pPlayer)
    m_pPlayer->Play();
  else
    m_fPlayWhenLoaded = true;
}

void GameSound::Stop() {
  m_fPlayWhenLoaded = false;
  if (m_pPlayer) m_pPlayer->Stop();
}

bool GameSound::IsPlaying() const {
  return m_fPlayWhenLoaded || (m_pPlayer && m_pPlayer->IsPlaying());
}

void GameSound::SetVolume(bool on) {
  fSwitchSettled = true;
  fSoundOn = on;
}

void GameSound::DeferLoading(bool defer) {
  fDeferring = defer;
  if (defer) return;
  std::vector<GameSound*> due;
  due.swap(waiting);
  for (GameSound* sound : due) sound->Load();
}
