// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <stdlib.h>

#include <regex>

#include "core/Log.h"

namespace {

const std::regex kEntry(
    R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} quillmere_tests\[\d+\] ([^\n]*)\n)");

std::vector<std::string> Entries(const std::string& err) {
  std::vector<std::string> texts;
  std::string rest = err;
  std::smatch m;
  while (std::regex_search(rest, m, kEntry, std::regex_constants::match_continuous)) {
    texts.push_back(m[1]);
    rest = m.suffix();
  }
  EXPECT_EQ(rest, "") << "not a log line: " << rest;
  return texts;
}

TEST(Log, LinesAreWrittenOnlyOnceLoggingIsOnAndErrorsAlways) {
  testing::internal::CaptureStderr();
  LogString("before the d key");
  LogError("Unable to load dictionary file.\n");
  EnableLogging();
  LogString("Universe initialized.\n");
  LogString("100% of %d and %s");
  LogString("");
  std::vector<std::string> texts = Entries(testing::internal::GetCapturedStderr());
  EXPECT_EQ(texts, (std::vector<std::string>{"Unable to load dictionary file.",
                                             "Universe initialized.", "100% of %d and %s", ""}));
}

TEST(Numbers, RandDistAndPointComparison) {
  // The C library's generator is the one source; its largest values round up to exactly 1.
  srand(1);
  for (int i = 0; i < 1000; ++i) {
    float r = Rand();
    EXPECT_GE(r, 0.0f);
    EXPECT_LE(r, 1.0f);
  }
  EXPECT_EQ(static_cast<float>(2147483647 * 4.656612873077393e-10), 1.0f);

  EXPECT_EQ(Dist(Point{0, 0}, Point{4, 3}), 5.0f);
  EXPECT_EQ(Dist(Point{-7, 9}, Point{-7, 9}), 0.0f);
  EXPECT_NEAR(Dist(Point{-32768, -32768}, Point{32767, 32767}), 92680.4f, 0.1f);
  EXPECT_FALSE(PointEquals(Point{1, 2}, Point{1, 3}));
  EXPECT_TRUE(PointNotEquals(Point{1, 2}, Point{1, 3}));
  EXPECT_TRUE(PointEquals(Point{5, 6}, Point{5, 6}));
  EXPECT_FALSE(PointNotEquals(Point{5, 6}, Point{5, 6}));
}

}  // namespace
