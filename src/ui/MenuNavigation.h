// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Menu.h"

// The title page's table of contents.
class MenuMain : public Menu {
 public:
  MenuMain();
  bool MouseUp(int item) override;
};

// The board page's menu while a game is paused.
class MenuPaused : public Menu {
 public:
  MenuPaused();
  bool MouseUp(int item) override;
};

// The game menu page's choice between the two kinds of game.
class MenuGameChoice : public Menu {
 public:
  MenuGameChoice();
  bool MouseUp(int item) override;
  void Reposition(int width, int height) override;
};

// The board page's "Click Here When Done" beside a regular game.
class MenuDone : public Menu {
 public:
  MenuDone();
  bool MouseUp(int item) override;
  void Reposition(int width, int height) override;
};

// The how-to-play page's one link back to the table of contents.
class MenuBack : public Menu {
 public:
  MenuBack();
  bool MouseUp(int item) override;
  void Reposition(int width, int height) override;
};

// The credits page: fourteen lines to read and, last, the link back to the table of contents,
// the only line that answers the pointer.
class MenuCredits : public Menu {
 public:
  static constexpr int kBackItem = 14;

  MenuCredits();
  bool MouseUp(int item) override;
  bool DoesItemReactToMouse(int item) const override;
  void Reposition(int width, int height) override;
};
