// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Overlay.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cstdio>

#include "core/GLError.h"
#include "platform/StringTexture.h"

namespace {

void PushPixelSpace(int width, int height) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0.0, width, height, 0.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void PopPixelSpace() {
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
}

}  // namespace

Overlay::Overlay(int x, int y, int fontSize, const char* fontName) : m_x(x), m_y(y) {
  m_attributes.family = fontName ? fontName : "";
  m_attributes.size = static_cast<float>(fontSize);
  m_attributes.foreground = {0.0f, 0.0f, 0.0f, 1.0f};
  m_pTexture = std::make_unique<StringTexture>("", m_attributes, RGBAColor{0.8f, 0.8f, 1.0f, 1.0f},
                                               RGBAColor{0.0f, 0.0f, 0.0f, 0.0f},
                                               RGBAColor{0.0f, 0.0f, 0.0f, 0.0f});
}

Overlay::~Overlay() = default;

void Overlay::MoveTo(int x, int y) {
  m_x = x;
  m_y = y;
}

void Overlay::SetString(const char* text) {
  m_pTexture->SetString(text, m_attributes);
}

void Overlay::SetString(float value) {
  // Large enough for any float in "%f", so that no value is cut.
  char text[64];
  snprintf(text, sizeof(text), "%f", static_cast<double>(value));
  SetString(text);
}

void Overlay::SetString(int value) {
  char text[32];
  snprintf(text, sizeof(text), "%d", value);
  SetString(text);
}

void Overlay::SetStringTimer(int seconds) {
  char text[32];
  snprintf(text, sizeof(text), "%2d:%02d ", seconds / 60, seconds % 60);
  SetString(text);
}

void Overlay::SetTextColor(float r, float g, float b, float a) {
  m_pTexture->SetTextColor({r, g, b, a});
}

void Overlay::SetBgColor(float r, float g, float b, float a) {
  m_pTexture->SetBoxColor({r, g, b, a});
}

void Overlay::SetBorderColor(float r, float g, float b, float a) {
  m_pTexture->SetBorderColor({r, g, b, a});
}

void Overlay::RenderSetup(int width, int height) {
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_LINE_SMOOTH);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_LIGHTING);
  PushPixelSpace(width, height);
}

void Overlay::RenderString() {
  glEnable(GL_TEXTURE_RECTANGLE);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  m_pTexture->DrawAtPoint(static_cast<float>(m_x), static_cast<float>(m_y));
  glDisable(GL_TEXTURE_RECTANGLE);
}

void Overlay::RenderUnsetup() {
  PopPixelSpace();
  glEnable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glDisable(GL_LINE_SMOOTH);
  glEnable(GL_DEPTH_TEST);
  glReportError();
}

void Overlay::Render(int width, int height) {
  const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_LIGHTING);
  GLint matrixMode = GL_MODELVIEW;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  PushPixelSpace(width, height);
  RenderString();
  PopPixelSpace();
  glMatrixMode(static_cast<GLenum>(matrixMode));
  glEnable(GL_LIGHTING);
  glDisable(GL_BLEND);
  if (depthTest) glEnable(GL_DEPTH_TEST);
  glReportError();
}

void Overlay::GetDimensions(int* x, int* y, int* width, int* height) const {
  StringTexture::Size size = m_pTexture->MeasuredFrameSize();
  if (x) *x = m_x;
  if (y) *y = m_y;
  if (width) *width = static_cast<int>(size.width);
  if (height) *height = static_cast<int>(size.height);
}

void Overlay::GetInkCentre(float* x, float* y) {
  StringTexture::Point centre = m_pTexture->InkCentre();
  if (x) *x = centre.x;
  if (y) *y = centre.y;
}
