// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/Scribble.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

// Drawn open, for a hand-drawn look around the letter.
const int Scribble::circle[] = {
    11, 6,  7,  6,  4,  8,  1,  11, -1, 14, -1, 18, 0,  22, 3, 23, 6,    24,
    10, 24, 13, 23, 15, 20, 16, 16, 17, 12, 15, 8,  12, 5,  9, 3,  -100, -100,
};

void Scribble::Render() const {
  glBegin(GL_LINE_STRIP);
  for (const Point& pt : m_aPoints) glVertex3f(pt.h, pt.v, 1.0f);
  glEnd();
}

void Scribble::Render(ScribbleID id, Point at) {
  if (id != kScribbleCircle) {
    LogString("unknown scribble id rendered");
    return;
  }
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(at.h, at.v, 0.0f);
  glBegin(GL_LINE_STRIP);
  for (const int* p = circle; p[0] > -100; p += 2) glVertex3f(p[0], p[1], 1.0f);
  glEnd();
  glPopMatrix();
}

void Scribble::CircleCentre(float& h, float& v) {
  int left = circle[0], right = circle[0], top = circle[1], bottom = circle[1];
  for (const int* p = circle; p[0] > -100; p += 2) {
    left = std::min(left, p[0]);
    right = std::max(right, p[0]);
    top = std::min(top, p[1]);
    bottom = std::max(bottom, p[1]);
  }
  h = (left + right) / 2.0f;
  v = (top + bottom) / 2.0f;
}

void Scribble::DumpToLog() const {
  char line[64];
  for (const Point& pt : m_aPoints) {
    snprintf(line, sizeof(line), "\t%d, %d,\n", pt.h, pt.v);
    LogString(line);
  }
  LogString("\t};\n");
}
