// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Mipmap.h"

#include <algorithm>

std::vector<uint32_t> HalveImage(const uint32_t* pixels, int width, int height) {
  const int halfWidth = std::max(1, width / 2);
  const int halfHeight = std::max(1, height / 2);
  // Where a side is one pixel, the "second" pixel along it is the same pixel again.
  const int stepX = width > 1 ? 1 : 0;
  const int stepY = height > 1 ? width : 0;
  std::vector<uint32_t> half(static_cast<size_t>(halfWidth) * halfHeight);
  for (int y = 0; y < halfHeight; ++y) {
    for (int x = 0; x < halfWidth; ++x) {
      const uint32_t* p = pixels + static_cast<size_t>(y) * 2 * width + x * 2;
      const uint32_t four[4] = {p[0], p[stepX], p[stepY], p[stepY + stepX]};
      uint32_t mean = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        uint32_t sum = 2;
        for (uint32_t pixel : four) sum += (pixel >> shift) & 0xFFu;
        mean |= (sum / 4) << shift;
      }
      half[static_cast<size_t>(y) * halfWidth + x] = mean;
    }
  }
  return half;
}
