// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>

typedef struct _cairo_surface cairo_surface_t;

// A block of pixel memory that Cairo can draw into: rows from top to bottom, each exactly
// width x (depth / 8) bytes. At 32 bits a pixel is one native-endian A R G B word
// (premultiplied); at 16 bits it is R5 G6 B5.
class PixelBuffer {
 public:
  PixelBuffer();
  virtual ~PixelBuffer();
  PixelBuffer(const PixelBuffer&) = delete;
  PixelBuffer& operator=(const PixelBuffer&) = delete;

  // Replaces any buffer by a cleared one of the given size and depth (32 or 16 bits).
  bool CreateImageBuffer(int width, int height, unsigned bitDepth);
  void ReleaseImageBuffer();

  int BufferWidth() const { return m_width; }
  int BufferHeight() const { return m_height; }
  unsigned BufferBitDepth() const { return m_bitDepth; }
  size_t BufferMemorySize() const { return m_memorySize; }
  const unsigned char* BufferPtr() const { return m_memory.get(); }

 protected:
  // The drawing surface over the buffer's memory; null when there is no buffer.
  cairo_surface_t* Surface() const { return m_surface; }

 private:
  cairo_surface_t* m_surface = nullptr;
  int m_width = 0;
  int m_height = 0;
  unsigned m_bitDepth = 0;
  size_t m_memorySize = 0;
  std::unique_ptr<unsigned char[]> m_memory;
};
