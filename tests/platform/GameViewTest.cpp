// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

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

namespace {

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
  // The pages beneath the title take their images and the paper after the first frame, not
  // before it.
  std::atomic<bool> firstFrameWithoutThem{false}, imagesAwaited{true};
  GameView view;
  view.SetFrameHook([&] {
    bool awaited = QLMPage::AwaitsPaper();
    for (int i = 0; i < Universe::kNumPages; ++i)
      awaited = awaited || Game::pGame->GetUniverse()->GetPage(Universe::PageID(i))->AwaitsImage();
    if (frames == 0) firstFrameWithoutThem = awaited;
    imagesAwaited = awaited;
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
    EXPECT_TRUE(firstFrameWithoutThem);
    EXPECT_FALSE(imagesAwaited) << "a page rests without its image";
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
