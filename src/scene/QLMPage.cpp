// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/QLMPage.h"

#include <GL/gl.h>

#include <cmath>

#include "core/GLError.h"
#include "core/GameEvent.h"
#include "core/GameSettings.h"
#include "platform/BookScale.h"
#include "platform/ImageFile.h"

unsigned long QLMPage::m_texidDefault = QLMPage::m_kNoTexture;
unsigned long QLMPage::m_texidStandIn = QLMPage::m_kNoTexture;

namespace {

// The pages that share the paper: the last one gone deletes it, so that a book made later (in
// another GL context, where the old name means nothing or another texture) loads it again.
int nPages = 0;

void DeleteTexture(unsigned long& texid) {
  if (texid == QLMPage::m_kNoTexture) return;
  const GLuint name = static_cast<GLuint>(texid);
  glDeleteTextures(1, &name);
  texid = QLMPage::m_kNoTexture;
}

}  // namespace

QLMPage::QLMPage(const TQ3Vector3D& pos)
    : Body(pos), m_posRestore(pos), m_fActive(true), m_iWindowHeight(0), m_texid(m_kNoTexture) {
  ++nPages;
}

QLMPage::~QLMPage() {
  DeleteTexture(m_texid);
  if (--nPages == 0) {
    DeleteTexture(m_texidDefault);
    m_texidStandIn = m_kNoTexture;
  }
}

void QLMPage::TakePaper(bool fWait) {
  if (!AwaitsPaper() || (!fWait && !ImageDecoded("Paper.png"))) return;
  LoadImageAsTexture(&m_texidDefault, "Paper.png");
  m_texidStandIn = m_kNoTexture;
}

void QLMPage::SetPageImage(const char* name) {
  m_strImage = name ? name : "";
}

void QLMPage::TakeImage(bool fWait) {
  if (m_strImage.empty() || (!fWait && !ImageDecoded(m_strImage.c_str()))) return;
  LoadImageAsTexture(&m_texid, m_strImage.c_str());
  m_strImage.clear();
}

void QLMPage::Render(int, int height) {
  m_iWindowHeight = height;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(m_pos.x, m_pos.y, 0.0f);
  const float w = m_kdWidth;
  const float h = m_kdHeight;
  if (m_texid == m_kNoTexture && m_texidStandIn == m_kNoTexture) TakePaper(true);
  const unsigned long texid = m_texid != m_kNoTexture          ? m_texid
                              : m_texidDefault != m_kNoTexture ? m_texidDefault
                                                               : m_texidStandIn;
  if (texid != m_kNoTexture) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texid));
    glReportError();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, h);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(w, h);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(w, 0.0f);
    glEnd();
  } else {
    glColor4f(0.9f, 0.9f, 0.9f, 1.0f);
    glBegin(GL_QUADS);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(0.0f, h);
    glVertex2f(w, h);
    glVertex2f(w, 0.0f);
    glEnd();
  }
  glDisable(GL_TEXTURE_2D);
  glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
  glLineWidth(bookscale::LineWidth(1.0f));
  glBegin(GL_LINE_LOOP);
  glVertex2f(0.0f, 0.0f);
  glVertex2f(0.0f, h);
  glVertex2f(w, h);
  glVertex2f(w, 0.0f);
  glEnd();
  glPopMatrix();
}

void QLMPage::RenderContents(int, int) {}

void QLMPage::Activate() {
  if (m_fActive) return;
  float speed =
      GameSettings::GetFloatParam("_PageSpeed") * GameSettings::GetFloatParam("TransitionSpeed");
  MoveTowards_Linear(m_posRestore, speed * 8.0f);
  m_fActive = true;
}

void QLMPage::Deactivate() {
  if (!m_fActive) return;
  float accel =
      GameSettings::GetFloatParam("_PageSpeed") * GameSettings::GetFloatParam("TransitionSpeed");
  m_posRestore = m_pos;
  TQ3Vector3D dest = m_pos;
  dest.x = static_cast<float>(dest.x + ((-dest.x) - 570.0));
  MoveTowards_TSquared(dest, accel, true);
  m_fActive = false;
}

void QLMPage::BecomeForemost() {}

void QLMPage::LeaveForemost() {}

void QLMPage::PageTurnCompleted(bool) {}

void QLMPage::HandleEvent(const GameEvent*) {}

void QLMPage::Signal(GameSignalID) {}

void QLMPage::Tick(double dt) {
  Body::Tick(dt);
}

void QLMPage::Pause() {}

void QLMPage::Unpause() {}

void QLMPage::OffsetEvent(const GameEvent* event) const {
  event->SetOffset(-static_cast<int>(m_pos.x), static_cast<int>(m_pos.y));
}
