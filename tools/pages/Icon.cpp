// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <numbers>

#include "Pages.h"
#include "Paper.h"
#include "Print.h"

namespace {

// The large icons (128 pixels and up) are one drawing on a 256-unit grid, scaled.
constexpr double kTileLeft = 18.0, kTileTop = 14.0, kTileSize = 220.0, kTileRadius = 30.0;
constexpr uint64_t kTileSeed = 0x51u;

constexpr Ink kOutline{0.33, 0.22, 0.13};
constexpr Ink kQuillLine{0.36, 0.27, 0.18};

void SetColour(cairo_t* cr, const Ink& ink) {
  cairo_set_source_rgb(cr, ink.r, ink.g, ink.b);
}

void RoundedRect(cairo_t* cr, double x, double y, double width, double height, double radius) {
  const double quarter = std::numbers::pi / 2.0;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + width - radius, y + radius, radius, -quarter, 0.0);
  cairo_arc(cr, x + width - radius, y + height - radius, radius, 0.0, quarter);
  cairo_arc(cr, x + radius, y + height - radius, radius, quarter, 2.0 * quarter);
  cairo_arc(cr, x + radius, y + radius, radius, 2.0 * quarter, 3.0 * quarter);
  cairo_close_path(cr);
}

void RoundedSquare(cairo_t* cr, double x, double y, double size, double radius) {
  RoundedRect(cr, x, y, size, size, radius);
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

// The paper is made at the icon's own resolution, so that its grain stays sharp at 512 pixels.
void PaintTile(cairo_t* cr, double scale) {
  cairo_surface_t* paper = PaintPaper(static_cast<int>(std::lround(kTileSize * scale)), kTileSeed);
  RoundedSquare(cr, kTileLeft, kTileTop, kTileSize, kTileRadius);
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_set_source_surface(cr, paper, kTileLeft * scale, kTileTop * scale);
  cairo_fill_preserve(cr);
  cairo_restore(cr);
  cairo_surface_destroy(paper);
  SetColour(cr, kOutline);
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

void FillVane(cairo_t* cr, double width, int side) {
  cairo_pattern_t* shade = cairo_pattern_create_linear(0.0, 0.0, 0.0, side * width);
  cairo_pattern_add_color_stop_rgb(shade, 0.0, 1.0, 0.99, 0.96);
  cairo_pattern_add_color_stop_rgb(shade, 1.0, 0.80, 0.74, 0.64);
  cairo_set_source(cr, shade);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(shade);
}

// The cut nib, dark with ink.
void PaintNib(cairo_t* cr, double length, double half) {
  cairo_move_to(cr, -2.0, 0.0);
  cairo_line_to(cr, length, -half);
  cairo_line_to(cr, length, half);
  cairo_close_path(cr);
  cairo_set_source_rgb(cr, 0.15, 0.10, 0.07);
  cairo_fill(cr);
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
    FillVane(cr, sideWidth, side);
    SetColour(cr, kQuillLine);
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
  SetColour(cr, kQuillLine);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);

  PaintNib(cr, length * 0.07, 2.6);
  cairo_restore(cr);
}

void PaintDetailed(cairo_t* cr, int size) {
  const double scale = size / 256.0;
  cairo_scale(cr, scale, scale);
  PaintShadow(cr);
  PaintTile(cr, scale);

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
  SetColour(cr, kRedInk);
  cairo_set_line_width(cr, 7.0);
  cairo_stroke(cr);

  PaintQuill(cr, 128.0, 166.0, -0.95, 150.0);
}

// The small icons (64 pixels and under), each laid out on its own pixel grid: the same tile,
// letter, stroke and quill, with fewer and heavier shapes. The tile's edges and the stroke lie
// on whole pixels, the paper is plain, the letter is bold and hinted (or, below 32 pixels, built
// from whole-pixel walls), and the quill has no barbs.
struct PlainLayout {
  int size;
  int margin, shadow;  // transparent pixels around the tile; of them, shadow rows below it
  int border;          // the tile's outline, in whole pixels
  double radius;
  double letterPixels, letterX, letterY;  // the letter's em and the middle of its ink
  int strokeLeft, strokeRight, strokeTop, strokeRows;
  double nibX, nibY, angle, quillLength, quillWidth, quillLine;
};

constexpr double kSteep = -0.95, kSteeper = -1.05;
constexpr PlainLayout kPlainLayouts[] = {
    {16, 0, 0, 1, 3.0, 0.0, 5.0, 7.0, 1, 8, 11, 2, 8.5, 12.5, kSteeper, 10.0, 2.0, 1.0},
    {24, 1, 1, 1, 4.0, 0.0, 8.0, 10.5, 2, 12, 16, 2, 12.5, 18.0, kSteeper, 15.0, 3.0, 1.0},
    {32, 1, 1, 2, 5.0, 27.0, 12.0, 14.0, 3, 17, 21, 3, 17.5, 22.5, kSteeper, 20.0, 4.0, 1.0},
    {48, 2, 2, 2, 7.0, 40.0, 20.0, 21.0, 6, 25, 30, 4, 25.5, 32.0, kSteep, 33.0, 6.5, 1.5},
    {64, 2, 2, 2, 8.0, 54.0, 27.0, 28.0, 8, 34, 40, 5, 34.5, 42.5, kSteep, 44.0, 8.5, 1.5},
};

// A bold letter with its stems snapped to whole pixels, so that it stays sharp when small.
void PrintHintedLetter(cairo_t* cr, const PlainLayout& at) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(layout);
  PangoFontDescription* face = pango_font_description_from_string(kBookFamily);
  pango_font_description_set_weight(face, PANGO_WEIGHT_BOLD);
  pango_font_description_set_absolute_size(face, at.letterPixels * PANGO_SCALE);
  pango_layout_set_font_description(layout, face);
  pango_font_description_free(face);
  pango_layout_set_text(layout, "Q", -1);
  PangoRectangle ink;
  pango_layout_get_pixel_extents(layout, &ink, nullptr);
  cairo_move_to(cr, std::round(at.letterX - ink.x - ink.width / 2.0),
                std::round(at.letterY - ink.y - ink.height / 2.0));
  SetColour(cr, kBlackInk);
  pango_cairo_show_layout(cr, layout);
  g_object_unref(layout);
}

