// SPDX-License-Identifier: GPL-3.0-or-later
// The page images and the icon that the build paints: their sizes, the paper's texture, and that
// the printing leaves blank every place where the game draws text over a page.

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

const std::string kRoot = QM_RESOURCE_DIR;

struct Rect {
  int x0, y0, x1, y1;  // x0 <= x < x1, y0 <= y < y1
};

// An image as luminance in 0..255, read back the way the game reads it: through Cairo.
class Gray {
 public:
  explicit Gray(const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
      width = cairo_image_surface_get_width(surface);
      height = cairo_image_surface_get_height(surface);
      const int stride = cairo_image_surface_get_stride(surface);
      const unsigned char* data = cairo_image_surface_get_data(surface);
      for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
          const uint32_t p = row[x];
          luma.push_back(0.299 * ((p >> 16) & 0xFF) + 0.587 * ((p >> 8) & 0xFF) +
                         0.114 * (p & 0xFF));
        }
      }
    }
    cairo_surface_destroy(surface);
  }
  double At(int x, int y) const { return luma[static_cast<size_t>(y) * width + x]; }
  double Mean(const Rect& r) const {
    double sum = 0.0;
    for (int y = r.y0; y < r.y1; ++y)
      for (int x = r.x0; x < r.x1; ++x) sum += At(x, y);
    return sum / ((r.x1 - r.x0) * (r.y1 - r.y0));
  }

  int width = 0, height = 0;
  std::vector<double> luma;
};

// How much darker than the bare paper the darkest pixel of the region is, and how many of its
// pixels are inked (darker by more than 60).
struct Ink {
  double deepest = 0.0;
  int inked = 0;
};
Ink InkIn(const Gray& page, const Gray& paper, const Rect& r) {
  Ink ink;
  for (int y = r.y0; y < r.y1; ++y) {
    for (int x = r.x0; x < r.x1; ++x) {
      const double darker = paper.At(x, y) - page.At(x, y);
      ink.deepest = std::max(ink.deepest, darker);
      if (darker > 60.0) ++ink.inked;
    }
  }
  return ink;
}

TEST(PagesTest, EveryImageIsThereAtItsSize) {
  for (const char* name : {"Paper", "TitlePage", "HSPage", "InstructionsPage"}) {
    const Gray image(kRoot + "/Images/" + name + ".png");
    EXPECT_EQ(image.width, 512) << name;
    EXPECT_EQ(image.height, 512) << name;
  }
  const Gray icon(kRoot + "/Icons/quillmere.png");
  EXPECT_EQ(icon.width, 256);
  EXPECT_EQ(icon.height, 256);
}

TEST(PagesTest, PaperIsTexturedAndBrownedAtTheEdges) {
  const Gray paper(kRoot + "/Images/Paper.png");
  ASSERT_EQ(paper.width, 512);

  // Unevenness: the middle of the sheet is not one flat colour.
  const Rect middle{128, 128, 384, 384};
  const double mean = paper.Mean(middle);
  double variance = 0.0;
  for (int y = middle.y0; y < middle.y1; ++y)
    for (int x = middle.x0; x < middle.x1; ++x) variance += std::pow(paper.At(x, y) - mean, 2);
  variance /= 256.0 * 256.0;
  EXPECT_GT(variance, 1.0);
  EXPECT_GT(mean, 200.0) << "the sheet should be light enough to print on";

  // Fibres and grain: fine detail that stands out from its immediate neighbours.
  int detailed = 0;
  for (int y = 1; y < 511; ++y) {
    for (int x = 1; x < 511; ++x) {
      const double around =
          (paper.At(x - 1, y) + paper.At(x + 1, y) + paper.At(x, y - 1) + paper.At(x, y + 1)) / 4;
      if (std::abs(paper.At(x, y) - around) > 3.0) ++detailed;
    }
  }
  EXPECT_GT(detailed, 510 * 510 / 100);

  // Each edge band is darker than the middle.
  for (const Rect& edge :
       {Rect{0, 0, 512, 6}, Rect{0, 506, 512, 512}, Rect{0, 0, 6, 512}, Rect{506, 0, 512, 512}}) {
    EXPECT_LT(paper.Mean(edge), mean - 15.0);
  }
}

// Where the game draws over a page (menu item boxes with room for ~200 px of text, the version
// line, the best-score lines, the back link), and where the page prints its own words.
struct PrintedPage {
  const char* name;
  std::vector<Rect> blank;
  std::vector<Rect> printed;
};

TEST(PagesTest, PagesArePrintedOnlyWhereTheGameDrawsNothing) {
  const Gray paper(kRoot + "/Images/Paper.png");
  const std::vector<PrintedPage> pages = {
      {"TitlePage",
       {{204, 230, 412, 436}, {20, 10, 100, 28}},
       {{60, 40, 452, 140}, {204, 196, 412, 222}}},
      {"HSPage",
       {{63, 63, 233, 421}, {301, 63, 431, 337}},
       {{100, 0, 412, 36}, {63, 36, 233, 61}, {301, 36, 471, 61}}},
      {"InstructionsPage", {{160, 470, 420, 508}}, {{20, 0, 492, 60}, {20, 60, 492, 460}}},
  };
  for (const PrintedPage& page : pages) {
    const Gray image(kRoot + "/Images/" + page.name + ".png");
    ASSERT_EQ(image.width, 512) << page.name;
    for (const Rect& r : page.blank) {
      EXPECT_LT(InkIn(image, paper, r).deepest, 12.0)
          << page.name << " has ink at " << r.x0 << "," << r.y0;
    }
    for (const Rect& r : page.printed) {
      EXPECT_GT(InkIn(image, paper, r).inked, 200)
          << page.name << " has no print at " << r.x0 << "," << r.y0;
    }
  }
}

TEST(PagesTest, IconIsATileOnATransparentGround) {
  cairo_surface_t* icon =
      cairo_image_surface_create_from_png((kRoot + "/Icons/quillmere.png").c_str());
  ASSERT_EQ(cairo_surface_status(icon), CAIRO_STATUS_SUCCESS);
  ASSERT_EQ(cairo_image_surface_get_format(icon), CAIRO_FORMAT_ARGB32);
  const auto* data = cairo_image_surface_get_data(icon);
  const int stride = cairo_image_surface_get_stride(icon);
  auto alpha = [&](int x, int y) { return data[y * stride + 4 * x + 3]; };  // little-endian ARGB
  EXPECT_EQ(alpha(0, 0), 0);
  EXPECT_EQ(alpha(128, 128), 255);
  cairo_surface_destroy(icon);
}

}  // namespace
