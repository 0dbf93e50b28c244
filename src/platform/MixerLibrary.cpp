// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MixerLibrary.h"

#include <dlfcn.h>

#include <memory>
#include <string>

#include "core/Log.h"

namespace {

constexpr const char* kLibraryName = "libSDL2_mixer-2.0.so.0";

std::unique_ptr<MixerLibrary> Load() {
  // Never closed: the mixer's own threads and buffers live until the program ends.
  void* handle = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    LogError((std::string("No sound: ") + dlerror()).c_str());
    return nullptr;
  }
  auto mixer = std::make_unique<MixerLibrary>();
  const char* missing = nullptr;
  auto bind = [&](auto& function, const char* name) {
    function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(handle, name));
    if (!function && !missing) missing = name;
  };
  bind(mixer->OpenAudio, "Mix_OpenAudio");
  bind(mixer->AllocateChannels, "Mix_AllocateChannels");
  bind(mixer->LoadWAV_RW, "Mix_LoadWAV_RW");
  bind(mixer->FreeChunk, "Mix_FreeChunk");
  bind(mixer->PlayChannelTimed, "Mix_PlayChannelTimed");
  bind(mixer->HaltChannel, "Mix_HaltChannel");
  bind(mixer->Playing, "Mix_Playing");
  bind(mixer->GetChunk, "Mix_GetChunk");
  bind(mixer->LoadMUS, "Mix_LoadMUS");
  bind(mixer->FreeMusic, "Mix_FreeMusic");
  bind(mixer->PlayMusic, "Mix_PlayMusic");
  bind(mixer->HaltMusic, "Mix_HaltMusic");
  bind(mixer->PlayingMusic, "Mix_PlayingMusic");
  bind(mixer->VolumeMusic, "Mix_VolumeMusic");
  if (missing) {
    LogError((std::string("No sound: ") + kLibraryName + " has no " + missing).c_str());
    return nullptr;
  }
  return mixer;
}

}  // namespace

const MixerLibrary* Mixer() {
  static const std::unique_ptr<MixerLibrary> mixer = Load();
  return mixer.get();
}
