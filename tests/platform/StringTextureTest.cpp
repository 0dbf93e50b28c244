// SPDX-License-Identifier: GPL-3.0-or-later
// A text texture measured with the real fonts and drawn in a real GL context, read back from the
// framebuffer.
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/StringTexture.h"
#include "support/GLContext.h"

namespace {

// Courier is fixed-pitch at 0.6 em: ten letters of 20 points are 120 pixels, and the frame has 4
// more a side. A change of colour drops the texture, deleting it, and keeps the frame. The box
// covers the frame exactly; the border lies 1.5 pixels
// along the inside of its edge, blended premultiplied (ONE, ONE_MINUS_SRC_ALPHA). Without a
// current GL context nothing is drawn and every attempt is logged.
TEST(StringTexture, FramedMeasuredDrawnAndDroppedOnEveryChange) {
  GLContext gl(200, 80);
  StringTexture st("MMMMMMMMMM", {"Courier", 20.0f, {0.0f, 0.0f, 0.0f, 1.0f}});
  EXPECT_EQ(st.MeasuredFrameSize().width, 0.0f) << "measured before it is asked";
  EXPECT_NEAR(st.FrameSize().width, 128.0f, 1.0f);
  const int w = 128, h = static_cast<int>(st.FrameSize().height);
  EXPECT_TRUE(h >= 24 && h <= 32) << h;
  st.GenTexture();
  const GLuint name = st.TexName();
  for (auto change : {&StringTexture::SetTextColor, &StringTexture::SetBoxColor,
                      &StringTexture::SetBorderColor}) {
    st.GenTexture();
    (st.*change)({1.0f, 0.0f, 0.0f, 0.0f});
    EXPECT_EQ(st.TexName(), 0u);
    EXPECT_NEAR(st.MeasuredFrameSize().width, 128.0f, 1.0f);
  }
  EXPECT_FALSE(glIsTexture(name)) << "the old texture is deleted, not dropped";
  auto draw = [&] {
    gl.Clear(0.5f, 0.5f, 0.5f, 1.0f);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, gl.Width(), gl.Height(), 0.0);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_RECTANGLE);
    st.DrawAtPoint(10.0f, 30.0f);
    return gl.ReadPixels();
  };
  auto is = [](const PixelImage::Pixel& p, int r, int g, int b) {
    return std::abs(p.r - r) <= 2 && std::abs(p.g - g) <= 2 && std::abs(p.b - b) <= 2;
  };
  auto red = [&](const PixelImage::Pixel& p) { return is(p, 255, 0, 0); };
  st.SetBoxColor({1.0f, 0.0f, 0.0f, 1.0f});
  PixelImage image = draw();
  EXPECT_TRUE(red(image.At(10, 30)) && red(image.At(10 + w - 1, 30 + h - 1)));
  EXPECT_EQ(Count(image, {0, 0, 200, 80}, red), Count(image, {10, 30, w, h}, red));
  EXPECT_GT(Ink(image, {14, 32, w - 8, h - 4}, 10), 20) << "black glyphs on the box";
  st.SetBoxColor({0.0f, 0.0f, 0.0f, 0.0f});
  st.SetBorderColor({0.0f, 0.0f, 1.0f, 1.0f});
  image = draw();
  EXPECT_TRUE(is(image.At(10, 30 + h / 2), 0, 0, 255) &&
              is(image.At(9 + w, 30 + h / 2), 0, 0, 255));
  EXPECT_TRUE(is(image.At(11, 30 + h / 2), 64, 64, 192)) << "half covered";
  EXPECT_TRUE(is(image.At(12, 30 + h / 2), 128, 128, 128));

  st.SetBorderColor({1.0f, 0.0f, 0.0f, 1.0f});
  gl.ReleaseCurrent();
  testing::internal::CaptureStderr();
  st.DrawAtPoint(10.0f, 10.0f);
  st.DrawAtPoint(10.0f, 10.0f);
  const std::string log = testing::internal::GetCapturedStderr();
  EXPECT_EQ(st.TexName(), 0u);
  const std::string line = "StringTexture -genTexture: Failure to get current OpenGL context\n";
  EXPECT_NE(log.find(line), log.rfind(line)) << "logged on every attempt:\n" << log;
  gl.MakeCurrent();
  EXPECT_TRUE(red(draw().At(10, 30))) << "a current context again draws";
}

}  // namespace
