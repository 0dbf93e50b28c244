// SPDX-License-Identifier: GPL-3.0-or-later
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/GameEvent.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "platform/GameEventSDL.h"
#include "puzzle/Dict.h"
#include "scene/QLMPage.h"
#include "support/Book.h"
#include "support/GLContext.h"
#include "support/TestSupport.h"

namespace {

class FrontPage : public QLMPage {
 public:
  explicit FrontPage(const TQ3Vector3D& pos) : QLMPage(pos) {}
  void HandleEvent(const GameEvent* event) override {
    keys += event->IsKey() ? static_cast<char>(event->GetUniChar()) : '?';
  }
  void Signal(GameSignalID signal) override { signals += std::to_string(signal); }
  std::string keys;
  std::string signals;
};

TEST(Game, TheLogKeyAndThePauseKeyAreRoutedAsTheyShould) {
  Book game;
  auto* page = new FrontPage(game.Pages().GetPage(Universe::kPageTitle)->GetPos());
  game.Pages().ReplacePage(Universe::kPageTitle, page);
  EXPECT_FALSE(IsLogging());
  game.Key(SDLK_a);
  EXPECT_FALSE(IsLogging());
  testing::internal::CaptureStderr();
  game.Key(SDLK_d);
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(IsLogging());
  EXPECT_EQ(page->keys, "ad");  // d also reaches the book
  game.Key(SDLK_ESCAPE);
  EXPECT_EQ(page->keys, "ad");  // the pause key goes nowhere else
  EXPECT_EQ(page->signals, "6");
}

TEST(Game, TheFirstRenderResizesAndLaterOnlyOnAChange) {
  TempDir home;
  setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
  GLContext gl(700, 700);
  GameSettings::Initialize();
  Game::Init(640, 640);
  QLMPage* title = Game::pGame->GetUniverse()->GetPage(Universe::kPageTitle);
  TQ3Vector3D rest;
  Universe::CalcPagePosWhenVisible(rest, 580, 580, 0);
  EXPECT_FLOAT_EQ(title->GetPos().x, rest.x);  // built for 580 x 580
  Game::pGame->Render(640, 640);
  Universe::CalcPagePosWhenVisible(rest, 640, 640, 0);
  EXPECT_FLOAT_EQ(title->GetPos().x, rest.x);
  title->SetPos(1, 2, 0);
  Game::pGame->Render(640, 640);
  EXPECT_FLOAT_EQ(title->GetPos().x, 1.0f);
  Game::pGame->Render(641, 640);
  Universe::CalcPagePosWhenVisible(rest, 641, 640, 0);
  EXPECT_FLOAT_EQ(title->GetPos().x, rest.x);
  title->SetPos(1, 2, 0);
  Game::pGame->Render(641, 700);
  EXPECT_FLOAT_EQ(title->GetPos().y, (700 - 512) * 0.5f - 14.0f);

  // The frame clock: no time between two ticks is 0 seconds and an infinite frame rate; 16 ms
  // are 0.016 seconds.
  using std::chrono::milliseconds;
  EXPECT_EQ(Game::DurationToSeconds(Game::DurationCount(milliseconds(0))), 0.0);
  EXPECT_NEAR(Game::DurationToSeconds(Game::DurationCount(milliseconds(16))), 0.016, 1e-9);
  EXPECT_NEAR(Game::DurationToSeconds(Game::DurationCount(std::chrono::hours(1))), 3600.0, 1e-3);
  Game::pGame->GetUniverse()->Tick(0.0);
  EXPECT_TRUE(std::isinf(Game::pGame->GetUniverse()->GetFrameRate()));
  delete Game::pGame;
  Game::pGame = nullptr;
}

TEST(Game, AWordListThatFailsTheSelfTestGivesOneLineAndTheGameStarts) {
  for (const char* list : {"catacombs\nreviewer\n", "catacombs\nplucky\nreviewer\nbampf\n"}) {
    std::string name = "test-selftest-" + std::to_string(getpid()) + ".txt";
    std::string path = std::string(QM_RESOURCE_DIR) + "/Dict/" + name;
    WriteFile(path, list);
    TempDir home;
    setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    GLContext gl(640, 640);
    testing::internal::CaptureStderr();
    Game::Preload();
    GameSettings::SetStringParam("_DictPath", name.c_str());
    Game::Init(640, 640);
    // Nothing reads the list before the first frame is shown; the self-test runs once the list
    // is in, on the thread that read it.
    Game::pGame->GetDict()->WaitUntilLoaded();
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("Dictionary"), std::string::npos);
    testing::internal::CaptureStderr();
    Game::pGame->FirstFrameShown();
    Game::pGame->GetDict()->WaitUntilLoaded();
    std::string err = testing::internal::GetCapturedStderr();
    Game::EndPreload();
    unlink(path.c_str());
    const std::string line = "Dictionary is not functioning correctly- test cases failed.\n";
    size_t first = err.find(line);
    EXPECT_NE(first, std::string::npos) << err;
    EXPECT_EQ(err.find(line, first + 1), std::string::npos) << err;
    if (!IsLogging()) {
      EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
    ASSERT_NE(Game::pGame->GetUniverse(), nullptr);
    Game::pGame->Render(640, 640);
    delete Game::pGame;
    Game::pGame = nullptr;
  }
}

// A start that cannot open its window says so and exits with status 1, after the word list and
// the page images it started reading have been dropped: in the sanitizer build, nothing that
// they read is freed under them and nothing leaks.
TEST(Game, AFailedStartExitsCleanly) {
  TempDir home;
  const std::vector<std::vector<std::string>> starts = {
      {"SDL_VIDEODRIVER=nonexistent"},
      {"-DISPLAY", "-WAYLAND_DISPLAY", "SDL_VIDEODRIVER=x11"},
  };
  for (std::vector<std::string> env : starts) {
    env.push_back("XDG_CONFIG_HOME=" + home.Path());
    ProcessResult r = RunProcess({"/usr/bin/timeout", "60", QM_GAME_PROGRAM}, env);
    EXPECT_EQ(r.status, 1) << env[0] << "\n" << r.err;
    EXPECT_NE(r.err.find("Unable to open the game window"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("terminating."), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << r.err;
  }
}

}  // namespace
