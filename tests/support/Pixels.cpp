// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Pixels.h"

#include <cairo.h>

#include <cstdlib>

bool PixelImage::SavePng(const std::string& path) const {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  const int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Pixel& p = At(x, y);
      reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride)[x] =
          0xFF000000u | (uint32_t(p.r) << 16) | (uint32_t(p.g) << 8) | p.b;
    }
  cairo_surface_mark_dirty(surface);
  const bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

PixelImage PixelImage::LoadPng(const std::string& path) {
  PixelImage image;
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
    cairo_surface_flush(surface);
    image.width = cairo_image_surface_get_width(surface);
    image.height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) {
        const uint32_t w = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
        image.pixels.push_back({uint8_t(w >> 16), uint8_t(w >> 8), uint8_t(w), uint8_t(w >> 24)});
      }
  }
  cairo_surface_destroy(surface);
  return image;
}

int Ink(const PixelImage& image, Box box, int below) {
  return Count(image, box, [&](const PixelImage::Pixel& p) { return p.DarkerThan(below); });
}

int Changed(const PixelImage& a, const PixelImage& b, Box box, int trace) {
  int count = 0;
  for (int y = std::max(0, box.y); y < std::min({a.height, b.height, box.y + box.height}); ++y)
    for (int x = std::max(0, box.x); x < std::min({a.width, b.width, box.x + box.width}); ++x) {
      const auto &p = a.At(x, y), &q = b.At(x, y);
      count += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > trace;
    }
  return count;
}

Box InkBounds(const PixelImage& image, Box box, int below) {
  int x0 = box.x + box.width, y0 = box.y + box.height, x1 = box.x - 1, y1 = box.y - 1;
  for (int y = std::max(0, box.y); y < std::min(image.height, box.y + box.height); ++y)
    for (int x = std::max(0, box.x); x < std::min(image.width, box.x + box.width); ++x)
      if (image.At(x, y).DarkerThan(below)) {
        x0 = std::min(x0, x), x1 = std::max(x1, x);
        y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
  return x1 < x0 ? Box{0, 0, 0, 0} : Box{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}
