// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoredPng.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace {

void ReportError(png_structp png, png_const_charp message) {
  std::fprintf(stderr, "quillmere_pages: %s\n", message);
  png_longjmp(png, 1);
}

}  // namespace

bool WriteStoredPng(cairo_surface_t* surface, FILE* file) {
  if (cairo_image_surface_get_format(surface) != CAIRO_FORMAT_RGB24) {
    std::fprintf(stderr, "quillmere_pages: a stored image must be opaque\n");
    return false;
  }
  cairo_surface_flush(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, ReportError, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  // Declared before setjmp: a longjmp back here must not skip its destructor.
  std::vector<png_byte> row(static_cast<size_t>(width) * 3);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 0);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    const auto* pixels = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<png_byte>(pixels[x] >> 16);
      row[3 * x + 1] = static_cast<png_byte>(pixels[x] >> 8);
      row[3 * x + 2] = static_cast<png_byte>(pixels[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}
