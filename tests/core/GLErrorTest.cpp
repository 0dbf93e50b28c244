// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "core/GLError.h"
#include "core/Log.h"
#include "support/GLContext.h"

namespace {

TEST(GLError, ReportsAPendingErrorOnceAndClearsIt) {
  GLContext gl(64, 64);
  glEnable(GL_BLEND);
  EXPECT_EQ(glReportError(), static_cast<GLenum>(GL_NO_ERROR));

  // The error text stays off the log until logging has been switched on (when this test runs
  // in a process of its own, as CTest runs it).
  const bool logging = IsLogging();
  testing::internal::CaptureStderr();
  glEnable(0x1234);  // no such capability
  EXPECT_EQ(glReportError(), static_cast<GLenum>(GL_INVALID_ENUM));
  EXPECT_EQ(glReportError(), static_cast<GLenum>(GL_NO_ERROR));
  const std::string silent = testing::internal::GetCapturedStderr();
  if (!logging) {
    EXPECT_EQ(silent, "");
  }

  EnableLogging();
  testing::internal::CaptureStderr();
  glMatrixMode(GL_TEXTURE_2D);  // not a matrix mode
  EXPECT_EQ(glDebugStr(), static_cast<GLenum>(GL_INVALID_ENUM));
  EXPECT_EQ(glDebugStr(), static_cast<GLenum>(GL_NO_ERROR));
  std::string log = testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("] OpenGL error: invalid enumerant\n"), std::string::npos) << log;
  EXPECT_EQ(log.find('\n'), log.size() - 1) << "exactly one line: " << log;
}

}  // namespace
