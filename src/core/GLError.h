// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <GL/gl.h>

// Reads and clears the renderer's pending error; a pending error's text goes to ReportError.
GLenum glReportError();
GLenum glDebugStr();

// Where renderer errors are shown: on the diagnostic log, once the d key has switched it on.
void ReportError(const char* text);
