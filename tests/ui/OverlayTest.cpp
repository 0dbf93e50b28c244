// SPDX-License-Identifier: GPL-3.0-or-later
// Overlays drawn in a real GL context: their texts, their sizes, where they land and the GL
// state the overlay pass leaves behind.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/GameSettings.h"
#include "scene/QLMPage.h"
#include "support/GLContext.h"
#include "ui/Overlay.h"

namespace {

PixelImage DrawAlone(GLContext& gl, Overlay& overlay) {
  gl.Clear(0.5f, 0.5f, 0.5f, 1.0f);
  overlay.Render(gl.Width(), gl.Height());
  return gl.ReadPixels();
}

bool SameImage(const PixelImage& a, const PixelImage& b) {
  if (a.width != b.width || a.height != b.height) return false;
  for (size_t i = 0; i < a.pixels.size(); ++i)
    if (a.pixels[i].r != b.pixels[i].r || a.pixels[i].g != b.pixels[i].g ||
        a.pixels[i].b != b.pixels[i].b)
      return false;
  return true;
}

// An overlay whose text was set through the setter draws exactly as one given the literal text.
void ExpectShows(GLContext& gl, const std::function<void(Overlay&)>& set, const char* text) {
  Overlay formatted(20, 10, 20, "Courier");
  Overlay literal(20, 10, 20, "Courier");
  set(formatted);
  literal.SetString(text);
  PixelImage shown = DrawAlone(gl, formatted);
  EXPECT_TRUE(SameImage(shown, DrawAlone(gl, literal))) << "expected \"" << text << "\"";
  int w1, h1, w2, h2;
  formatted.GetDimensions(nullptr, nullptr, &w1, &h1);
  literal.GetDimensions(nullptr, nullptr, &w2, &h2);
  EXPECT_EQ(w1, w2) << "expected \"" << text << "\"";
}

TEST(Overlay, TimerAndNumberTexts) {
  GLContext gl(200, 50);
  ExpectShows(
      gl, [](Overlay& o) { o.SetStringTimer(0); }, " 0:00 ");
  ExpectShows(
      gl, [](Overlay& o) { o.SetStringTimer(59); }, " 0:59 ");
  ExpectShows(
      gl, [](Overlay& o) { o.SetStringTimer(60); }, " 1:00 ");
  ExpectShows(
      gl, [](Overlay& o) { o.SetStringTimer(754); }, "12:34 ");
  ExpectShows(
      gl, [](Overlay& o) { o.SetStringTimer(3600); }, "60:00 ");
  ExpectShows(
      gl, [](Overlay& o) { o.SetString(42); }, "42");
  ExpectShows(
      gl, [](Overlay& o) { o.SetString(2.5f); }, "2.500000");

  // The blanks are part of the text: a fixed-pitch blank is 12 pixels at 20 points.
  Overlay withBlank(0, 0, 20, "Courier"), without(0, 0, 20, "Courier");
  withBlank.SetStringTimer(754);
  without.SetString("12:34");
  DrawAlone(gl, withBlank);
  DrawAlone(gl, without);
  int w1, w2;
  withBlank.GetDimensions(nullptr, nullptr, &w1, nullptr);
  without.GetDimensions(nullptr, nullptr, &w2, nullptr);
  EXPECT_EQ(w1, w2 + 12);

  // No float is too long for its text.
  Overlay huge(0, 0, 12, "Helvetica");
  huge.SetString(3.0e38f);
  DrawAlone(gl, huge);
  int w3;
  huge.GetDimensions(nullptr, nullptr, &w3, nullptr);
  EXPECT_GT(w3, 39 * 6);
}

TEST(Overlay, SizeIsMeasuredWhenDrawnAndKeptOnColourChanges) {
  GLContext gl(300, 100);
  Overlay overlay(30, 40, 18, "Helvetica");
  int x = -1, y = -1, w = -1, h = -1;
  overlay.GetDimensions(&x, &y, &w, &h);
  EXPECT_EQ(x, 30);
  EXPECT_EQ(y, 40);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);

