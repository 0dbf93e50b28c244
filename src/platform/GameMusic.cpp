// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GameMusic.h"

#include "core/GameSettings.h"
#include "platform/GameMusicStream.h"

namespace {

struct MusicFile {
  const char* szFile;
  float fltRelVolume;  // a track plays at the music volume times this
};

const MusicFile aMusicFile[GameMusic::kNumTracks] = {
    {"TenderPiano-22.aif", 1.0f},
    {"LivelyLatin-22.aif", 0.9f},
};

bool IsTrack(int i) {
  return i >= 0 && i < GameMusic::kNumTracks;
}

}  // namespace

GameMusic* GameMusic::apMusic[kNumTracks] = {nullptr, nullptr};
int GameMusic::itrackCurrent = -1;
bool GameMusic::fInited = false;
float GameMusic::fltVolume = 1.0f;

GameMusic::GameMusic(const char* file) : m_pPlayer(new GameMusicStream(file)) {}

GameMusic::~GameMusic() {
  delete m_pPlayer;
}

void GameMusic::Play() {
  m_pPlayer->Play();
}

void GameMusic::Stop() {
  m_pPlayer->Stop();
}

void GameMusic::SetVolume(float v) {
  m_pPlayer->SetVolume(v);
}

void GameMusic::InitTracks() {
  if (fInited) return;
  for (int i = 0; i < kNumTracks; ++i) apMusic[i] = new GameMusic(aMusicFile[i].szFile);
  // A stored index that names no track (an edited preference file) means no current track.
  const int stored = GameSettings::GetIntParam("MusicLastTrackIndex");
  itrackCurrent = IsTrack(stored) ? stored : -1;
  fInited = true;
}

GameMusic* GameMusic::CurrentTrack() {
  return IsTrack(itrackCurrent) ? apMusic[itrackCurrent] : nullptr;
}

void GameMusic::PlayCurrent() {
  GameMusic* pmusic = CurrentTrack();
  if (!pmusic || fltVolume <= 0.0f) return;
  pmusic->SetVolume(fltVolume * aMusicFile[itrackCurrent].fltRelVolume);
  pmusic->Play();
}

void GameMusic::StartTrack(MusicTrackID id) {
  InitTracks();
  if (!IsTrack(id)) return;
  itrackCurrent = id;
  GameSettings::SetIntParam("MusicLastTrackIndex", id);
  PlayCurrent();
}

void GameMusic::RestartTrack() {
  InitTracks();
  PlayCurrent();
}

void GameMusic::StopTrack() {
  // Stopped whatever the music volume: a track silenced by a volume of 0 while it played would
  // otherwise run on unheard.
  if (GameMusic* pmusic = CurrentTrack()) pmusic->Stop();
}

bool GameMusic::IsPlaying() {
  GameMusic* pmusic = CurrentTrack();
  return pmusic && fltVolume > 0.0f && pmusic->m_pPlayer->IsPlaying();
}

void GameMusic::SetTrackVolume(float v) {
  fltVolume = v;
  if (GameMusic* pmusic = CurrentTrack())
    pmusic->SetVolume(v * aMusicFile[itrackCurrent].fltRelVolume);
}
