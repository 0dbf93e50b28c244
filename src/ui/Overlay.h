// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/TextAttributes.h"

class StringTexture;

// One line of text drawn flat over the scene in window pixels (origin top left, y downward):
// the text in a named font and size on an optional box with an optional border.
class Overlay {
 public:
  Overlay(int x, int y, int fontSize, const char* fontName);
  ~Overlay();
  Overlay(const Overlay&) = delete;
  Overlay& operator=(const Overlay&) = delete;

  void MoveTo(int x, int y);
  void SetString(const char* text);
  void SetString(float value);
  void SetString(int value);
  // Minutes and seconds, "%2d:%02d " (the trailing blank belongs to the format).
  void SetStringTimer(int seconds);
  void SetTextColor(float r, float g, float b, float a);
  void SetBgColor(float r, float g, float b, float a);
  void SetBorderColor(float r, float g, float b, float a);

  // The overlay pass of one frame: RenderSetup, then RenderString on every overlay (under any
  // translation the caller pushes), then RenderUnsetup.
  static void RenderSetup(int width, int height);
  void RenderString();
  static void RenderUnsetup();
  // One overlay in a pass of its own, leaving the depth test and matrix mode as it found them.
  void Render(int width, int height);

  // The position and the box size as measured at the last draw: 0 x 0 until the overlay has
  // been drawn since its text last changed.
  void GetDimensions(int* x, int* y, int* width, int* height) const;
  // The centre of the text's ink from the overlay's top-left corner, in pixels.
  void GetInkCentre(float* x, float* y);

 private:
  std::unique_ptr<StringTexture> m_pTexture;
  TextAttributes m_attributes;
  int m_x;
  int m_y;
};
