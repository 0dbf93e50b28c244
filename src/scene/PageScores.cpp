// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/PageScores.h"

#include <GL/gl.h>

#include "ui/MenuScores.h"

PageScores::PageScores(const TQ3Vector3D& pos) : QLMPage(pos), m_pMenu(nullptr), m_pMenu2(nullptr) {
  SetPageImage("HSPage.png");
}

PageScores::~PageScores() {
  delete m_pMenu;
  delete m_pMenu2;
}

void PageScores::BecomeForemost() {
  delete m_pMenu;
  m_pMenu = new MenuHighScores();
  delete m_pMenu2;
  m_pMenu2 = new MenuHighScores2();
}

void PageScores::RenderContents(int width, int height) {
  if (!m_pMenu && !m_pMenu2) return;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(m_pos.x, m_pos.y, 0.0f);
  if (m_pMenu) m_pMenu->Render(width, height);
  if (m_pMenu2) m_pMenu2->Render(width, height);
  glPopMatrix();
}

void PageScores::HandleEvent(const GameEvent* event) {
  OffsetEvent(event);
  if (m_pMenu) m_pMenu->HandleEvent(event);
  if (m_pMenu2) m_pMenu2->HandleEvent(event);
}
