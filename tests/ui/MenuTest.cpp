// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "core/GameSettings.h"
#include "platform/GameSound.h"
#include "support/GLContext.h"
#include "support/MenuInput.h"
#include "support/TestSupport.h"
#include "ui/Menu.h"
#include "ui/Overlay.h"

namespace {

const int kWidth = 640;
const int kHeight = 480;

// A menu of three items; the middle one is a display-only line, and every release is recorded.
class ThreeItems : public Menu {
 public:
  ThreeItems() : Menu(0, 0, 3, "Helvetica", 20) {
    SetItem(0, "Play");
    SetItem(1, "a line to read");
    SetItem(2, "Quit");
  }
  bool MouseUp(int item) override {
    releases.push_back(item);
    return item == 0 || item == 2;
  }
  bool DoesItemReactToMouse(int item) const override { return item != 1; }
  std::vector<int> releases;
};

class MenuOnAPage : public ::testing::Test {
 protected:
  TempDir home;
  std::unique_ptr<GLContext> gl;
  ThreeItems menu;

  void SetUp() override {
    setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
    gl = std::make_unique<GLContext>(kWidth, kHeight);
    GameSettings::Initialize();
    Draw();
  }
  void Draw() {
    Overlay::RenderSetup(kWidth, kHeight);
    menu.Render(kWidth, kHeight);
    Overlay::RenderUnsetup();
  }
  // Events at overlay positions (origin top left), as the window delivers them.
  void Move(int x, int y) { MenuInput(*gl).Move(menu, x, y); }
  void Release(int x, int y) { MenuInput(*gl).Release(menu, x, y); }
  int Width(int item) {
    int x, y, w, h;
    menu.GetItem(item)->GetDimensions(&x, &y, &w, &h);
    return w;
  }
  bool RolloverSounded() {
    bool playing = Menu::m_psndMouseover && Menu::m_psndMouseover->IsPlaying();
    if (Menu::m_psndMouseover) Menu::m_psndMouseover->Stop();
    return playing;
  }
};

TEST_F(MenuOnAPage, TheRolloverSoundsOnceOnEnteringAReactingItem) {
  // The column sits at (204, 230), items 40 pixels apart.
  EXPECT_EQ(menu.PointToIOverlay(210, kHeight - 235), 0);
  EXPECT_EQ(menu.PointToIOverlay(210, kHeight - 275), 1);
  EXPECT_EQ(menu.PointToIOverlay(100, kHeight - 235), -1);

  Move(210, 235);
  EXPECT_EQ(menu.GetRolloverItem(), 0);
  EXPECT_TRUE(RolloverSounded());
  Move(214, 238);
  Move(220, 240);
  EXPECT_FALSE(RolloverSounded());
  Move(100, 100);
  EXPECT_EQ(menu.GetRolloverItem(), -1);
  EXPECT_FALSE(RolloverSounded());

  // The display-only line is recorded but neither highlighted nor sounded.
  Move(210, 275);
  EXPECT_EQ(menu.GetRolloverItem(), 1);
  EXPECT_FALSE(RolloverSounded());
  Move(210, 315);
  EXPECT_EQ(menu.GetRolloverItem(), 2);
  EXPECT_TRUE(RolloverSounded());
}

TEST_F(MenuOnAPage, ReleasesActOnTheItemUnderThePointer) {
  Release(100, 100);
  Release(210, 275);
  Release(210, 235);
  EXPECT_EQ(menu.releases, (std::vector<int>{-1, 1, 0}));
  // Only an item that did something clicks.
  ASSERT_NE(Menu::m_psndClick, nullptr);
  EXPECT_TRUE(Menu::m_psndClick->IsPlaying());
  EXPECT_EQ(menu.GetRolloverItem(), -1);  // a release changes no rollover
}

TEST_F(MenuOnAPage, ChangedTextsAndOverlappingBoxes) {
  ASSERT_GT(Width(0), 20);
  menu.SetItem(0, "Play Again");
  EXPECT_EQ(Width(0), 0);
  // Until it is drawn again only the item's corner point hits it.
  EXPECT_EQ(menu.PointToIOverlay(204, kHeight - 230), 0);
  EXPECT_EQ(menu.PointToIOverlay(210, kHeight - 235), -1);
  Draw();
  EXPECT_EQ(menu.PointToIOverlay(210, kHeight - 235), 0);

  // Where two boxes overlap, the lower index wins.
  menu.GetItem(2)->MoveTo(204, 240);
  EXPECT_EQ(menu.PointToIOverlay(210, kHeight - 245), 0);

  // A new window size places the column again at the same offset.
  Overlay::RenderSetup(800, 600);
  menu.Render(800, 600);
  Overlay::RenderUnsetup();
  EXPECT_EQ(menu.PointToIOverlay(210, 600 - 235), 0);
}

}  // namespace
