// SPDX-License-Identifier: GPL-3.0-or-later
// The game's CPU use at rest: the real frame loop on one page (title, options, or the board of
// a regular game), nothing moving and no input, measured over some seconds once the book rests.
//   quillmere_idle_cpu title|options|board SECONDS
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "core/Game.h"
#include "core/GameSettings.h"
#include "platform/GameView.h"
#include "scene/Universe.h"

namespace {

double CpuSeconds() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const char* page = argc > 1 ? argv[1] : "title";
  const double seconds = argc > 2 ? atof(argv[2]) : 20.0;
  char folder[] = "/tmp/quillmere-bench-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  setenv("XDG_CONFIG_HOME", folder, 1);
  GameSettings::Initialize();

  std::atomic<bool> turned{false};
  std::atomic<int> frames{0};
  GameView view;
  view.SetFrameHook([&] {
    ++frames;
    if (turned.exchange(true)) return;
    Universe* book = Game::pGame->GetUniverse();
    if (!strcmp(page, "options")) {
      book->TurnToPage(Universe::kPageOptions);
    } else if (!strcmp(page, "board")) {
      book->RandomizeBoard();
      book->SetTimerMode(false);
      book->TurnToPage(Universe::kPageBoard);
    }
  });
  std::thread watcher([&] {
    // The turn, the fanfare and the first frames are over well within this.
    std::this_thread::sleep_for(std::chrono::seconds(4));
    const int framesBefore = frames;
    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("page=%s idle_cpu_percent=%.2f frames=%d seconds=%.1f\n", page,
           100.0 * (CpuSeconds() - cpuBefore) / wall, frames - framesBefore, wall);
    GameView::RequestQuit();
  });
  const int status = view.Run();
  watcher.join();
  std::string cleanup = std::string("rm -rf ") + folder;
  if (system(cleanup.c_str()) != 0) return 1;
  return status;
}
