// SPDX-License-Identifier: GPL-3.0-or-later
// The menus that move between pages, drawn on their own in a real GL context with real fonts,
// and driven by real SDL events: where their items land, which item the pointer finds, and what
// the credits answer.

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <string>

#include "core/GameSettings.h"
#include "support/GLContext.h"
#include "support/MenuInput.h"
#include "support/TestSupport.h"
#include "ui/MenuNavigation.h"
#include "ui/MenuOptions.h"
#include "ui/MenuScores.h"
#include "ui/Overlay.h"

namespace {

struct Layout {
  const char* name;
  std::unique_ptr<Menu> menu;
  int x, y, fontSize;
};

class Menus : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", m_home.Path().c_str(), 1);
    GameSettings::Initialize();
  }
  TempDir m_home;
};

TEST_F(Menus, EachColumnSitsAtItsPlaceAndThePointerFindsItsItems) {
  GLContext gl(640, 640);
  MenuInput input(gl);
  Layout layouts[] = {
      {"main", std::make_unique<MenuMain>(), 204, 230, 18},
      {"paused", std::make_unique<MenuPaused>(), 204, 230, 20},
      {"mode choice", std::make_unique<MenuGameChoice>(), 232, 232, 20},
      {"done", std::make_unique<MenuDone>(), 290, 464, 18},
      {"back", std::make_unique<MenuBack>(), 174, 478, 14},
      {"credits", std::make_unique<MenuCredits>(), 58, 48, 13},
      {"options", std::make_unique<MenuOptions>(), 174, 174, 20},
      {"end of game", std::make_unique<MenuEndGame>(10, 0, false), 174, 174, 14},
      {"best scores", std::make_unique<MenuHighScores>(), 63, 63, 14},
      {"best scores 2", std::make_unique<MenuHighScores2>(), 301, 63, 14},
  };
  for (Layout& l : layouts) {
    Menu& menu = *l.menu;
    // Not yet drawn: nothing is measured, so only an item's corner point can be hit.
    int cx, cy;
    MenuInput::Centre(menu, 0, &cx, &cy);
    EXPECT_EQ(menu.PointToIOverlay(cx + 5, gl.Height() - cy - 5), -1) << l.name;

    input.Draw(menu);
    for (int i = 0; i < menu.GetCount(); ++i) {
      int x, y, w, h;
      menu.GetItem(i)->GetDimensions(&x, &y, &w, &h);
      EXPECT_EQ(x, l.x) << l.name << " item " << i;
      EXPECT_EQ(y, l.y + 2 * i * l.fontSize) << l.name << " item " << i;
      // An empty item keeps the box of an empty text, the text's margins alone.
      if (menu.GetItemText(i).empty()) {
        EXPECT_LE(w, 10) << l.name << " item " << i;
        EXPECT_LE(h, 6) << l.name << " item " << i;
      } else {
        EXPECT_GE(h, l.fontSize) << l.name << " item " << i;
        EXPECT_LT(h, 2 * l.fontSize) << l.name << " item " << i;
      }
      // Pointer positions count from the window's bottom edge.
      MenuInput::Centre(menu, i, &cx, &cy);
      EXPECT_EQ(menu.PointToIOverlay(cx, gl.Height() - cy), i) << l.name << " item " << i;
      EXPECT_EQ(menu.PointToIOverlay(x + w, gl.Height() - y), i) << l.name << " corner " << i;
      EXPECT_EQ(menu.PointToIOverlay(x + w + 1, gl.Height() - cy), -1) << l.name << " " << i;
      EXPECT_EQ(menu.PointToIOverlay(cx, gl.Height() - (y + h + 1)), -1) << l.name << " " << i;
    }
    // Everything fits on its 512-pixel page.
    for (int i = 0; i < menu.GetCount(); ++i) {
      int x, y, w, h;
      menu.GetItem(i)->GetDimensions(&x, &y, &w, &h);
      EXPECT_LE(x + w, 512 - 8) << l.name << ": \"" << menu.GetItemText(i) << "\"";
      EXPECT_LE(y + h, 512) << l.name << " item " << i;
    }
  }
}

