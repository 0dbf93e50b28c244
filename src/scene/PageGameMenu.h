// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scene/QLMPage.h"

class Menu;
class MenuEndGame;

// The page between the title and the board: the choice of mode, and after a game its result
// until the book has come to rest on another page.
class PageGameMenu : public QLMPage {
 public:
  explicit PageGameMenu(const TQ3Vector3D& pos);
  ~PageGameMenu() override;

  void RenderContents(int width, int height) override;
  void HandleEvent(const GameEvent* event) override;
  void PageTurnCompleted(bool fNotForemost) override;

  // Takes the result of the game that just ended, entering it into the best scores; the book
  // then turns here. Called once per finished game.
  void SetupScoreMenu(int score, int bonus, bool fTimerMode);

  Menu* GetMenu() const { return m_pMenu; }
  MenuEndGame* GetEndGameMenu() const { return m_pMenuEndGame; }

 private:
  Menu* Shown() const;

  Menu* m_pMenu;
  MenuEndGame* m_pMenuEndGame;
};
