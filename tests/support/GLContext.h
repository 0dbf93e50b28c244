// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/Pixels.h"

struct SDL_Window;

// A real compatibility (2.1) OpenGL context with RGBA, alpha, depth and double buffering in a
// hidden SDL window, current from construction to destruction, its viewport the whole window.
// Without an X server (or without SDL_VIDEODRIVER=x11 reaching one) the constructor throws, and
// the test fails with the reason instead of being skipped.
class GLContext {
 public:
  GLContext(int width = 640, int height = 480);
  ~GLContext();
  GLContext(const GLContext&) = delete;
  GLContext& operator=(const GLContext&) = delete;

  int Width() const { return m_width; }
  int Height() const { return m_height; }

  void MakeCurrent();
  // Leaves no context current on this thread, as code running outside the frame sees it.
  void ReleaseCurrent();
  void Clear(float r, float g, float b, float a);
  // The back buffer as drawn so far, window pixel (x, y) with y downward at At(x, y).
  PixelImage ReadPixels() const;

 private:
  int m_width;
  int m_height;
  SDL_Window* m_window = nullptr;
  void* m_context = nullptr;
};