  overlay.SetString("Options");
  overlay.GetDimensions(nullptr, nullptr, &w, &h);
  EXPECT_EQ(w, 0) << "not measured before it is drawn";
  DrawAlone(gl, overlay);
  overlay.GetDimensions(nullptr, nullptr, &w, &h);
  EXPECT_GT(w, 50);
  EXPECT_GE(h, 18 + 4);
  const int width = w, height = h;

  overlay.SetTextColor(1.0f, 0.0f, 0.0f, 1.0f);
  overlay.SetBgColor(1.0f, 1.0f, 1.0f, 1.0f);
  overlay.SetBorderColor(0.0f, 0.0f, 0.0f, 1.0f);
  overlay.GetDimensions(nullptr, nullptr, &w, &h);
  EXPECT_EQ(w, width);
  EXPECT_EQ(h, height);

  overlay.SetString("High Scores");
  overlay.GetDimensions(nullptr, nullptr, &w, &h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);

  overlay.MoveTo(-5, 7);
  overlay.GetDimensions(&x, &y, nullptr, nullptr);
  EXPECT_EQ(x, -5);
  EXPECT_EQ(y, 7);
}

TEST(Overlay, BoxLandsAtItsPositionFromTheTopOfTheWindow) {
  GLContext gl(320, 240);
  Overlay overlay(30, 40, 20, "Helvetica");
  overlay.SetString("New Game");
  overlay.SetBgColor(0.0f, 0.0f, 1.0f, 1.0f);
  PixelImage image = DrawAlone(gl, overlay);
  int x, y, w, h;
  overlay.GetDimensions(&x, &y, &w, &h);
  auto blue = [&](int px, int py) {
    const PixelImage::Pixel& p = image.At(px, py);
    return p.r == 0 && p.g == 0 && p.b == 255;
  };
  EXPECT_TRUE(blue(30, 40));
  EXPECT_TRUE(blue(30 + w - 1, 40 + h - 1));
  EXPECT_FALSE(blue(29, 40));
  EXPECT_FALSE(blue(30, 39));
  EXPECT_FALSE(blue(30 + w, 40));
  EXPECT_FALSE(blue(30, 40 + h));

  // Inside the pass an overlay is drawn under the caller's translation.
  gl.Clear(0.5f, 0.5f, 0.5f, 1.0f);
  Overlay::RenderSetup(gl.Width(), gl.Height());
  glPushMatrix();
  glTranslatef(100.0f, 50.0f, 0.0f);
  overlay.RenderString();
  glPopMatrix();
  Overlay::RenderUnsetup();
  image = gl.ReadPixels();
  EXPECT_TRUE(blue(130, 90));
  EXPECT_TRUE(blue(130 + w - 1, 90 + h - 1));
  EXPECT_FALSE(blue(129, 90));
  EXPECT_FALSE(blue(130, 89));
}

