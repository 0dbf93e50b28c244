// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// A picture as 8-bit R G B A, row 0 at the top: a framebuffer read back, a window captured from
// the X server, or a PNG file.
struct PixelImage {
  struct Pixel {
    uint8_t r = 0, g = 0, b = 0, a = 0;
    int Sum() const { return r + g + b; }
    bool DarkerThan(int below) const { return r < below && g < below && b < below; }
    double Luma() const { return 0.299 * r + 0.587 * g + 0.114 * b; }
  };
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;

  const Pixel& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Opaque, as a framebuffer is where the scene was drawn; false when it could not be written.
  bool SavePng(const std::string& path) const;
  // Colours as stored (premultiplied by alpha); an empty image when the file cannot be read.
  static PixelImage LoadPng(const std::string& path);
};

// A rectangle of a picture: its top-left corner and its size.
struct Box {
  int x, y, width, height;
};

// The pixels of the box, clipped to the picture, for which test(pixel) holds.
template <typename Test>
int Count(const PixelImage& image, Box box, Test test) {
  int count = 0;
  for (int y = std::max(0, box.y); y < std::min(image.height, box.y + box.height); ++y)
    for (int x = std::max(0, box.x); x < std::min(image.width, box.x + box.width); ++x)
      count += test(image.At(x, y)) ? 1 : 0;
  return count;
}

// Pixels dark in every channel (each below `below`): ink on the paper.
int Ink(const PixelImage& image, Box box, int below = 100);
// Pixels of the box that differ between two pictures by more than `trace` (summed over the
// channels).
int Changed(const PixelImage& a, const PixelImage& b, Box box, int trace = 24);
// The smallest box holding every pixel of the box that is ink; width 0 when there is none.
Box InkBounds(const PixelImage& image, Box box, int below = 128);
