// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// The next smaller mipmap level of an image of 32-bit pixels with four 8-bit premultiplied
// channels: max(1, width / 2) x max(1, height / 2) pixels, each channel the rounded mean of the
// 2 x 2 pixels above it (2 x 1 or 1 x 2 where a side is already one pixel). Width and height are
// powers of two.
std::vector<uint32_t> HalveImage(const uint32_t* pixels, int width, int height);