// A simpler vane: one broad blade from the barrel to the tip.
void Blade(cairo_t* cr, double length, double width) {
  cairo_move_to(cr, length * 0.25, 0.0);
  cairo_curve_to(cr, length * 0.35, -width * 1.3, length * 0.75, -width * 1.3, length, 0.0);
  cairo_curve_to(cr, length * 0.75, width, length * 0.35, width, length * 0.25, 0.0);
  cairo_close_path(cr);
}

// From 48 pixels up the vane is a blade; below that, a light bar with a dark edge, which keeps
// its shape on a grid of a few pixels.
void PaintPlainQuill(cairo_t* cr, const PlainLayout& at) {
  const double length = at.quillLength, width = at.quillWidth;
  cairo_save(cr);
  cairo_translate(cr, at.nibX, at.nibY);
  cairo_rotate(cr, at.angle);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (at.size >= 48) {
    Blade(cr, length, width);
  } else {
    cairo_move_to(cr, length * 0.35, 0.0);
    cairo_line_to(cr, length - width / 2.0, 0.0);
    SetColour(cr, kQuillLine);
    cairo_set_line_width(cr, width + 2.0 * at.quillLine);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, width);
  }
  cairo_set_source_rgb(cr, 1.0, 0.99, 0.96);
  if (at.size >= 48) {
    cairo_fill_preserve(cr);
    SetColour(cr, kQuillLine);
    cairo_set_line_width(cr, at.quillLine);
  }
  cairo_stroke(cr);
  // The shaft, from the nib into the vane.
  SetColour(cr, kQuillLine);
  cairo_set_line_width(cr, at.quillLine);
  cairo_move_to(cr, 0.0, 0.0);
  cairo_line_to(cr, length * (at.size >= 48 ? 0.85 : 0.4), 0.0);
  cairo_stroke(cr);
  PaintNib(cr, length * 0.15, at.quillLine);
  cairo_restore(cr);
}

// Below 32 pixels even a bold face has hairlines of less than a pixel: the letter is drawn as a
// ring with walls of whole pixels and a square-cut tail.
void PrintGridLetter(cairo_t* cr, const PlainLayout& at) {
  const double unit = at.size / 16.0;
  const double cx = at.letterX, cy = at.letterY, rx = 4.0 * unit, ry = 5.0 * unit;
  cairo_save(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_translate(cr, cx, cy);
  cairo_save(cr);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0.0, 0.0, 1.0, 0.0, 2.0 * std::numbers::pi);
  cairo_restore(cr);
  cairo_new_sub_path(cr);
  cairo_save(cr);
  cairo_scale(cr, rx - 2.0 * unit, ry - 1.6 * unit);
  cairo_arc(cr, 0.0, 0.0, 1.0, 0.0, 2.0 * std::numbers::pi);
  cairo_restore(cr);
  SetColour(cr, kBlackInk);
  cairo_fill(cr);
  cairo_move_to(cr, 0.5 * unit, ry - 1.0 * unit);
  cairo_line_to(cr, 4.0 * unit, ry + 2.0 * unit);
  cairo_set_line_width(cr, 2.0 * unit);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void PaintPlain(cairo_t* cr, const PlainLayout& at) {
  const double left = at.margin, top = at.margin - at.shadow / 2;
  const double side = at.size - 2 * at.margin;
  const double half = at.border / 2.0;
  if (at.shadow > 0) {
    RoundedSquare(cr, left, top + at.shadow, side, at.radius);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.25);
    cairo_fill(cr);
  }
  // Cream paper, a little browner towards the foot, as the large icons' sheet.
  RoundedSquare(cr, left + half, top + half, side - at.border, at.radius - half);
  cairo_pattern_t* paper = cairo_pattern_create_linear(0.0, top, 0.0, top + side);
  cairo_pattern_add_color_stop_rgb(paper, 0.0, 0.97, 0.94, 0.86);
  cairo_pattern_add_color_stop_rgb(paper, 1.0, 0.90, 0.84, 0.71);
  cairo_set_source(cr, paper);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(paper);
  SetColour(cr, kOutline);
  cairo_set_line_width(cr, at.border);
  cairo_stroke(cr);

  if (at.size < 32)
    PrintGridLetter(cr, at);
  else
    PrintHintedLetter(cr, at);
  cairo_rectangle(cr, at.strokeLeft, at.strokeTop, at.strokeRight - at.strokeLeft, at.strokeRows);
  SetColour(cr, kRedInk);
  cairo_fill(cr);
  PaintPlainQuill(cr, at);
}

}  // namespace

cairo_surface_t* PaintIcon(int size) {
  cairo_surface_t* icon = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(icon);
  const PlainLayout* plain = nullptr;
  for (const PlainLayout& layout : kPlainLayouts)
    if (layout.size == size) plain = &layout;
  if (plain)
    PaintPlain(cr, *plain);
  else
    PaintDetailed(cr, size);
  cairo_destroy(cr);
  return icon;
}
