// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GLError.h"

#include <GL/glu.h>

#include <string>

#include "core/Log.h"

GLenum glReportError() {
  return glDebugStr();
}

GLenum glDebugStr() {
  GLenum error = glGetError();
  if (error != GL_NO_ERROR) {
    const GLubyte* text = gluErrorString(error);
    ReportError(text ? reinterpret_cast<const char*>(text) : "unknown OpenGL error");
  }
  return error;
}

void ReportError(const char* text) {
  // Only while logging is on, so that a broken driver cannot flood the error log every frame.
  if (!IsLogging()) return;
  std::string line = "OpenGL error: ";
  line += text ? text : "";
  LogString(line.c_str());
}
