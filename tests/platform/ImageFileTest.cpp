// SPDX-License-Identifier: GPL-3.0-or-later
// Page images loaded into textures in a real GL context, checked row by row.

#include <GL/gl.h>
#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/Log.h"
#include "platform/ImageFile.h"
#include "scene/QLMPage.h"
#include "support/GLContext.h"
#include "support/TestSupport.h"
#include "ui/Overlay.h"

namespace {

// A page of the book that shows a picture of the test's own.
class PictureOnPage : public QLMPage {
 public:
  PictureOnPage() : QLMPage(TQ3Vector3D{0.0f, 0.0f, 0.0f}) {}
  void Show(const char* name) { LoadPageImage(name); }
};

// A PNG placed in the game's "Images" folder under a name of this test process, removed again
// when the test is done.
class TestImage {
 public:
  TestImage(const std::string& tag, int width, int height,
            const std::function<void(cairo_t*)>& paint)
      : m_name("test-" + std::to_string(getpid()) + "-" + tag + ".png"),
        m_path(std::string(QM_RESOURCE_DIR) + "/Images/" + m_name) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    paint(cr);
    cairo_destroy(cr);
    EXPECT_EQ(cairo_surface_write_to_png(surface, m_path.c_str()), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(surface);
  }
  TestImage(const std::string& tag, const std::string& bytes)
      : m_name("test-" + std::to_string(getpid()) + "-" + tag + ".png"),
        m_path(std::string(QM_RESOURCE_DIR) + "/Images/" + m_name) {
    WriteFile(m_path, bytes);
  }
  ~TestImage() { std::remove(m_path.c_str()); }
  const char* Name() const { return m_name.c_str(); }

 private:
  std::string m_name;
  std::string m_path;
};

// Top left red, top right green, bottom left blue, bottom right white at half opacity.
std::function<void(cairo_t*)> Quadrants(int width, int height) {
  return [=](cairo_t* cr) {
    const double w = width / 2.0, h = height / 2.0;
    const double colours[4][4] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 1, 128 / 255.0}};
    for (int i = 0; i < 4; ++i) {
      cairo_set_source_rgba(cr, colours[i][0], colours[i][1], colours[i][2], colours[i][3]);
      cairo_rectangle(cr, (i % 2) * w, (i / 2) * h, w, h);
      cairo_fill(cr);
    }
  };
}

// The bound 2D texture's level 0 as premultiplied A R G B words, row 0 first.
struct Texels {
  int width = 0, height = 0;
  std::vector<uint32_t> words;
  uint32_t At(int s, int t) const { return words[static_cast<size_t>(t) * width + s]; }
};

Texels ReadTexture(unsigned long texid) {
  Texels texels;
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texid));
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texels.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texels.height);
  texels.words.resize(static_cast<size_t>(texels.width) * texels.height);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, texels.words.data());
  return texels;
}

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;
constexpr uint32_t kHalfWhite = 0x80808080;

TEST(ImageFile, PowersOfTwo) {
  EXPECT_EQ(Power2Ceiling(0), 0);
  EXPECT_EQ(Power2Ceiling(1), 1);
  EXPECT_EQ(Power2Ceiling(2), 2);
  EXPECT_EQ(Power2Ceiling(3), 4);
  EXPECT_EQ(Power2Ceiling(300), 512);
  EXPECT_EQ(Power2Ceiling(512), 512);
  EXPECT_EQ(Power2Ceiling(513), 1024);
}

