// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <numbers>

#include "Pages.h"
#include "Paper.h"
#include "Print.h"

namespace {

constexpr int kIconSize = 256;
constexpr double kTileLeft = 18.0, kTileTop = 14.0, kTileSize = 220.0, kTileRadius = 30.0;
constexpr uint64_t kTileSeed = 0x51u;

void RoundedSquare(cairo_t* cr, double x, double y, double size, double radius) {
  const double quarter = std::numbers::pi / 2.0;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + size - radius, y + radius, radius, -quarter, 0.0);
  cairo_arc(cr, x + size - radius, y + size - radius, radius, 0.0, quarter);
  cairo_arc(cr, x + radius, y + size - radius, radius, quarter, 2.0 * quarter);
  cairo_arc(cr, x + radius, y + radius, radius, 2.0 * quarter, 3.0 * quarter);
  cairo_close_path(cr);
}

// A soft shadow under the tile, built from widening translucent outlines, so that the icon
// stands off light and dark desktops alike.
void PaintShadow(cairo_t* cr) {
  for (int i = 8; i >= 1; --i) {
    RoundedSquare(cr, kTileLeft - i, kTileTop + 5.0 - i, kTileSize + 2.0 * i, kTileRadius + i);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.035);
    cairo_fill(cr);
  }
}

void PaintTile(cairo_t* cr) {
  cairo_surface_t* paper = PaintPaper(static_cast<int>(kTileSize), kTileSeed);
  RoundedSquare(cr, kTileLeft, kTileTop, kTileSize, kTileRadius);
  cairo_set_source_surface(cr, paper, kTileLeft, kTileTop);
  cairo_fill_preserve(cr);
  cairo_surface_destroy(paper);
  cairo_set_source_rgb(cr, 0.33, 0.22, 0.13);
  cairo_set_line_width(cr, 3.0);
  cairo_stroke(cr);
}

// The outline of one side of the feather's vane, in the quill's own frame: the shaft runs along
// x from the nib at 0 to the tip at `length`, and `side` is -1 above the shaft or +1 below it.
void VaneSide(cairo_t* cr, double length, double width, int side) {
  const double s = side;
  cairo_move_to(cr, length * 0.30, 0.0);
  cairo_curve_to(cr, length * 0.40, s * width * 0.9, length * 0.62, s * width * 1.05, length * 0.80,
                 s * width * 0.8);
  cairo_curve_to(cr, length * 0.92, s * width * 0.55, length * 0.99, s * width * 0.2, length, 0.0);
  cairo_close_path(cr);
}

// A goose quill lying from its nib at (x, y) up and to the right at `angle`.
void PaintQuill(cairo_t* cr, double x, double y, double angle, double length) {
  const double width = length * 0.13;
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);

  // Shadow cast on the tile.
  cairo_save(cr);
  cairo_translate(cr, 2.0, 5.0);
  VaneSide(cr, length, width, -1);
  VaneSide(cr, length, width * 0.8, 1);
  cairo_set_source_rgba(cr, 0.2, 0.12, 0.05, 0.22);
  cairo_fill(cr);
  cairo_restore(cr);

  for (int side = -1; side <= 1; side += 2) {
    const double sideWidth = side < 0 ? width : width * 0.8;
    cairo_save(cr);
    if (side < 0) {
      // A split in the upper vane, the mark of a feather that has been handled.
      cairo_rectangle(cr, -length, -length, 3.0 * length, 2.0 * length);
      cairo_move_to(cr, length * 0.55, -width * 1.2);
      cairo_line_to(cr, length * 0.60, -width * 0.35);
      cairo_line_to(cr, length * 0.635, -width * 1.2);
      cairo_close_path(cr);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
      cairo_clip(cr);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    }
    VaneSide(cr, length, sideWidth, side);
    cairo_pattern_t* shade = cairo_pattern_create_linear(0.0, 0.0, 0.0, side * sideWidth);
    cairo_pattern_add_color_stop_rgb(shade, 0.0, 1.0, 0.99, 0.96);
    cairo_pattern_add_color_stop_rgb(shade, 1.0, 0.80, 0.74, 0.64);
    cairo_set_source(cr, shade);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shade);
    cairo_set_source_rgb(cr, 0.36, 0.27, 0.18);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);

    // Barbs, sloping towards the tip as on a real feather.
    cairo_save(cr);
    VaneSide(cr, length, sideWidth, side);
    cairo_clip(cr);
    cairo_set_source_rgba(cr, 0.45, 0.36, 0.27, 0.55);
    cairo_set_line_width(cr, 0.8);
    for (double u = length * 0.32; u < length; u += length * 0.045) {
      cairo_move_to(cr, u, 0.0);
      cairo_line_to(cr, u + sideWidth * 0.9, side * sideWidth * 1.2);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_restore(cr);
  }

  // Shaft: thick and horn-coloured at the barrel, thinning towards the tip.
  cairo_move_to(cr, length * 0.06, -2.2);
  cairo_curve_to(cr, length * 0.4, -2.0, length * 0.8, -0.8, length * 0.98, 0.0);
  cairo_curve_to(cr, length * 0.8, 0.8, length * 0.4, 2.0, length * 0.06, 2.2);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.72, 0.62, 0.46);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.36, 0.27, 0.18);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);

  // The cut nib, dark with ink.
  cairo_move_to(cr, -2.0, 0.0);
  cairo_line_to(cr, length * 0.07, -2.6);
  cairo_line_to(cr, length * 0.07, 2.6);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.15, 0.10, 0.07);
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace

cairo_surface_t* PaintIcon() {
  cairo_surface_t* icon = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kIconSize, kIconSize);
  cairo_t* cr = cairo_create(icon);
  PaintShadow(cr);
  PaintTile(cr);

  // The letter, then the red stroke that crosses a word out, drawn by the quill's nib.
  cairo_save(cr);
  RoundedSquare(cr, kTileLeft, kTileTop, kTileSize, kTileRadius);
  cairo_clip(cr);
  Text letter(cr, Face{kBookFamily, 196.0}, "Q");
  letter.PrintInkCentred(kTileLeft + kTileSize * 0.45, kTileTop + kTileSize * 0.50, kBlackInk);
  cairo_restore(cr);

  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, 40.0, 184.0);
  cairo_curve_to(cr, 70.0, 176.0, 100.0, 176.0, 126.0, 168.0);
  cairo_set_source_rgb(cr, kRedInk.r, kRedInk.g, kRedInk.b);
  cairo_set_line_width(cr, 7.0);
  cairo_stroke(cr);

  PaintQuill(cr, 128.0, 166.0, -0.95, 150.0);
  cairo_destroy(cr);
  return icon;
}