TEST_F(Menus, TheCreditsAnswerOnlyOnTheirLastLine) {
  GLContext gl(640, 640);
  MenuInput input(gl);
  MenuCredits credits;
  const PixelImage plain = input.Draw(credits);

  // Lines to read are recorded under the pointer but neither framed nor clickable.
  for (int i = 0; i < MenuCredits::kBackItem; ++i) {
    int x, y;
    MenuInput::Centre(credits, i, &x, &y);
    input.Move(credits, x, y);
    EXPECT_EQ(credits.GetRolloverItem(), i);
    EXPECT_FALSE(credits.DoesItemReactToMouse(i));
    EXPECT_FALSE(credits.MouseUp(i)) << i;
    input.Release(credits, x, y);
  }
  EXPECT_FALSE(DiffersIn(plain, input.Draw(credits), 0, 0, 640, 640));

  // The way back is framed while the pointer is on it, and the frame goes when it leaves.
  int bx, by, bw, bh, x, y;
  credits.GetItem(MenuCredits::kBackItem)->GetDimensions(&bx, &by, &bw, &bh);
  MenuInput::Centre(credits, MenuCredits::kBackItem, &x, &y);
  input.Move(credits, x, y);
  EXPECT_EQ(credits.GetRolloverItem(), MenuCredits::kBackItem);
  PixelImage framed = input.Draw(credits);
  EXPECT_TRUE(DiffersIn(plain, framed, bx, by, bw, 2)) << "top edge of the frame";
  EXPECT_FALSE(DiffersIn(plain, framed, 0, 0, 640, by - 2)) << "no other line changes";
  input.Move(credits, 600, 20);
  EXPECT_EQ(credits.GetRolloverItem(), -1);
  EXPECT_FALSE(DiffersIn(plain, input.Draw(credits), 0, 0, 640, 640));
  EXPECT_FALSE(credits.MouseUp(-1));
  EXPECT_FALSE(credits.MouseUp(15));

  // Kinds of line: empty separators, bullets, and web addresses indented under their bullet.
  for (int i : {1, 4, 13}) EXPECT_EQ(credits.GetItemText(i), "") << i;
  EXPECT_EQ(credits.GetItemText(3).rfind("    ", 0), 0u);
  for (int i : {6, 7, 9, 11, 12}) EXPECT_EQ(credits.GetItemText(i).rfind(" * ", 0), 0u) << i;
  for (int i : {8, 10}) EXPECT_EQ(credits.GetItemText(i).rfind("    ", 0), 0u) << i;
  EXPECT_EQ(credits.GetItemText(14), "Back to Table of Contents");
}

TEST_F(Menus, QuitAsksTheProgramToEndAsClosingTheWindowDoes) {
  GLContext gl(320, 320);  // the event queue lives with SDL's video
  SDL_FlushEvent(SDL_QUIT);
  MenuMain menu;
  for (int i : {-1, 6}) EXPECT_FALSE(menu.MouseUp(i));
  SDL_PumpEvents();
  EXPECT_FALSE(SDL_HasEvent(SDL_QUIT));
  EXPECT_TRUE(menu.MouseUp(5));
  SDL_PumpEvents();
  EXPECT_TRUE(SDL_HasEvent(SDL_QUIT));
  SDL_FlushEvent(SDL_QUIT);
  // Without a book the ways to other pages do nothing.
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(menu.MouseUp(i)) << i;
  MenuGameChoice choice;
  MenuBack back;
  for (int i = -1; i < 4; ++i) EXPECT_FALSE(choice.MouseUp(i)) << i;
  EXPECT_FALSE(back.MouseUp(0));
}

}  // namespace
