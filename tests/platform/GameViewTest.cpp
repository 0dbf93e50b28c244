// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/GameView.h"
#include "support/TestSupport.h"
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

}  // namespace
