// SPDX-License-Identifier: GPL-3.0-or-later
// quillmere_sounds ROOT: writes the game's sound effects to ROOT/Sounds and its music to
// ROOT/Music, as AIFF files. The output is the same on every run.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "sounds.h"

namespace {

struct File {
  const char* folder;
  const char* name;
  synth::Sound (*make)();
};

constexpr File kFiles[] = {
    {"Sounds", "Score.AIFF", sounds::Score},
    {"Sounds", "NoScore.AIFF", sounds::NoScore},
    {"Sounds", "Swap.AIFF", sounds::Swap},
    {"Sounds", "Fanfare.AIFF", sounds::Fanfare},
    {"Sounds", "Click.AIFF", sounds::Click},
    {"Sounds", "Rollover.AIFF", sounds::Rollover},
    {"Sounds", "PageTurn.AIFF", sounds::PageTurn},
    {"Sounds", "PageTurnBack.AIFF", sounds::PageTurnBack},
    {"Sounds", "Controls.AIFF", sounds::Controls},
    {"Sounds", "Starter.AIFF", sounds::Starter},
    {"Sounds", "HiScore.AIFF", sounds::HiScore},
    {"Music", "TenderPiano-22.aif", sounds::TenderPiano},
    {"Music", "LivelyLatin-22.aif", sounds::LivelyLatin},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s RESOURCE_ROOT\n", argv[0]);
    return 2;
  }
  const std::filesystem::path root = argv[1];
  try {
    for (const File& file : kFiles) {
      std::filesystem::create_directories(root / file.folder);
      const std::filesystem::path path = root / file.folder / file.name;
      if (!synth::WriteAiff(file.make(), path.string())) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.c_str());
        return 1;
      }
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
    return 1;
  }
  return 0;
}
