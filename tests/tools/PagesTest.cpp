// SPDX-License-Identifier: GPL-3.0-or-later
// The page images and the icon that the build paints: their sizes, the paper's texture, and that
// the printing leaves blank every place where the game draws text over a page.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/Pixels.h"

namespace {

// An image as luminance, optionally at half its size (each pixel the mean of four), as the
// game shows an image of twice the book's size on a page of book pixels.
struct Gray {
  Gray(const PixelImage& image, int scale)
      : width(image.width / scale), height(image.height / scale) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        double sum = 0.0;
        for (int j = 0; j < scale; ++j)
          for (int i = 0; i < scale; ++i) sum += image.At(scale * x + i, scale * y + j).Luma();
        luma.push_back(sum / (scale * scale));
      }
  }
  double At(int x, int y) const { return luma[static_cast<size_t>(y) * width + x]; }
  double Mean(Box r) const {
    double sum = 0.0;
    for (int y = r.y; y < r.y + r.height; ++y)
      for (int x = r.x; x < r.x + r.width; ++x) sum += At(x, y);
    return sum / (r.width * r.height);
  }
  // Pixels that stand out from their four neighbours: grain and fibres.
  int Detail() const {
    int detailed = 0;
    for (int y = 1; y < height - 1; ++y)
      for (int x = 1; x < width - 1; ++x)
        detailed += std::abs(At(x, y) -
                             (At(x - 1, y) + At(x + 1, y) + At(x, y - 1) + At(x, y + 1)) / 4) > 3.0;
    return detailed;
  }
  int width, height;
  std::vector<double> luma;
};

PixelImage Image(const std::string& name) {
  return PixelImage::LoadPng(std::string(QM_RESOURCE_DIR) + "/" + name);
}

TEST(PagesTest, PaperIsTexturedAtBothSizesAndBrownedAtTheEdges) {
  const PixelImage image = Image("Images/Paper.png");
  ASSERT_EQ(image.width, 1024);
  const Gray paper(image, 1), page(image, 2);
  // Unevenness: the middle of the sheet is not one flat colour, yet light enough to print on.
  const Box middle{128, 128, 256, 256};
  const double mean = page.Mean(middle);
  double variance = 0.0;
  for (int y = 128; y < 384; ++y)
    for (int x = 128; x < 384; ++x) variance += std::pow(page.At(x, y) - mean, 2) / (256 * 256);
  EXPECT_GT(variance, 1.0);
  EXPECT_GT(mean, 200.0);
  // Fine detail in the page as shown at its own size, and finer detail of its own in the image
  // (a magnified sheet would have almost none).
  EXPECT_GT(page.Detail(), 510 * 510 / 100);
  EXPECT_GT(paper.Detail(), 1022 * 1022 / 20);
  for (Box edge : {Box{0, 0, 512, 6}, Box{0, 506, 512, 6}, Box{0, 0, 6, 512}, Box{506, 0, 6, 512}})
    EXPECT_LT(page.Mean(edge), mean - 15.0);
}

// Every image is twice the book's 512 pixels square. On the printed pages, the places where the
// game draws over them (menu item boxes with room for ~200 px of text, the version line, the
// best-score lines, the back link) are blank, and the page's own words are where they belong.
// Places are in book pixels, as the game lays them out.
TEST(PagesTest, ImagesAreTwiceTheBookSizeAndPrintedOnlyWhereTheGameDrawsNothing) {
  const Gray paper(Image("Images/Paper.png"), 1);
  const struct {
    const char* name;
    std::vector<Box> blank, printed;
  } images[] = {
      {"TitlePage",
       {{204, 230, 208, 206}, {20, 10, 80, 18}},
       {{60, 40, 392, 100}, {204, 196, 208, 26}}},
      {"HSPage",
       {{63, 63, 170, 358}, {301, 63, 130, 274}},
       {{100, 0, 312, 36}, {63, 36, 170, 25}, {301, 36, 170, 25}}},
      {"InstructionsPage", {{160, 470, 260, 38}}, {{20, 0, 472, 60}, {20, 60, 472, 400}}},
  };
  for (const auto& expected : images) {
    SCOPED_TRACE(expected.name);
    const Gray image(Image(std::string("Images/") + expected.name + ".png"), 1);
    ASSERT_EQ(image.width, 1024);
    ASSERT_EQ(image.height, 1024);
    // How much darker than the bare paper the darkest pixel is, and how many are inked.
    auto ink = [&](Box r, double* deepest) {
      int inked = 0;
      for (int y = 2 * r.y; y < 2 * (r.y + r.height); ++y)
        for (int x = 2 * r.x; x < 2 * (r.x + r.width); ++x) {
          const double darker = paper.At(x, y) - image.At(x, y);
          *deepest = std::max(*deepest, darker);
          inked += darker > 60.0;
        }
      return inked;
    };
    for (Box r : expected.blank) {
      double deepest = 0.0;
      ink(r, &deepest);
      EXPECT_LT(deepest, 12.0) << "ink at " << r.x << "," << r.y;
    }
    for (Box r : expected.printed) {
      double deepest = 0.0;
      EXPECT_GT(ink(r, &deepest), 4 * 200) << "no print at " << r.x << "," << r.y;
    }
    // The border is the bare paper, pixel for pixel: until the paper is loaded, the pages
    // beneath the title show only their edges, from the title page's image.
    int changed = 0;
    for (Box edge :
         {Box{0, 0, 512, 8}, Box{0, 504, 512, 8}, Box{0, 0, 8, 512}, Box{504, 0, 8, 512}})
      for (int y = 2 * edge.y; y < 2 * (edge.y + edge.height); ++y)
        for (int x = 2 * edge.x; x < 2 * (edge.x + edge.width); ++x)
          changed += image.At(x, y) != paper.At(x, y);
    EXPECT_EQ(changed, 0);
  }
}

TEST(PagesTest, IconIsATileOnATransparentGround) {
  const PixelImage icon = Image("Icons/quillmere.png");
  ASSERT_EQ(icon.width, 256);
  ASSERT_EQ(icon.height, 256);
  EXPECT_EQ(icon.At(0, 0).a, 0);
  EXPECT_EQ(icon.At(128, 128).a, 255);
}

}  // namespace
