// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A colour in device RGB with alpha, each channel 0.0 to 1.0.
struct RGBAColor {
  float red = 0.0f;
  float green = 0.0f;
  float blue = 0.0f;
  float alpha = 0.0f;
};

// How a text is set: a font family looked up through fontconfig ("Helvetica", "Courier"), an
// absolute size in pixels (a 20 point font has a 20 pixel em), and the glyphs' colour.
struct TextAttributes {
  std::string family = "Helvetica";
  float size = 12.0f;
  RGBAColor foreground{0.0f, 0.0f, 0.0f, 1.0f};
};
