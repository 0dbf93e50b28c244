// SPDX-License-Identifier: GPL-3.0-or-later
// Text textures measured with the real fonts and drawn in a real GL context, read back from the
// framebuffer.

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <string>

#include "platform/StringTexture.h"
#include "support/GLContext.h"

namespace {

const TextAttributes kHelvetica20{"Helvetica", 20.0f, {0.0f, 0.0f, 0.0f, 1.0f}};
const TextAttributes kCourier20{"Courier", 20.0f, {0.0f, 0.0f, 0.0f, 1.0f}};
const RGBAColor kClear{0.0f, 0.0f, 0.0f, 0.0f};

// The pixel space and blending of the overlay pass.
void BeginPixelSpace(const GLContext& gl) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluOrtho2D(0.0, gl.Width(), gl.Height(), 0.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_RECTANGLE);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

// The one-line logical extent of a text as Pango lays it out on its own.
StringTexture::Size PangoExtent(const char* text, const TextAttributes& attributes) {
  PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
  PangoLayout* layout = pango_layout_new(context);
  PangoFontDescription* font = pango_font_description_from_string(attributes.family.c_str());
  pango_font_description_set_absolute_size(font, attributes.size * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_layout_set_text(layout, text, -1);
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);
  pango_font_description_free(font);
  g_object_unref(layout);
  g_object_unref(context);
  return {static_cast<float>(logical.width), static_cast<float>(logical.height)};
}

bool SamePixel(const PixelImage::Pixel& p, int r, int g, int b, int tolerance = 1) {
  return std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance &&
         std::abs(p.b - b) <= tolerance;
}

struct Box {
  int x0, y0, x1, y1;  // x0 <= x < x1
};

// Pixels darker than the grey background by far: the glyphs.
Box InkBox(const PixelImage& image, int* count) {
  Box box{image.width, image.height, -1, -1};
  *count = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y).r < 40) {
        ++*count;
        box = {std::min(box.x0, x), std::min(box.y0, y), std::max(box.x1, x + 1),
               std::max(box.y1, y + 1)};
      }
  return box;
}

