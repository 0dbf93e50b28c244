// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/PageWithMenu.h"

#include <GL/gl.h>

#include "ui/Menu.h"

PageWithMenu::PageWithMenu(const TQ3Vector3D& pos, Menu* pMenu, const char* image)
    : QLMPage(pos), m_pMenu(pMenu) {
  if (image) SetPageImage(image);
}

PageWithMenu::~PageWithMenu() {
  delete m_pMenu;
}

void PageWithMenu::RenderContents(int width, int height) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(m_pos.x, m_pos.y, 0.0f);
  m_pMenu->Render(width, height);
  RenderOnPage();
  glPopMatrix();
}

void PageWithMenu::HandleEvent(const GameEvent* event) {
  OffsetEvent(event);
  m_pMenu->HandleEvent(event);
}
