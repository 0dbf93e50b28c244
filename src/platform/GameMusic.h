// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class GameMusicStream;

// The game's music: two looping tracks from the resource folder "Music", of which at most one is
// current, played at one music volume. The current track is remembered in the settings
// ("MusicLastTrackIndex") from one run to the next.
class GameMusic {
 public:
  // A fixed type, so that an id outside the two tracks is still a value that can be checked.
  enum MusicTrackID : int { kMusicTrackRegular = 0, kMusicTrackBeatTheClock = 1 };
  static constexpr int kNumTracks = 2;

  // One track; file is its name in the resource folder "Music". A missing or broken file, or no
  // audio output, gives a silent track.
  explicit GameMusic(const char* file);
  ~GameMusic();
  GameMusic(const GameMusic&) = delete;
  GameMusic& operator=(const GameMusic&) = delete;

  void Play();
  void Stop();
  void SetVolume(float v);

  // Creates the two tracks once and takes the current track from the settings.
  static void InitTracks();
  // Makes the track current, remembers it and plays it at the music volume. A track that already
  // plays goes on; the caller stops the previous track when it changes pages.
  static void StartTrack(MusicTrackID id);
  // Plays the current track again, from its beginning when it had been stopped.
  static void RestartTrack();
  // Stops and rewinds the current track.
  static void StopTrack();
  // Whether the current track plays audibly.
  static bool IsPlaying();
  // The music volume, 0 to 1; 0 or less is music off. Applies at once to the current track.
  static void SetTrackVolume(float v);

  static GameMusic* apMusic[kNumTracks];
  static int itrackCurrent;  // -1 for none
  static bool fInited;
  static float fltVolume;

 private:
  // The current track's object, or null when no valid track is current.
  static GameMusic* CurrentTrack();
  static void PlayCurrent();

  GameMusicStream* m_pPlayer;
};