TEST(StringTexture, FrameIsTheTextExtentPlusTwiceTheMargins) {
  StringTexture menu("Beat the Clock", kHelvetica20);
  EXPECT_EQ(menu.MeasuredFrameSize().width, 0.0f);
  StringTexture::Size frame = menu.FrameSize();
  StringTexture::Size text = PangoExtent("Beat the Clock", kHelvetica20);
  EXPECT_NEAR(frame.width, text.width + 8.0f, 1.0f);
  EXPECT_NEAR(frame.height, text.height + 4.0f, 1.0f);
  // A 20 pixel em: a line of Nimbus Sans is a little over 20 pixels high.
  EXPECT_GE(frame.height - 4.0f, 20.0f);
  EXPECT_LE(frame.height - 4.0f, 28.0f);
  EXPECT_EQ(frame.width, std::floor(frame.width)) << "whole pixels";
  EXPECT_EQ(menu.MeasuredFrameSize().width, frame.width);

  // Courier is fixed-pitch at 0.6 em: ten letters of 20 points are 120 pixels.
  StringTexture mono("MMMMMMMMMM", kCourier20);
  EXPECT_NEAR(mono.FrameSize().width, 128.0f, 1.0f);
  StringTexture dots("..........", kCourier20);
  EXPECT_EQ(dots.FrameSize().width, mono.FrameSize().width);

  mono.SetMargins({10.0f, 5.0f});
  EXPECT_EQ(mono.MeasuredFrameSize().width, 0.0f);
  EXPECT_EQ(mono.FrameSize().width, dots.FrameSize().width + 12.0f);
  EXPECT_EQ(mono.FrameSize().height, dots.FrameSize().height + 6.0f);

  // An empty text takes no room: only the margins remain.
  StringTexture empty("", kHelvetica20);
  EXPECT_EQ(empty.FrameSize().width, 8.0f);
  EXPECT_EQ(empty.FrameSize().height, 4.0f);

  // 8-bit texts that are not UTF-8 are Latin-1.
  StringTexture cafe("Caf\xe9", kHelvetica20);
  StringTexture caf("Caf", kHelvetica20);
  EXPECT_GT(cafe.FrameSize().width, caf.FrameSize().width + 5.0f);

  // The texture has the frame's size.
  GLContext gl(64, 64);
  menu.GenTexture();
  ASSERT_NE(menu.TexName(), 0u);
  EXPECT_EQ(menu.TexSize().width, frame.width);
  EXPECT_EQ(menu.TexSize().height, frame.height);
  GLint width = 0, height = 0;
  glBindTexture(GL_TEXTURE_RECTANGLE, menu.TexName());
  glGetTexLevelParameteriv(GL_TEXTURE_RECTANGLE, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_RECTANGLE, 0, GL_TEXTURE_HEIGHT, &height);
  EXPECT_EQ(width, static_cast<int>(frame.width));
  EXPECT_EQ(height, static_cast<int>(frame.height));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(StringTexture, ChangesDiscardTheTextureAndColoursKeepTheFrame) {
  GLContext gl(64, 64);
  StringTexture st("SCORE", kCourier20, {0.0f, 1.0f, 0.5f, 1.0f}, kClear, kClear);
  st.GenTexture();
  const StringTexture::Size frame = st.MeasuredFrameSize();
  GLuint name = st.TexName();
  ASSERT_NE(name, 0u);
  EXPECT_TRUE(glIsTexture(name));

  st.SetTextColor({0.0f, 0.0f, 0.0f, 1.0f});
  EXPECT_EQ(st.TexName(), 0u);
  EXPECT_FALSE(glIsTexture(name)) << "the old texture is deleted, not dropped";
  EXPECT_EQ(st.MeasuredFrameSize().width, frame.width);
  EXPECT_EQ(st.MeasuredFrameSize().height, frame.height);
  st.GenTexture();
  st.SetBoxColor({1.0f, 0.0f, 0.0f, 1.0f});
  EXPECT_EQ(st.TexName(), 0u);
  st.GenTexture();
  st.SetBorderColor({1.0f, 0.0f, 0.0f, 1.0f});
  EXPECT_EQ(st.TexName(), 0u);
  EXPECT_EQ(st.MeasuredFrameSize().width, frame.width);

  // A dynamic frame is measured again after a text change.
  st.GenTexture();
  st.SetString("SCORES", kCourier20);
  EXPECT_EQ(st.TexName(), 0u);
  EXPECT_EQ(st.MeasuredFrameSize().width, 0.0f);
  EXPECT_EQ(st.MeasuredFrameSize().height, 0.0f);
  EXPECT_NEAR(st.FrameSize().width, frame.width + 12.0f, 1.0f);

  // Asking for a dynamic frame when the frame is dynamic keeps the texture.
  st.GenTexture();
  name = st.TexName();
  st.UseDynamicFrame();
  EXPECT_EQ(st.TexName(), name);
}

TEST(StringTexture, AStaticFrameCutsALongText) {
  GLContext gl(320, 80);
  gl.Clear(0.5f, 0.5f, 0.5f, 1.0f);
  BeginPixelSpace(gl);
  StringTexture st("A text far too long for its box", kHelvetica20);
  st.UseStaticFrame({100.0f, 20.0f});
  st.DrawAtPoint(10.0f, 30.0f);
  EXPECT_EQ(st.TexSize().width, 100.0f);
  EXPECT_EQ(st.TexSize().height, 20.0f);
  int count = 0;
  Box ink = InkBox(gl.ReadPixels(), &count);
  EXPECT_GT(count, 50);
  EXPECT_GE(ink.x0, 10);
  EXPECT_LE(ink.x1, 110) << "nothing right of the box";
  EXPECT_GE(ink.x1, 100) << "the text runs up to the box's edge";
  EXPECT_GE(ink.y0, 30);
  EXPECT_LE(ink.y1, 50);

  // A static frame keeps its size when the text changes, until the frame is dynamic again.
  st.SetString("Hi", kHelvetica20);
  EXPECT_EQ(st.FrameSize().width, 100.0f);
  st.SetString("A text far too long for its box", kHelvetica20);
  st.UseDynamicFrame();
  EXPECT_EQ(st.MeasuredFrameSize().width, 0.0f);
  EXPECT_GT(st.FrameSize().width, 200.0f);
}

TEST(StringTexture, DrawsUprightDarkGlyphsOnlyTheVisibleBoxAndBorder) {
  GLContext gl(200, 120);
  const int grey = 128;
  auto draw = [&](StringTexture& st) {
    gl.Clear(0.5f, 0.5f, 0.5f, 1.0f);
    BeginPixelSpace(gl);
    st.DrawAtPoint(10.0f, 30.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    return gl.ReadPixels();
  };
  const TextAttributes big{"Helvetica", 40.0f, {0.0f, 0.0f, 0.0f, 1.0f}};
  // White text colour: the glyphs still take the attributes' black.
  StringTexture st("L", big);
  PixelImage image = draw(st);
  const int w = static_cast<int>(st.TexSize().width);
  const int h = static_cast<int>(st.TexSize().height);
  int count = 0;
  Box ink = InkBox(image, &count);
  ASSERT_GT(count, 40);
  EXPECT_GE(ink.x0, 10 + 4);
  EXPECT_LE(ink.x1, 10 + w - 4);
  EXPECT_GE(ink.y0, 30 + 2);
  EXPECT_LE(ink.y1, 30 + h - 2);
  int darkest = 255;
  for (int y = ink.y0; y < ink.y1; ++y)
    for (int x = ink.x0; x < ink.x1; ++x) darkest = std::min<int>(darkest, image.At(x, y).r);
  EXPECT_LE(darkest, 8) << "opaque black glyphs";
  // An upright L: its stem on the left, its foot at the bottom.
  auto darkIn = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += image.At(x, y).r < 40;
    return n;
  };
  EXPECT_GT(darkIn(ink.x0, ink.y0, ink.x0 + 3, ink.y1),
            2 * darkIn(ink.x1 - 3, ink.y0, ink.x1, ink.y1));
  EXPECT_GT(darkIn(ink.x0, ink.y1 - 3, ink.x1, ink.y1),
            2 * darkIn(ink.x0, ink.y0, ink.x1, ink.y0 + 3));
  // Transparent box and border: every pixel away from the glyphs is the background.
  EXPECT_TRUE(SamePixel(image.At(10, 30), grey, grey, grey));
  EXPECT_TRUE(SamePixel(image.At(10 + w - 1, 30 + h - 1), grey, grey, grey));

  // A box colour with alpha 0 fills nothing, whatever its colour.
  st.SetBoxColor({1.0f, 0.0f, 0.0f, 0.0f});
  st.SetBorderColor({0.0f, 0.0f, 1.0f, 0.0f});
  image = draw(st);
  EXPECT_TRUE(SamePixel(image.At(10, 30), grey, grey, grey));
  EXPECT_TRUE(SamePixel(image.At(12, 32), grey, grey, grey));

  // An opaque box covers exactly the frame, from (10, 30) to (10 + w, 30 + h).
  st.SetBoxColor({1.0f, 0.0f, 0.0f, 1.0f});
  image = draw(st);
  EXPECT_TRUE(SamePixel(image.At(10, 30), 255, 0, 0));
  EXPECT_TRUE(SamePixel(image.At(10 + w - 1, 30 + h - 1), 255, 0, 0));
  EXPECT_TRUE(SamePixel(image.At(9, 30), grey, grey, grey));
  EXPECT_TRUE(SamePixel(image.At(10, 29), grey, grey, grey));
  EXPECT_TRUE(SamePixel(image.At(10 + w, 30 + h - 1), grey, grey, grey));
  EXPECT_TRUE(SamePixel(image.At(10 + w - 1, 30 + h), grey, grey, grey));

  // Half-transparent red over grey: premultiplied pixels blended with ONE, ONE_MINUS_SRC_ALPHA.
  st.SetBoxColor({1.0f, 0.0f, 0.0f, 0.5f});
  image = draw(st);
  EXPECT_TRUE(SamePixel(image.At(12, 32), 128 + 64, 64, 64, 2));

  // The border: 1.5 pixels along the inside of the edge.
  st.SetBoxColor(kClear);
  st.SetBorderColor({0.0f, 0.0f, 1.0f, 1.0f});
  image = draw(st);
  const int midY = 30 + h / 2, midX = 10 + w / 2;
  EXPECT_TRUE(SamePixel(image.At(10, midY), 0, 0, 255));
  EXPECT_TRUE(SamePixel(image.At(10 + w - 1, midY), 0, 0, 255));
  EXPECT_TRUE(SamePixel(image.At(midX, 30), 0, 0, 255));
  EXPECT_TRUE(SamePixel(image.At(midX, 30 + h - 1), 0, 0, 255));
  EXPECT_TRUE(SamePixel(image.At(11, midY), 64, 64, 128 + 64, 2)) << "half covered";
  EXPECT_TRUE(SamePixel(image.At(12, midY), grey, grey, grey));
  EXPECT_TRUE(SamePixel(image.At(9, midY), grey, grey, grey));
}

TEST(StringTexture, WithoutACurrentContextItLogsAndDrawsNothing) {
  GLContext gl(100, 60);
  gl.Clear(0.5f, 0.5f, 0.5f, 1.0f);
  BeginPixelSpace(gl);
  StringTexture st("Play", kHelvetica20, {0.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f, 1.0f},
                   kClear);
  gl.ReleaseCurrent();
  testing::internal::CaptureStderr();
  st.DrawAtPoint(10.0f, 10.0f);
  st.DrawAtPoint(10.0f, 10.0f);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(st.TexName(), 0u);
  const std::string line = "StringTexture -genTexture: Failure to get current OpenGL context\n";
  size_t first = log.find(line);
  ASSERT_NE(first, std::string::npos) << log;
  EXPECT_NE(log.find(line, first + line.size()), std::string::npos) << "logged on every attempt";

  gl.MakeCurrent();
  PixelImage image = gl.ReadPixels();
  for (const PixelImage::Pixel& p : image.pixels) ASSERT_TRUE(SamePixel(p, 128, 128, 128));

  // Once a context is current the same object draws.
  st.DrawAtPoint(10.0f, 10.0f);
  EXPECT_NE(st.TexName(), 0u);
  EXPECT_TRUE(SamePixel(gl.ReadPixels().At(11, 11), 255, 0, 0));
}

}  // namespace