TEST(Overlay, PassesLeaveTheGLStateAsTheyShould) {
  GLContext gl(200, 100);
  Overlay overlay(10, 10, 12, "Helvetica");
  overlay.SetString("59.940060");
  GLint modelDepth, projDepth, mode;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelDepth);
  glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projDepth);
  auto stacksBalanced = [&] {
    GLint m, p;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &m);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &p);
    return m == modelDepth && p == projDepth;
  };

  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_TEXTURE);
  overlay.Render(200, 100);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_TEXTURE);
  EXPECT_TRUE(stacksBalanced());
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_RECTANGLE));

  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_MODELVIEW);
  overlay.Render(200, 100);
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);

  // The frame's pass: depth testing is on afterwards whatever it was, the projection matrix
  // stays selected.
  for (bool depthBefore : {false, true}) {
    if (depthBefore)
      glEnable(GL_DEPTH_TEST);
    else
      glDisable(GL_DEPTH_TEST);
    Overlay::RenderSetup(200, 100);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_LINE_SMOOTH));
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    overlay.RenderString();
    Overlay::RenderUnsetup();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    EXPECT_TRUE(stacksBalanced());
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Draws a page of paper with overlays of the game's fonts and sizes over it and saves the
// picture as <build>/overlay-shot.png, for a person to look at.
TEST(Overlay, ScreenshotOverThePaperPage) {
  GLContext gl(640, 640);
  gl.Clear(0.2f, 0.25f, 0.3f, 1.0f);
  // The sheet as a page of the book draws it, with the overlays in the page's coordinates.
  QLMPage page(TQ3Vector3D{64.0f, 64.0f, 0.0f});
  ASSERT_NE(QLMPage::m_texidDefault, QLMPage::m_kNoTexture);
  Overlay::RenderSetup(640, 640);
  page.Render(640, 640);
  glPushMatrix();
  glTranslatef(64.0f, 64.0f, 0.0f);

  Overlay version(20, 10, 10, "Helvetica");
  version.SetString("Version 1.1.8");
  version.RenderString();
  const char* items[] = {"Play", "Options", "High Scores", "How to Play", "Credits", "Quit"};
  Overlay* menu[6];
  for (int i = 0; i < 6; ++i) {
    menu[i] = new Overlay(204, 230 + 2 * i * 18, 18, "Helvetica");
    menu[i]->SetTextColor(0.0f, 0.0f, 0.0f, 1.0f);
    menu[i]->SetBorderColor(0.0f, 0.0f, 0.0f, 0.0f);
    menu[i]->SetString(items[i]);
  }
  // The item under the pointer, as a menu shows it.
  menu[2]->SetBgColor(1.0f, 1.0f, 0.6f, 0.6f);
  menu[2]->SetBorderColor(0.3f, 0.2f, 0.1f, 1.0f);
  for (Overlay* item : menu) item->RenderString();
  Overlay scoreTitle(380, 30, 20, "Courier");
  scoreTitle.SetString("SCORE");
  Overlay score(380, 60, 20, "Courier");
  score.SetString("  450");
  Overlay timer(380, 100, 20, "Courier");
  timer.SetStringTimer(754);
  timer.SetBgColor(1.0f, 1.0f, 1.0f, 0.7f);
  timer.SetBorderColor(0.6f, 0.0f, 0.0f, 1.0f);
  Overlay small(40, 480, 12, "Helvetica");
  small.SetString("Helvetica 12: the quick brown fox jumps over the lazy dog");
  Overlay letters(40, 440, 20, "Courier");
  letters.SetString("Courier 20: QUILLMERE");
  for (Overlay* o : {&scoreTitle, &score, &timer, &small, &letters}) o->RenderString();
  glPopMatrix();
  Overlay::RenderUnsetup();

  Overlay fps(30, 30, 12, "Helvetica");
  fps.SetString(59.94006f);
  fps.Render(640, 640);

  PixelImage image = gl.ReadPixels();
  ASSERT_TRUE(image.SavePng(QM_BINARY_DIR "/overlay-shot.png"));
  // The paper shows on the page and the window's background around it.
  const PixelImage::Pixel& sheet = image.At(64 + 300, 64 + 300);
  EXPECT_GT(sheet.r, 180);
  const PixelImage::Pixel& around = image.At(10, 600);
  EXPECT_LT(around.r, 70);
  // Dark glyphs inside the first menu item's box.
  int x, y, w, h;
  menu[0]->GetDimensions(&x, &y, &w, &h);
  int darkest = 255;
  for (int py = 64 + y; py < 64 + y + h; ++py)
    for (int px = 64 + x; px < 64 + x + w; ++px)
      darkest = std::min<int>(darkest, image.At(px, py).r);
  EXPECT_LT(darkest, 30);
  for (Overlay* item : menu) delete item;
}

}  // namespace
