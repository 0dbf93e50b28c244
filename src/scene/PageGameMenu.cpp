// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/PageGameMenu.h"

#include <GL/gl.h>

#include "ui/MenuNavigation.h"
#include "ui/MenuScores.h"

PageGameMenu::PageGameMenu(const TQ3Vector3D& pos)
    : QLMPage(pos), m_pMenu(new MenuGameChoice()), m_pMenuEndGame(nullptr) {}

PageGameMenu::~PageGameMenu() {
  delete m_pMenu;
  delete m_pMenuEndGame;
}

Menu* PageGameMenu::Shown() const {
  return m_pMenuEndGame ? static_cast<Menu*>(m_pMenuEndGame) : m_pMenu;
}

void PageGameMenu::SetupScoreMenu(int score, int bonus, bool fTimerMode) {
  delete m_pMenuEndGame;
  m_pMenuEndGame = new MenuEndGame(score, bonus, fTimerMode);
}

void PageGameMenu::PageTurnCompleted(bool fNotForemost) {
  // The result stays while the page is in front; once the book rests elsewhere, the next visit
  // offers the choice of mode again.
  if (m_pMenuEndGame && fNotForemost) {
    delete m_pMenuEndGame;
    m_pMenuEndGame = nullptr;
  }
}

void PageGameMenu::RenderContents(int width, int height) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(m_pos.x, m_pos.y, 0.0f);
  Shown()->Render(width, height);
  glPopMatrix();
}

void PageGameMenu::HandleEvent(const GameEvent* event) {
  OffsetEvent(event);
  Shown()->HandleEvent(event);
}
