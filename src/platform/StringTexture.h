// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/TextAttributes.h"

// One line of text rasterised into a rectangle texture of the current GL context, optionally on
// a filled box with a border, and drawn as one pixel-aligned quad. The image is a cache: any
// change of text, colour, margins or frame discards it and the next draw makes it again.
class StringTexture {
 public:
  struct Size {
    float width = 0.0f;
    float height = 0.0f;
  };
  struct Point {
    float x = 0.0f;
    float y = 0.0f;
  };

  StringTexture(const char* text, const TextAttributes& attributes, RGBAColor textColor,
                RGBAColor boxColor, RGBAColor borderColor);
  // White text on a transparent white box with a transparent white border.
  StringTexture(const char* text, const TextAttributes& attributes);
  ~StringTexture();
  StringTexture(const StringTexture&) = delete;
  StringTexture& operator=(const StringTexture&) = delete;

  // A dynamic frame is measured again at the next draw; a static frame keeps its size.
  void SetString(const char* text, const TextAttributes& attributes);
  // Colour changes keep the frame size.
  void SetTextColor(RGBAColor color);
  void SetBoxColor(RGBAColor color);
  void SetBorderColor(RGBAColor color);
  void SetMargins(Size margins);
  void UseStaticFrame(Size frame);
  void UseDynamicFrame();

  unsigned int TexName() const { return m_texName; }
  Size TexSize() const { return m_texSize; }
  const std::string& String() const { return m_text; }
  RGBAColor TextColor() const { return m_textColor; }
  RGBAColor BoxColor() const { return m_boxColor; }
  RGBAColor BorderColor() const { return m_borderColor; }
  Size MarginSize() const { return m_marginSize; }
  bool StaticFrame() const { return m_staticFrame; }
  // The frame size, measured first when the frame is dynamic and not measured yet.
  Size FrameSize();
  // The frame size as it stands, (0, 0) when a dynamic frame has not been measured since the
  // last change.
  Size MeasuredFrameSize() const { return m_frameSize; }
  // The centre of the glyphs' ink in the image, from its top-left corner, y downward; the
  // frame's centre for a text without ink.
  Point InkCentre();

  void GenTexture();
  // Draws the texture stretched over the rectangle, y growing downward; makes it first if needed.
  void DrawWithBounds(float x, float y, float width, float height);
  // Draws the texture at its own size with its top-left corner at (x, y).
  void DrawAtPoint(float x, float y);
  void DeleteTexture();

 private:
  void Measure();
  void DropIfStale();

  void* m_glContext = nullptr;  // the context the texture was made in; null without texture
  unsigned int m_texName = 0;
  Size m_texSize;  // in book pixels
  Size m_texPixels;
  double m_texScale = 1.0;
  std::string m_text;
  TextAttributes m_attributes;
  RGBAColor m_textColor;
  RGBAColor m_boxColor;
  RGBAColor m_borderColor;
  bool m_staticFrame = false;
  Size m_marginSize{4.0f, 2.0f};
  Size m_frameSize;
  Point m_inkCentre;
  bool m_inkMeasured = false;
};
