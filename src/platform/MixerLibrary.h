// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <SDL_mixer.h>

// The SDL_mixer functions the game uses, from the library loaded when the audio output is
// first opened rather than with the program: with the decoders it brings (FluidSynth and JACK,
// ModPlug, Opus, Vorbis) it made every start 4 ms longer, before the first frame.
struct MixerLibrary {
  decltype(&Mix_OpenAudio) OpenAudio = nullptr;
  decltype(&Mix_AllocateChannels) AllocateChannels = nullptr;
  decltype(&Mix_LoadWAV_RW) LoadWAV_RW = nullptr;
  decltype(&Mix_FreeChunk) FreeChunk = nullptr;
  decltype(&Mix_PlayChannelTimed) PlayChannelTimed = nullptr;
  decltype(&Mix_HaltChannel) HaltChannel = nullptr;
  decltype(&Mix_Playing) Playing = nullptr;
  decltype(&Mix_GetChunk) GetChunk = nullptr;
  decltype(&Mix_LoadMUS) LoadMUS = nullptr;
  decltype(&Mix_FreeMusic) FreeMusic = nullptr;
  decltype(&Mix_PlayMusic) PlayMusic = nullptr;
  decltype(&Mix_HaltMusic) HaltMusic = nullptr;
  decltype(&Mix_PlayingMusic) PlayingMusic = nullptr;
  decltype(&Mix_VolumeMusic) VolumeMusic = nullptr;
};

// The library, loaded at the first call; null, with a line in the log, when it cannot be
// loaded or lacks a function: then there is no audio output and the game goes on silent.
const MixerLibrary* Mixer();
