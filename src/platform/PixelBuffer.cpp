// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PixelBuffer.h"

#include <cairo.h>

#include <cstdio>
#include <new>

#include "core/Log.h"

PixelBuffer::PixelBuffer() = default;

PixelBuffer::~PixelBuffer() {
  ReleaseImageBuffer();
}

bool PixelBuffer::CreateImageBuffer(int width, int height, unsigned bitDepth) {
  ReleaseImageBuffer();
  if (width < 0 || height < 0 || (bitDepth != 32 && bitDepth != 16)) return false;
  const cairo_format_t format = bitDepth == 32 ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB16_565;
  const int stride = width * static_cast<int>(bitDepth / 8);
  // Cairo needs 4-byte aligned rows; at 16 bits an odd width does not give them.
  if (stride != cairo_format_stride_for_width(format, width)) {
    char line[96];
    snprintf(line, sizeof(line), "NewGWorld failed %d, %1.f x %1.f", -1, double(width),
             double(height));
    LogError(line);
    return false;
  }
  const size_t size = static_cast<size_t>(stride) * static_cast<size_t>(height);
  m_memory.reset(new (std::nothrow) unsigned char[size > 0 ? size : 1]());
  if (!m_memory) {
    LogError("buffer malloc failed");
    return false;
  }
  m_surface = cairo_image_surface_create_for_data(m_memory.get(), format, width, height, stride);
  if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
    char line[96];
    snprintf(line, sizeof(line), "NewGWorld failed %d, %1.f x %1.f",
             static_cast<int>(cairo_surface_status(m_surface)), double(width), double(height));
    LogError(line);
    ReleaseImageBuffer();
    return false;
  }
  m_width = width;
  m_height = height;
  m_bitDepth = bitDepth;
  m_memorySize = size;
  return true;
}

void PixelBuffer::ReleaseImageBuffer() {
  if (m_surface) cairo_surface_destroy(m_surface);
  m_surface = nullptr;
  m_memory.reset();
  m_width = m_height = 0;
  m_bitDepth = 0;
  m_memorySize = 0;
}
