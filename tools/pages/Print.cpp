// SPDX-License-Identifier: GPL-3.0-or-later
#include "Print.h"

#include <cmath>
#include <numbers>

namespace {

void SetInk(cairo_t* cr, const Ink& ink) {
  cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
  cairo_set_source_rgb(cr, ink.r, ink.g, ink.b);
}

}  // namespace

Text::Text(cairo_t* cr, const Face& face, const std::string& markup, double width, bool justify)
    : cr_(cr), layout_(pango_cairo_create_layout(cr)) {
  // Unhinted outlines: the pages are pictures, and hinting would snap large titles to the pixel
  // grid and alter widths from the measured ones.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout_), options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(layout_);

  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, face.family);
  pango_font_description_set_absolute_size(description, face.pixels * PANGO_SCALE);
  pango_font_description_set_style(description, face.style);
  pango_font_description_set_weight(description, face.weight);
  pango_layout_set_font_description(layout_, description);
  pango_font_description_free(description);

  if (width >= 0.0) {
    pango_layout_set_width(layout_, static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_wrap(layout_, PANGO_WRAP_WORD);
    pango_layout_set_justify(layout_, justify);
  }
  pango_layout_set_markup(layout_, markup.c_str(), -1);
}

Text::~Text() {
  g_object_unref(layout_);
}

void Text::SetLetterSpacing(double pixels) {
  PangoAttrList* attributes = pango_attr_list_copy(pango_layout_get_attributes(layout_));
  if (attributes == nullptr) attributes = pango_attr_list_new();
  pango_attr_list_insert(attributes,
                         pango_attr_letter_spacing_new(static_cast<int>(pixels * PANGO_SCALE)));
  pango_layout_set_attributes(layout_, attributes);
  pango_attr_list_unref(attributes);
}

void Text::SetLineSpacing(double factor) {
  pango_layout_set_line_spacing(layout_, factor);
}

double Text::Width() const {
  PangoRectangle logical;
  pango_layout_get_extents(layout_, nullptr, &logical);
  return static_cast<double>(logical.width) / PANGO_SCALE;
}

double Text::Height() const {
  PangoRectangle logical;
  pango_layout_get_extents(layout_, nullptr, &logical);
  return static_cast<double>(logical.height) / PANGO_SCALE;
}

double Text::Baseline() const {
  return static_cast<double>(pango_layout_get_baseline(layout_)) / PANGO_SCALE;
}

void Text::Print(double x, double top, Align align, const Ink& ink) const {
  PangoRectangle logical;
  pango_layout_get_extents(layout_, nullptr, &logical);
  double left = x - static_cast<double>(logical.x) / PANGO_SCALE;
  if (align == Align::kCenter) left -= Width() / 2.0;
  if (align == Align::kRight) left -= Width();
  cairo_save(cr_);
  SetInk(cr_, ink);
  cairo_move_to(cr_, left, top);
  pango_cairo_show_layout(cr_, layout_);
  cairo_restore(cr_);
}

void Text::PrintInkCentred(double cx, double cy, const Ink& ink) const {
  PangoRectangle inked;
  pango_layout_get_extents(layout_, &inked, nullptr);
  const double left = cx - (inked.x + inked.width / 2.0) / PANGO_SCALE;
  const double top = cy - (inked.y + inked.height / 2.0) / PANGO_SCALE;
  cairo_save(cr_);
  SetInk(cr_, ink);
  cairo_move_to(cr_, left, top);
  pango_cairo_show_layout(cr_, layout_);
  cairo_restore(cr_);
}

void PrintRule(cairo_t* cr, double x0, double x1, double y, double thickness, const Ink& ink) {
  cairo_save(cr);
  SetInk(cr, ink);
  cairo_rectangle(cr, x0, y - thickness / 2.0, x1 - x0, thickness);
  cairo_fill(cr);
  cairo_restore(cr);
}

void PrintColumnRule(cairo_t* cr, double x, double y0, double y1, double thickness,
                     const Ink& ink) {
  cairo_save(cr);
  SetInk(cr, ink);
  cairo_rectangle(cr, x - thickness / 2.0, y0, thickness, y1 - y0);
  cairo_fill(cr);
  cairo_restore(cr);
}

void PrintOrnamentRule(cairo_t* cr, double cx, double y, double halfWidth, const Ink& ink) {
  const double swell = 1.1;  // half the thickness of each arm where it meets the lozenge
  const double lozenge = 4.5;
  cairo_save(cr);
  SetInk(cr, ink);
  for (int side = -1; side <= 1; side += 2) {
    const double tip = cx + side * halfWidth, root = cx + side * (lozenge + 3.0);
    cairo_move_to(cr, tip, y);
    cairo_curve_to(cr, tip - side * halfWidth * 0.5, y - swell * 0.3, root + side * 6.0, y - swell,
                   root, y - swell);
    cairo_line_to(cr, root, y + swell);
    cairo_curve_to(cr, root + side * 6.0, y + swell, tip - side * halfWidth * 0.5, y + swell * 0.3,
                   tip, y);
    cairo_close_path(cr);
    cairo_fill(cr);
    // A dot between each arm and the lozenge.
    cairo_arc(cr, cx + side * (lozenge + 6.5), y, 1.3, 0.0, 2.0 * std::numbers::pi);
    cairo_fill(cr);
  }
  cairo_move_to(cr, cx - lozenge, y);
  cairo_line_to(cr, cx, y - lozenge * 0.8);
  cairo_line_to(cr, cx + lozenge, y);
  cairo_line_to(cr, cx, y + lozenge * 0.8);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_restore(cr);
}

void PrintFleuron(cairo_t* cr, double cx, double cy, double pixels, const Ink& ink) {
  Text(cr, Face{kDingbatFamily, pixels}, "\u2766").PrintInkCentred(cx, cy, ink);
}
