#include "scene/PageInstructions.h"

#include <GL/gl.h>

#include "ui/MenuNavigation.h"

PageInstructions::PageInstructions(const TQ3Vector3D& pos) : QLMPage(pos), m_pMenu(new MenuBack()) {
  LoadPageImage("InstructionsPage.png");
}

PageInstructions::~PageInstructions() {
  delete m_pMenu;
}

void PageInstructions::RenderContents(int width, int height) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(m_pos.x, m_pos.y, 0.0f);
  m_pMenu->Render(width, height);
  glPopMatrix();
}

void PageInstructions::HandleEvent(const GameEvent* event) {
  OffsetEvent(event);
  m_pMenu->HandleEvent(event);
}
