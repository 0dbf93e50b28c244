// SPDX-License-Identifier: GPL-3.0-or-later
// Page images loaded into textures in a real GL context.
#include <GL/gl.h>
#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/Log.h"
#include "platform/ImageFile.h"
#include "platform/Mipmap.h"
#include "support/GLContext.h"
#include "support/TestSupport.h"

namespace {

// The paper loads opaque, its rows in the order GL counts them, and mipmapped, so that a page
// shown small does not shimmer. A picture that is missing, broken or outside the folder is
// logged and fails, with a new texture name all the same.
TEST(ImageFile, ThePaperLoadsMipmappedAndBadPicturesAreLogged) {
  GLContext gl(64, 64);
  EnableLogging();
  unsigned long texid = 1281;
  ASSERT_EQ(LoadImageAsTexture(&texid, "Paper.png"), 0);
  const PixelImage paper = PixelImage::LoadPng(QM_RESOURCE_DIR "/Images/Paper.png");
  std::vector<uint32_t> texels(1024 * 1024);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, texels.data());
  for (int y : {0, 100, 1023}) {
    const PixelImage::Pixel& p = paper.At(7, y);
    EXPECT_EQ(texels[(1023 - y) * 1024 + 7], 0xFF000000u | p.r << 16 | p.g << 8 | p.b) << y;
  }
  int filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR_MIPMAP_LINEAR);
  // Level 1 is what a book at 100% shows; the chain goes down to one texel.
  std::vector<uint32_t> half(512 * 512);
  glGetTexImage(GL_TEXTURE_2D, 1, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, half.data());
  EXPECT_EQ(half, HalveImage(texels.data(), 1024, 1024));
  int smallest = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 10, GL_TEXTURE_WIDTH, &smallest);
  EXPECT_EQ(smallest, 1);

  const std::string broken = "test-" + std::to_string(getpid()) + ".png";
  WriteFile(QM_RESOURCE_DIR "/Images/" + broken, "\x89PNG\r\n\x1a\n not a picture");
  for (const std::string& bad :
       {std::string("test-missing.png"), broken, std::string("../Dict/enable1.txt")}) {
    const unsigned long previous = texid;
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadImageAsTexture(&texid, bad.c_str()), -1) << bad;
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("] Unable to load texture " + bad + "\n"), std::string::npos) << log;
    EXPECT_TRUE(texid != previous && texid != 0) << bad;
  }
  unlink((QM_RESOURCE_DIR "/Images/" + broken).c_str());
}

// A picture with see-through pixels comes out premultiplied and upside down, exactly as Cairo's
// own reader gives it.
TEST(ImageFile, SeeThroughPixelsArePremultipliedAsCairoReadsThem) {
  GLContext gl(64, 64);
  const std::string name = "test-" + std::to_string(getpid()) + "-alpha.png";
  const std::string path = QM_RESOURCE_DIR "/Images/" + name;
  const uint32_t drawn[2][4] = {{0xFF336699, 0x80402010, 0x01010000, 0x00000000},
                                {0xC0C00000, 0x7F7F7F7F, 0x10080402, 0xFFFFFFFF}};
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 2);
  for (int y = 0; y < 2; ++y)
    memcpy(cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface),
           drawn[y], sizeof(drawn[y]));
  cairo_surface_mark_dirty(surface);
  ASSERT_EQ(cairo_surface_write_to_png(surface, path.c_str()), CAIRO_STATUS_SUCCESS);
  cairo_surface_destroy(surface);

  cairo_surface_t* read = cairo_image_surface_create_from_png(path.c_str());
  unsigned long texid = 1281;
  ASSERT_EQ(LoadImageAsTexture(&texid, name.c_str()), 0);
  uint32_t texels[2][4];
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, texels);
  for (int y = 0; y < 2; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(read) +
                                                        y * cairo_image_surface_get_stride(read));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(texels[1 - y][x], row[x]) << x << "," << y;
  }
  cairo_surface_destroy(read);
  unlink(path.c_str());
}

// Each channel on its own, rounded to the nearest; a side of one pixel halves only the other.
TEST(Mipmap, EachPixelIsTheRoundedMeanOfThePixelsAboveIt) {
  struct Case {
    std::vector<uint32_t> pixels;
    int width, height;
    std::vector<uint32_t> half;
  };
  const Case cases[] = {
      {{0xFF000000, 0xFF000001, 0xFF000001, 0xFF000000}, 2, 2, {0xFF000001}},  // 0.5 rounds up
      {{0x10203040, 0x20304050, 0x30405060, 0x40506070}, 2, 2, {0x28384858}},
      {{0x000000FF, 0x000000FF, 0x0000FF00, 0x00000000}, 2, 2, {0x00004080}},
      {{0x04000000, 0x08000000, 0x00000002, 0x00000004}, 4, 1, {0x06000000, 0x00000003}},
      {{0x00000002, 0x00000004, 0x00000010, 0x00000020}, 1, 4, {0x00000003, 0x00000018}},
      {{0x12345678}, 1, 1, {0x12345678}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HalveImage(c.pixels.data(), c.width, c.height), c.half) << c.width << "x" << c.height;
}

}  // namespace
