// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/BookScale.h"

namespace {

// The zoom in use never lets the book's minimum room (560 book pixels) overflow the window, and
// the keys step within 100% and what the screen holds.
TEST(BookScale, TheZoomFitsTheWindowAndStepsByAQuarter) {
  struct Fit {
    int stored, width, height;
    double desktop;
    int inUse;
  };
  const Fit fits[] = {
      {100, 640, 640, 1.0, 100},   {200, 1280, 1280, 1.0, 200}, {200, 1100, 1400, 1.0, 175},
      {200, 1920, 1080, 1.0, 175}, {175, 1920, 1080, 1.0, 175}, {300, 640, 640, 1.0, 100},
      {200, 2560, 2560, 2.0, 200}, {100, 1280, 1280, 2.0, 100}, {150, 1280, 1280, 2.0, 100},
      {0, 640, 640, 1.0, 100},     {-50, 9999, 9999, 1.0, 100}, {125, 560, 560, 0.0, 100},
  };
  for (const Fit& f : fits)
    EXPECT_EQ(bookscale::ZoomInUse(f.stored, f.width, f.height, f.desktop), f.inUse)
        << f.stored << "% in " << f.width << " x " << f.height << " at " << f.desktop;

  struct Step {
    int stored, step, largest, result;
  };
  const Step steps[] = {
      {100, 1, 175, 125}, {175, 1, 175, 175}, {125, -1, 175, 100}, {100, -1, 175, 100},
      {175, 0, 175, 100}, {110, 1, 175, 125}, {300, -1, 175, 150}, {100, 1, 100, 100},
  };
  for (const Step& s : steps)
    EXPECT_EQ(bookscale::SteppedZoom(s.stored, s.step, s.largest), s.result)
        << s.stored << " step " << s.step << " up to " << s.largest;
}

}  // namespace
