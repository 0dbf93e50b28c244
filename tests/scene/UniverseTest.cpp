// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Game.h"
#include "puzzle/PageBoard.h"
#include "scene/QLMPage.h"
#include "scene/Universe.h"
#include "support/Book.h"

namespace {

// A plain page that writes down what the book tells it.
class WatchedPage : public QLMPage {
 public:
  explicit WatchedPage(const TQ3Vector3D& pos) : QLMPage(pos) {}
  void PageTurnCompleted(bool fNotForemost) override { completions.push_back(fNotForemost); }
  void BecomeForemost() override { calls += "become "; }
  void LeaveForemost() override { calls += "leave "; }
  void Signal(GameSignalID signal) override { calls += "signal" + std::to_string(signal) + " "; }
  std::vector<bool> completions;
  std::string calls;
};

// The real book with every page replaced by a watched page at the same place.
std::vector<WatchedPage*> WatchAllPages(Universe& book) {
  std::vector<WatchedPage*> pages;
  for (int i = 0; i < Universe::kNumPages; ++i) {
    auto id = static_cast<Universe::PageID>(i);
    auto* page = new WatchedPage(book.GetPage(id)->GetPos());
    book.ReplacePage(id, page);
    pages.push_back(page);
  }
  return pages;
}

TEST(Universe, ATurnSlidesThePagesBeforeItAndReportsOnceWhenAllRest) {
  Book game;
  std::vector<WatchedPage*> pages = WatchAllPages(game.Pages());
  // The stack is centred in the window, each page 4 pixels down and right of the one before.
  TQ3Vector3D rest;
  Universe::CalcPagePosWhenVisible(rest, 640, 640, 0);
  EXPECT_FLOAT_EQ(rest.x, 50.0f);
  EXPECT_FLOAT_EQ(rest.y, 50.0f);
  game.Frame();
  for (WatchedPage* page : pages) EXPECT_TRUE(page->completions.empty());

  game.Pages().TurnToPage(Universe::kPageBoard);
  game.Frame();
  for (int i = 0; i < Universe::kNumPages; ++i) {
    EXPECT_EQ(pages[i]->IsMoving(), i < 2) << "page " << i;
    EXPECT_EQ(pages[i]->IsActive(), i >= 2) << "page " << i;
  }
  game.Settle();
  for (int i = 0; i < 10; ++i) game.Frame();
  for (int i = 0; i < Universe::kNumPages; ++i) {
    ASSERT_EQ(pages[i]->completions.size(), 1u) << "page " << i;
    EXPECT_EQ(pages[i]->completions[0], i != Universe::kPageBoard) << "page " << i;
  }
  EXPECT_FLOAT_EQ(pages[0]->GetPos().x, -570.0f);
  EXPECT_FLOAT_EQ(pages[1]->GetPos().x, -570.0f);
  EXPECT_EQ(pages[0]->calls, "leave ");
  EXPECT_EQ(pages[2]->calls, "become ");

  // Turning to the page already in front moves nothing and reports nothing.
  game.Pages().TurnToPage(Universe::kPageBoard);
  for (int i = 0; i < 10; ++i) game.Frame();
  EXPECT_EQ(pages[2]->calls, "become leave become ");
  EXPECT_EQ(pages[2]->completions.size(), 1u);
  EXPECT_EQ(game.Pages().GetPreviousPage(), Universe::kPageBoard);

  // Signals and events go to the page in front only.
  game.Pages().Signal(kSignalGameOver);
  EXPECT_EQ(pages[2]->calls, "become leave become signal1 ");
  EXPECT_EQ(pages[0]->calls, "leave ");
}

TEST(Universe, AResizeDuringATurnMovesTheRestingPlaces) {
  Book game;
  std::vector<WatchedPage*> pages = WatchAllPages(game.Pages());
  game.TurnTo(Universe::kPageBoard);

  // Coming back: pages 0 and 1 slide in, and a resize meanwhile sends them to the new places.
  game.Pages().TurnToPage(Universe::kPageTitle);
  game.Frame();
  ASSERT_TRUE(pages[0]->IsMoving());
  game.Pages().Resize(800, 700);
  game.Settle();
  TQ3Vector3D rest;
  for (int i = 0; i < Universe::kNumPages; ++i) {
    Universe::CalcPagePosWhenVisible(rest, 800, 700, i);
    EXPECT_FLOAT_EQ(pages[i]->GetPos().x, rest.x) << "page " << i;
    EXPECT_FLOAT_EQ(pages[i]->GetPos().y, rest.y) << "page " << i;
  }

  // Going out: a page that lies turned away keeps its way out and only learns where to return.
  game.Pages().TurnToPage(Universe::kPageCredits);
  game.Frame();
  game.Pages().Resize(640, 640);
  game.Settle();
  EXPECT_FLOAT_EQ(pages[0]->GetPos().x, -570.0f);
  Universe::CalcPagePosWhenVisible(rest, 640, 640, 0);
  EXPECT_FLOAT_EQ(pages[0]->GetRestorePos().x, rest.x);
  EXPECT_FLOAT_EQ(pages[0]->GetRestorePos().y, rest.y);
  game.TurnTo(Universe::kPageTitle);
  EXPECT_FLOAT_EQ(pages[0]->GetPos().x, rest.x);
  EXPECT_FLOAT_EQ(pages[0]->GetPos().y, rest.y);
}

TEST(Universe, PauseStopsEveryPageAndTheCountdownWhileFramesStillDraw) {
  Book game({{"_TimePerWord", 12}});
  game.Pages().RandomizeBoard();
  game.Pages().SetTimerMode(true);
  game.TurnTo(Universe::kPageBoard);
  ASSERT_TRUE(game.Board().IsCountdownRunning());
  double before = game.Board().GetCountdownLeft();

  game.Pages().TurnToPage(Universe::kPageTitle);
  Game::pGame->Pause();
  float x = game.Pages().GetPage(Universe::kPageTitle)->GetPos().x;
  game.GL().Clear(1, 0, 1, 1);
  for (int i = 0; i < 30; ++i) game.Frame(0.1);
  EXPECT_FLOAT_EQ(game.Pages().GetPage(Universe::kPageTitle)->GetPos().x, x);
  EXPECT_DOUBLE_EQ(game.Board().GetCountdownLeft(), before);
  EXPECT_FLOAT_EQ(game.Pages().GetFrameRate(), 10.0f);
  // The frame was drawn: the book's black background replaced the test's magenta.
  PixelImage frame = game.GL().ReadPixels();
  EXPECT_EQ(frame.At(5, 5).r, 0);
  EXPECT_EQ(frame.At(5, 5).b, 0);

  Game::pGame->Unpause();
  game.Frame(0.1);
  EXPECT_NE(game.Pages().GetPage(Universe::kPageTitle)->GetPos().x, x);
}

}  // namespace
