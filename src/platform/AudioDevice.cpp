// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AudioDevice.h"

#include <SDL.h>

#include "platform/MixerLibrary.h"

namespace {

// Short enough that an effect follows its click within a frame or two, long enough that a
// busy machine does not starve the output.
constexpr int kChunkFrames = 1024;

// Every effect keeps its own voice; sixteen is more than the game ever sounds at once.
constexpr int kMixChannels = 16;

bool Open() {
  const MixerLibrary* mixer = Mixer();
  if (!mixer || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (mixer->OpenAudio(kAudioFrequency, AUDIO_S16SYS, kAudioChannels, kChunkFrames) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  mixer->AllocateChannels(kMixChannels);
  return true;
}

}  // namespace

bool OpenAudioDevice() {
  static const bool fOpen = Open();
  return fOpen;
}