TEST(ImageFile, ASquareImageIsUploadedUnscaledAndShowsUprightOnThePage) {
  GLContext gl(512, 512);
  // Every pixel different, so that any resampling or shift shows.
  TestImage gradient("gradient", 512, 512, [](cairo_t* cr) {
    cairo_surface_t* target = cairo_get_target(cr);
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    for (int y = 0; y < 512; ++y)
      for (int x = 0; x < 512; ++x)
        reinterpret_cast<uint32_t*>(data + y * stride)[x] =
            0xFF000000u | ((x / 2) << 16) | ((y / 2) << 8) | ((x + 3 * y) & 0xFF);
    cairo_surface_mark_dirty(target);
  });
  unsigned long texid = 1281;
  ASSERT_EQ(LoadImageAsTexture(&texid, gradient.Name()), 0);
  Texels texels = ReadTexture(texid);
  ASSERT_EQ(texels.width, 512);
  ASSERT_EQ(texels.height, 512);
  int wrong = 0;
  for (int t = 0; t < 512; ++t) {
    const int y = 511 - t;  // the first row holds the image's bottom row
    for (int s = 0; s < 512; ++s)
      wrong += texels.At(s, t) != (0xFF000000u | ((s / 2) << 16) | ((y / 2) << 8) |
                                   static_cast<uint32_t>((s + 3 * y) & 0xFF));
  }
  EXPECT_EQ(wrong, 0);

  GLint value = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
  EXPECT_EQ(value, GL_LINEAR);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
  EXPECT_EQ(value, GL_LINEAR_MIPMAP_LINEAR);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
  EXPECT_EQ(value, GL_REPEAT);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
  EXPECT_EQ(value, GL_REPEAT);

  // The page's quad puts t = 1 at its top: the image's top left corner shows top left.
  TestImage quadrants("quadrants", 512, 512, Quadrants(512, 512));
  PictureOnPage page;
  page.Show(quadrants.Name());
  gl.Clear(0.0f, 0.0f, 0.0f, 1.0f);
  Overlay::RenderSetup(512, 512);
  page.Render(512, 512);
  Overlay::RenderUnsetup();
  PixelImage shown = gl.ReadPixels();
  auto is = [&](int x, int y, int r, int g, int b) {
    const PixelImage::Pixel& p = shown.At(x, y);
    return p.r == r && p.g == g && p.b == b;
  };
  EXPECT_TRUE(is(100, 100, 255, 0, 0)) << "top left red";
  EXPECT_TRUE(is(400, 100, 0, 255, 0)) << "top right green";
  EXPECT_TRUE(is(100, 400, 0, 0, 255)) << "bottom left blue";
}

TEST(ImageFile, OtherSizesAreStretchedToPowersOfTwoUpTo1024) {
  GLContext gl(64, 64);
  struct Case {
    int width, height, texWidth, texHeight;
  };
  for (Case c : {Case{500, 300, 512, 512}, Case{2000, 600, 1024, 1024}, Case{3000, 100, 1024, 128},
                 Case{64, 1500, 64, 1024}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    TestImage image("sized", c.width, c.height, Quadrants(c.width, c.height));
    unsigned long texid = 1281;
    ASSERT_EQ(LoadImageAsTexture(&texid, image.Name()), 0);
    Texels texels = ReadTexture(texid);
    ASSERT_EQ(texels.width, c.texWidth);
    ASSERT_EQ(texels.height, c.texHeight);
    const int w = c.texWidth, h = c.texHeight;
    // The image fills the whole texture, upside down; the edges keep their full colour.
    EXPECT_EQ(texels.At(0, 0), kBlue);
    EXPECT_EQ(texels.At(w / 2 - 2, h / 2 - 2), kBlue);
    EXPECT_EQ(texels.At(w - 1, 0), kHalfWhite);
    EXPECT_EQ(texels.At(w / 2 + 1, h / 2 - 2), kHalfWhite);
    EXPECT_EQ(texels.At(0, h - 1), kRed);
    EXPECT_EQ(texels.At(w / 2 - 2, h / 2 + 1), kRed);
    EXPECT_EQ(texels.At(w - 1, h - 1), kGreen);
    EXPECT_EQ(texels.At(w / 2 + 1, h / 2 + 1), kGreen);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(ImageFile, MissingOrBrokenImagesLogAndFailWithANewTextureName) {
  GLContext gl(64, 64);
  const std::string missing = "test-" + std::to_string(getpid()) + "-missing.png";
  unsigned long texid = 1281;
  const bool logging = IsLogging();
  testing::internal::CaptureStderr();
  EXPECT_EQ(LoadImageAsTexture(&texid, missing.c_str()), -1);
  const std::string silent = testing::internal::GetCapturedStderr();
  if (!logging) {
    EXPECT_EQ(silent, "") << "logged only once logging is on";
  }
  EXPECT_NE(texid, 1281ul);
  EXPECT_NE(texid, 0ul);

  EnableLogging();
  TestImage broken("broken", std::string("\x89PNG\r\n\x1a\n", 8) + "not an image at all");
  TestImage truncated("truncated", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x02\0", 20));
  unsigned long names[4] = {1281, 1281, 1281, 1281};
  const char* badNames[4] = {missing.c_str(), broken.Name(), truncated.Name(),
                             "../Dict/enable1.txt"};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(badNames[i]);
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadImageAsTexture(&names[i], badNames[i]), -1);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find(std::string("] Unable to load texture ") + badNames[i] + "\n"),
              std::string::npos)
        << log;
    EXPECT_NE(names[i], 1281ul);
    EXPECT_NE(names[i], texid);
  }

  // The game's own paper loads.
  unsigned long paper = 1281;
  EXPECT_EQ(LoadImageAsTexture(&paper, "Paper.png"), 0);
  Texels texels = ReadTexture(paper);
  EXPECT_EQ(texels.width, 1024);
  EXPECT_EQ(texels.height, 1024);
  EXPECT_EQ(texels.At(512, 512) >> 24, 0xFFu) << "the paper is opaque";
}

}  // namespace
