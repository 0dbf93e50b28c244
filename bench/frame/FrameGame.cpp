// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own frame loop on the board page in play, with "VSync" 0: the time from launch to
// its first presented frame, the frames per second once the book rests on the board, and the
// process's peak memory.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ProcessAge.h"
#include "core/Game.h"
#include "core/GameSettings.h"
#include "platform/GameView.h"
#include "scene/QLMPage.h"
#include "scene/Universe.h"

int main(int argc, char** argv) {
  MarkLaunch(argv);
  const double seconds = argc > 1 ? atof(argv[1]) : 5.0;
  // The preferences of a fresh player, except that frames are not held to the display.
  char folder[] = "/tmp/quillmere-bench-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  setenv("XDG_CONFIG_HOME", folder, 1);
  GameSettings::Initialize();
  GameSettings::SetIntParam("VSync", 0);
  // A benchmark that stops getting frames ends instead of hanging the run.
  alarm(static_cast<unsigned>(seconds) + 120);

  using Clock = std::chrono::steady_clock;
  double firstFrameMs = -1.0;
  double firstFrameDoneMs = -1.0;  // once what the game starts after the first frame is started
  int frames = 0;
  bool measuring = false;
  Clock::time_point start;
  GameView view;
  view.SetFrameHook([&] {
    if (firstFrameMs < 0.0) {
      // Counted to the swap, as the floor counts it: not what the game starts after it.
      firstFrameDoneMs = ProcessAgeMs();
      firstFrameMs = firstFrameDoneMs - std::chrono::duration<double, std::milli>(
                                            Clock::now() - view.FirstFramePresented())
                                            .count();
      Universe* book = Game::pGame->GetUniverse();
      book->RandomizeBoard();
      // In Beat the Clock the countdown runs, so that every frame has something new to draw:
      // a frame loop that rests while nothing changes would otherwise stop coming.
      book->SetTimerMode(true);
      book->TurnToPage(Universe::kPageBoard);
      return;
    }
    if (!measuring) {
      Universe* book = Game::pGame->GetUniverse();
      for (int i = 0; i < Universe::kNumPages; ++i)
        if (book->GetPage(static_cast<Universe::PageID>(i))->IsMoving()) return;
      measuring = true;
      start = Clock::now();
      return;
    }
    ++frames;
    double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    if (elapsed >= seconds) {
      struct rusage usage;
      getrusage(RUSAGE_SELF, &usage);
      printf("first_frame_ms=%.0f first_frame_done_ms=%.0f fps=%.1f peak_mib=%.1f\n", firstFrameMs,
             firstFrameDoneMs, frames / elapsed, usage.ru_maxrss / 1024.0);
      GameView::RequestQuit();
    }
  });
  int status = view.Run();
  std::string cleanup = std::string("rm -rf ") + folder;
  if (system(cleanup.c_str()) != 0) return 1;
  return status;
}
