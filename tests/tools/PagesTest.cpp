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
  Gray() = default;
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

// The paper as the game shows it: an image of twice the book's size drawn onto a page of book
// pixels, each book pixel the mean of its four image pixels.
Gray Halved(const Gray& image) {
  Gray half;
  half.width = image.width / 2;
  half.height = image.height / 2;
  for (int y = 0; y < half.height; ++y)
    for (int x = 0; x < half.width; ++x)
      half.luma.push_back((image.At(2 * x, 2 * y) + image.At(2 * x + 1, 2 * y) +
                           image.At(2 * x, 2 * y + 1) + image.At(2 * x + 1, 2 * y + 1)) /
                          4.0);
  return half;
}

// Pixels that stand out from their four neighbours: grain and fibres.
int Detail(const Gray& image) {
  int detailed = 0;
  for (int y = 1; y < image.height - 1; ++y) {
    for (int x = 1; x < image.width - 1; ++x) {
      const double around =
          (image.At(x - 1, y) + image.At(x + 1, y) + image.At(x, y - 1) + image.At(x, y + 1)) / 4;
      if (std::abs(image.At(x, y) - around) > 3.0) ++detailed;
    }
  }
  return detailed;
}

TEST(PagesTest, PaperIsTexturedAtBothSizesAndBrownedAtTheEdges) {
  const Gray paper(kRoot + "/Images/Paper.png");
  ASSERT_EQ(paper.width, 1024);
  const Gray page = Halved(paper);

  // Unevenness: the middle of the sheet is not one flat colour.
  const Rect middle{128, 128, 384, 384};
  const double mean = page.Mean(middle);
  double variance = 0.0;
  for (int y = middle.y0; y < middle.y1; ++y)
    for (int x = middle.x0; x < middle.x1; ++x) variance += std::pow(page.At(x, y) - mean, 2);
  variance /= 256.0 * 256.0;
  EXPECT_GT(variance, 1.0);
  EXPECT_GT(mean, 200.0) << "the sheet should be light enough to print on";

  // Fine detail in the page as shown at its own size, and finer detail of its own in the image
  // (a magnified sheet would have almost none).
  EXPECT_GT(Detail(page), 510 * 510 / 100);
  EXPECT_GT(Detail(paper), 1022 * 1022 / 20);

  // Each edge band is darker than the middle.
  for (const Rect& edge :
       {Rect{0, 0, 512, 6}, Rect{0, 506, 512, 512}, Rect{0, 0, 6, 512}, Rect{506, 0, 512, 512}}) {
    EXPECT_LT(page.Mean(edge), mean - 15.0);
  }
}

// Every image is twice the book's 512 pixels square. On the printed pages, the places where the
// game draws over them (menu item boxes with room for ~200 px of text, the version line, the
// best-score lines, the back link) are blank, and the page's own words are where they belong.
// Places are in book pixels, as the game lays them out.
struct Image {
  const char* name;
  std::vector<Rect> blank;
  std::vector<Rect> printed;
};

TEST(PagesTest, ImagesAreTwiceTheBookSizeAndPrintedOnlyWhereTheGameDrawsNothing) {
  const Gray paper(kRoot + "/Images/Paper.png");
  const std::vector<Image> images = {
      {"Paper", {}, {}},
      {"TitlePage",
       {{204, 230, 412, 436}, {20, 10, 100, 28}},
       {{60, 40, 452, 140}, {204, 196, 412, 222}}},
      {"HSPage",
       {{63, 63, 233, 421}, {301, 63, 431, 337}},
       {{100, 0, 412, 36}, {63, 36, 233, 61}, {301, 36, 471, 61}}},
      {"InstructionsPage", {{160, 470, 420, 508}}, {{20, 0, 492, 60}, {20, 60, 492, 460}}},
  };
  for (const Image& expected : images) {
    const Gray image(kRoot + "/Images/" + expected.name + ".png");
    EXPECT_EQ(image.width, 1024) << expected.name;
    EXPECT_EQ(image.height, 1024) << expected.name;
    if (image.width != paper.width || image.height != paper.height) continue;
    const auto inImage = [](const Rect& r) { return Rect{2 * r.x0, 2 * r.y0, 2 * r.x1, 2 * r.y1}; };
    for (const Rect& r : expected.blank) {
      EXPECT_LT(InkIn(image, paper, inImage(r)).deepest, 12.0)
          << expected.name << " has ink at " << r.x0 << "," << r.y0;
    }
    for (const Rect& r : expected.printed) {
      EXPECT_GT(InkIn(image, paper, inImage(r)).inked, 4 * 200)
          << expected.name << " has no print at " << r.x0 << "," << r.y0;
    }
  }
}

TEST(PagesTest, IconIsATileOnATransparentGround) {
  cairo_surface_t* icon =
      cairo_image_surface_create_from_png((kRoot + "/Icons/quillmere.png").c_str());
  ASSERT_EQ(cairo_surface_status(icon), CAIRO_STATUS_SUCCESS);
  ASSERT_EQ(cairo_image_surface_get_format(icon), CAIRO_FORMAT_ARGB32);
  ASSERT_EQ(cairo_image_surface_get_width(icon), 256);
  ASSERT_EQ(cairo_image_surface_get_height(icon), 256);
  const auto* data = cairo_image_surface_get_data(icon);
  const int stride = cairo_image_surface_get_stride(icon);
  auto alpha = [&](int x, int y) { return data[y * stride + 4 * x + 3]; };  // little-endian ARGB
  EXPECT_EQ(alpha(0, 0), 0);
  EXPECT_EQ(alpha(128, 128), 255);
  cairo_surface_destroy(icon);
}

}  // namespace
