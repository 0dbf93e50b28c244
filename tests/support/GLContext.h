// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;

// The pixels of a framebuffer read back, row 0 at the top, as 8-bit R G B A.
struct PixelImage {
  struct Pixel {
    uint8_t r = 0, g = 0, b = 0, a = 0;
  };
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;

  const Pixel& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Writes the image as a PNG file; false when it could not be written.
  bool SavePng(const std::string& path) const;
};

// A real compatibility (2.1) OpenGL context with RGBA, alpha, depth and double buffering in a
// hidden SDL window, current from construction to destruction. It needs an X server: without
// one (or without SDL_VIDEODRIVER=x11 reaching one) the constructor throws, and the test fails
// with the reason instead of being skipped. The viewport covers the whole window.
class GLContext {
 public:
  GLContext(int width = 640, int height = 480);
  ~GLContext();
  GLContext(const GLContext&) = delete;
  GLContext& operator=(const GLContext&) = delete;

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  SDL_Window* Window() const { return m_window; }
  void* Handle() const { return m_context; }

  void MakeCurrent();
  // Leaves no context current on this thread, as code running outside the frame sees it.
  void ReleaseCurrent();
  void Clear(float r, float g, float b, float a);
  // The back buffer as drawn so far (finishes the drawing first); window pixel (x, y) with y
  // growing downward is At(x, y).
  PixelImage ReadPixels() const;

 private:
  int m_width;
  int m_height;
  SDL_Window* m_window = nullptr;
  void* m_context = nullptr;
};
