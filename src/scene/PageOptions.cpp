#include "scene/PageOptions.h"

#include <GL/gl.h>

#include "ui/MenuOptions.h"

PageOptions::PageOptions(const TQ3Vector3D& pos) : QLMPage(pos), m_pMenu(new MenuOptions()) {}

PageOptions::~PageOptions() {
  delete m_pMenu;
}

void PageOptions::RenderContents(int width, int height) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(m_pos.x, m_pos.y, 0.0f);
  m_pMenu->Render(width, height);
  glPopMatrix();
}

void PageOptions::HandleEvent(const GameEvent* event) {
  OffsetEvent(event);
  m_pMenu->HandleEvent(event);
}
