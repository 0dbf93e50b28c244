// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/Game.h"
#include "core/GameSettings.h"
#include "platform/GameView.h"
#include "puzzle/PageBoard.h"
#include "support/SdlEvents.h"
#include "support/TestSupport.h"
#include "support/XServer.h"
#include "support/XWindow.h"

namespace {

std::string Prefs(const TempDir& home) {
  return ReadFile(home.Path() + "/quillmere/preferences.ini");
}

bool WaitFor(const std::function<bool()>& condition, double seconds) {
  for (double waited = 0.0; waited < seconds; waited += 0.05) {
    if (condition()) return true;
    usleep(50000);
  }
  return condition();
}

TEST(GameWindow, OpensAnswersRealInputTogglesFullScreenAndClosesCleanly) {
  TempDir home;
  ChildProcess game({QM_GAME_PROGRAM}, {"XDG_CONFIG_HOME=" + home.Path()});
  unsigned long window = xwindow::WaitForWindow("Quillmere", 30.0);
  ASSERT_NE(window, 0u) << game.Stderr();
  int width = 0, height = 0;
  ASSERT_TRUE(xwindow::WindowSize(window, &width, &height));
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 640);

  std::string id = std::to_string(window);
  ASSERT_TRUE(xwindow::Xdotool("windowfocus --sync " + id));
  ASSERT_TRUE(xwindow::Xdotool("mousemove --window " + id + " 320 320 click 1"));
  ASSERT_TRUE(xwindow::Xdotool("key d Escape Escape"));
  usleep(300000);
  EXPECT_TRUE(game.Running()) << game.Stderr();

  ASSERT_TRUE(xwindow::Xdotool("key F11"));
  EXPECT_TRUE(WaitFor([&] { return Prefs(home).find("Fullscreen=1") != std::string::npos; }, 10))
      << Prefs(home);
  ASSERT_TRUE(xwindow::Xdotool("key F11"));
  EXPECT_TRUE(WaitFor([&] { return Prefs(home).find("Fullscreen=0") != std::string::npos; }, 10))
      << Prefs(home);

  xwindow::RequestClose(window);
  int status = -2;
  ASSERT_TRUE(game.WaitExit(15.0, &status)) << "the game did not quit when its window closed";
  EXPECT_EQ(status, 0) << game.Stderr();
}

TEST(GameWindow, WithNoDisplayItSaysSoAndExits) {
  TempDir home;
  for (const char* driver : {"SDL_VIDEODRIVER=x11", "-SDL_VIDEODRIVER"}) {
    ProcessResult r =
        RunProcess({"/usr/bin/timeout", "30", QM_GAME_PROGRAM},
                   {driver, "DISPLAY=:4242", "-WAYLAND_DISPLAY", "XDG_CONFIG_HOME=" + home.Path()});
    EXPECT_EQ(r.status, 1) << driver << "\n" << r.err;
    EXPECT_NE(r.err.find("Unable to open the game window"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("terminating."), std::string::npos) << r.err;
  }
}

// The frame loop draws only while something changes: at rest it waits for input, input draws
// at once, a page turn draws every frame, and the time it rested never reaches the game.
TEST(GameWindow, RestsWhenNothingChangesAndKeepsTheGamesTime) {
  PrivateXServer server;
  ASSERT_TRUE(server.Ready()) << server.Error();
  TempDir home;
  setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
  GameSettings::Initialize();
  GameSettings::SetIntParam("_TimePerWord", 60);

  std::atomic<int> frames{0};
  std::atomic<double> countdown{-1.0};
  GameView view;
  view.SetFrameHook([&] {
    ++frames;
    auto* board =
        static_cast<PageBoard*>(Game::pGame->GetUniverse()->GetPage(Universe::kPageBoard));
    if (board->IsCountdownRunning()) countdown = board->GetCountdownLeft();
  });

  std::thread player([&] {
    using namespace std::chrono_literals;
    auto push = [](SDL_Event e) { SDL_PushEvent(&e); };
    auto click = [&](int x, int y) {
      push(sdlevents::MouseMotion(x, y));
      push(sdlevents::MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y));
      push(sdlevents::MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y));
    };
    // No frame for half a second, within a generous wait for a turn to end.
    auto rests = [&] {
      for (int waited = 0; waited < 600; ++waited) {
        int before = frames;
        std::this_thread::sleep_for(500ms);
        if (frames == before) return true;
      }
      return false;
    };
    auto draws = [&](int count) {
      const int target = frames + count;
      for (int waited = 0; waited < 300 && frames < target; ++waited)
        std::this_thread::sleep_for(100ms);
      return frames >= target;
    };
    auto window = [&](SDL_WindowEventID id) {
      SDL_Event e{};
      e.type = SDL_WINDOWEVENT;
      e.window.event = id;
      push(e);
    };

    EXPECT_TRUE(rests()) << "the title page keeps drawing";
    push(sdlevents::MouseMotion(266, 289));  // over "Play"
    EXPECT_TRUE(draws(1)) << "the pointer over the menu drew nothing";
    EXPECT_TRUE(rests());
    click(266, 289);
    EXPECT_TRUE(draws(20)) << "the page turn was not drawn";
    EXPECT_TRUE(rests());
    click(298, 336);  // "Beat the Clock"
    for (int waited = 0; waited < 300 && countdown < 0.0; ++waited)
      std::this_thread::sleep_for(100ms);
    ASSERT_GT(countdown, 0.0) << "the countdown did not start";

    // The countdown keeps frames coming; a paused game rests and loses none of its seconds.
    EXPECT_TRUE(draws(20));
    window(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_TRUE(rests()) << "the paused game keeps drawing";
    const double before = countdown;
    std::this_thread::sleep_for(3s);
    const auto woken = std::chrono::steady_clock::now();
    window(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_TRUE(draws(10));
    const std::chrono::duration<double> since = std::chrono::steady_clock::now() - woken;
    // What ran since the wake, and one ordinary frame for the first tick: never the rest.
    EXPECT_LT(before - countdown, since.count() + 0.1) << "the rest was taken off the countdown";
    EXPECT_LT(countdown, before);
    GameView::RequestQuit();
  });
  EXPECT_EQ(view.Run(), 0);
  player.join();
  delete Game::pGame;
  Game::pGame = nullptr;
}

}  // namespace
