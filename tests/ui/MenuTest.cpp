// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "core/GameSettings.h"
#include "platform/GameSound.h"
#include "support/MenuInput.h"
#include "support/TestSupport.h"
#include "ui/Menu.h"
#include "ui/Overlay.h"

namespace {

// A column of three items, which the menu places at (204, 230), 40 pixels apart; the middle one is
// a line to read. Every release is recorded.
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

// Events at window positions, as the window delivers them: the rollover sound plays once on
// entering an item that reacts; a release acts on the item under the pointer and clicks only
// when the item did something. Where boxes overlap, the first item wins.
TEST(Menu, ThePointerHighlightsAndReleasesAct) {
  TempDir home;
  setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
  GameSettings::Initialize();
  GLContext gl(640, 480);
  MenuInput input(gl);
  ThreeItems menu;
  input.Draw(menu);
  auto sounded = [](GameSound* sound) {
    const bool playing = sound && sound->IsPlaying();
    if (sound) sound->Stop();
    return playing;
  };
  const struct {
    int x, y, rollover;
    bool sounds;
  } moves[] = {{210, 235, 0, true},
               {214, 238, 0, false},
               {100, 100, -1, false},
               {210, 275, 1, false},
               {210, 315, 2, true}};
  for (auto m : moves) {
    input.Move(menu, m.x, m.y);
    EXPECT_EQ(menu.GetRolloverItem(), m.rollover) << m.x << ", " << m.y;
    EXPECT_EQ(sounded(Menu::m_psndMouseover), m.sounds) << m.x << ", " << m.y;
  }
  for (auto [y, clicks] : {std::pair{100, false}, {275, false}, {235, true}}) {
    input.Release(menu, 210, y);
    EXPECT_EQ(sounded(Menu::m_psndClick), clicks) << y;
  }
  EXPECT_EQ(menu.releases, (std::vector<int>{-1, 1, 0}));
  menu.GetItem(2)->MoveTo(204, 240);
  EXPECT_EQ(menu.PointToIOverlay(210, 480 - 245), 0);
}

}  // namespace
