#include "scene/PageCredits.h"

#include <GL/gl.h>

#include "ui/MenuNavigation.h"

PageCredits::PageCredits(const TQ3Vector3D& pos) : QLMPage(pos), m_pMenu(new MenuCredits()) {}

PageCredits::~PageCredits() {
  delete m_pMenu;
}

void PageCredits::RenderContents(int width, int height) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(m_pos.x, m_pos.y, 0.0f);
  m_pMenu->Render(width, height);
  glPopMatrix();
}

void PageCredits::HandleEvent(const GameEvent* event) {
  OffsetEvent(event);
  m_pMenu->HandleEvent(event);
}
