#include "scene/PageTitle.h"

#include <GL/gl.h>

#include "ui/MenuNavigation.h"
#include "ui/Overlay.h"

PageTitle::PageTitle(const TQ3Vector3D& pos)
    : QLMPage(pos), m_pMenu(new MenuMain()), m_pOverlayVersion(nullptr) {
  LoadPageImage("TitlePage.png");
  m_pOverlayVersion = new Overlay(20, 10, 10, "Helvetica");
  m_pOverlayVersion->SetString("Version " QM_VERSION);
}

PageTitle::~PageTitle() {
  delete m_pMenu;
  delete m_pOverlayVersion;
}

void PageTitle::RenderContents(int width, int height) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(m_pos.x, m_pos.y, 0.0f);
  m_pMenu->Render(width, height);
  m_pOverlayVersion->RenderString();
  glPopMatrix();
}

void PageTitle::HandleEvent(const GameEvent* event) {
  OffsetEvent(event);
  m_pMenu->HandleEvent(event);
}
