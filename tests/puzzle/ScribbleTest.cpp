// SPDX-License-Identifier: GPL-3.0-or-later
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "puzzle/Scribble.h"
#include "support/GLContext.h"

namespace {

// The vertices GL really receives for one drawing call, in window pixels, read back through
// the feedback buffer with a projection that maps board points one to one.
template <typename Draw>
std::vector<std::pair<float, float>> DrawnVertices(Draw draw) {
  std::vector<GLfloat> buffer(4096);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
  glRenderMode(GL_FEEDBACK);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 640, 0, 480, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  draw();
  int count = glRenderMode(GL_RENDER);
  std::vector<std::pair<float, float>> vertices;
  for (int i = 0; i < count;) {
    GLfloat token = buffer[i];
    bool reset = token == GL_LINE_RESET_TOKEN;
    EXPECT_TRUE(reset || token == GL_LINE_TOKEN);
    if (reset || vertices.empty()) vertices.emplace_back(buffer[i + 1], buffer[i + 2]);
    vertices.emplace_back(buffer[i + 4], buffer[i + 5]);
    i += 7;
  }
  return vertices;
}

TEST(Scribble, TheCircleMarkAndUnknownShapes) {
  GLContext gl;
  auto circle = DrawnVertices([] { Scribble::Render(Scribble::kScribbleCircle, Point{56, 28}); });
  ASSERT_EQ(circle.size(), 17u);
  EXPECT_FLOAT_EQ(circle.front().first, 39.0f);
  EXPECT_FLOAT_EQ(circle.front().second, 62.0f);
  EXPECT_FLOAT_EQ(circle.back().first, 37.0f);
  EXPECT_FLOAT_EQ(circle.back().second, 59.0f);

  EnableLogging();
  testing::internal::CaptureStderr();
  auto none = DrawnVertices([] { Scribble::Render(static_cast<Scribble::ScribbleID>(3), {}); });
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
  EXPECT_NE(err.find("unknown scribble id rendered"), std::string::npos);
}

TEST(Scribble, ARecordedStrokeDrawsAndDumpsItsPoints) {
  GLContext gl;
  Scribble stroke;
  EXPECT_EQ(stroke.Size(), 0);
  stroke.AddPoint(Point{4, 3});
  stroke.AddPoint(Point{6, 5});
  stroke.AddPoint(Point{40, 30});
  EXPECT_EQ(stroke.Size(), 3);
  EXPECT_EQ(stroke.GetPoint(1).h, 5);
  auto drawn = DrawnVertices([&] { stroke.Render(); });
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_FLOAT_EQ(drawn[2].first, 30.0f);
  EXPECT_FLOAT_EQ(drawn[2].second, 40.0f);

  EnableLogging();
  testing::internal::CaptureStderr();
  stroke.DumpToLog();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("] \t3, 4,\n"), std::string::npos) << err;
  EXPECT_NE(err.find("] \t5, 6,\n"), std::string::npos) << err;
  EXPECT_NE(err.find("] \t};\n"), std::string::npos) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 4);

  stroke.Clear();
  EXPECT_EQ(stroke.Size(), 0);
}

}  // namespace
