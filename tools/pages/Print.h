// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <string>

// Ink colours. Ink is laid down with a multiply, as real ink soaks into the sheet: the grain and
// fibres of the paper still show through it.
struct Ink {
  double r, g, b;
};
inline constexpr Ink kBlackInk{0.15, 0.11, 0.08};        // iron-gall black, a little brown
inline constexpr Ink kGreyInk{0.42, 0.35, 0.28};         // for rules and faint marks
inline constexpr Ink kRedInk{0.55, 0.12, 0.08};          // rubrication: initials and run-in heads
inline constexpr const char* kRedInkMarkup = "#8C1F14";  // kRedInk, for coloured spans

// Faces, in families that fontconfig finds on a stock system; each list falls back to a common
// serif when the preferred face is missing.
inline constexpr const char* kScriptFamily = "Z003, URW Chancery L, Nimbus Roman, serif";
inline constexpr const char* kBookFamily = "P052, Palatino, Nimbus Roman, Times, serif";
inline constexpr const char* kGameSansFamily = "Helvetica";  // the face of the game's menus
inline constexpr const char* kDingbatFamily = "D050000L, DejaVu Sans";

struct Face {
  const char* family;
  double pixels;  // the em, in page pixels
  PangoStyle style = PANGO_STYLE_NORMAL;
  PangoWeight weight = PANGO_WEIGHT_NORMAL;
};

enum class Align { kLeft, kCenter, kRight };

// One laid-out piece of text (Pango markup), measured before it is printed.
class Text {
 public:
  // width < 0: one unwrapped line; otherwise wrapped to that width.
  Text(cairo_t* cr, const Face& face, const std::string& markup, double width = -1.0,
       bool justify = false);
  ~Text();
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;

  void SetLetterSpacing(double pixels);
  void SetLineSpacing(double factor);
  double Width() const;     // logical width in pixels
  double Height() const;    // logical height in pixels
  double Baseline() const;  // first baseline, from the top of the logical box

  // Prints with the top of the logical box at `top` and its left, middle or right at `x`.
  void Print(double x, double top, Align align, const Ink& ink) const;
  // Prints with the middle of the inked glyphs (not of the logical box) at (cx, cy).
  void PrintInkCentred(double cx, double cy, const Ink& ink) const;
  // The same, placed by the first baseline.
  void PrintOnBaseline(double x, double baseline, Align align, const Ink& ink) const {
    Print(x, baseline - Baseline(), align, ink);
  }

 private:
  cairo_t* cr_;
  PangoLayout* layout_;
};

// A hairline from x0 to x1.
void PrintRule(cairo_t* cr, double x0, double x1, double y, double thickness, const Ink& ink);
// A hairline from y0 down to y1.
void PrintColumnRule(cairo_t* cr, double x, double y0, double y1, double thickness, const Ink& ink);
// A printer's rule that swells from fine points to a lozenge in its middle.
void PrintOrnamentRule(cairo_t* cr, double cx, double y, double halfWidth, const Ink& ink);
// The floral heart of old books, centred on (cx, cy).
void PrintFleuron(cairo_t* cr, double cx, double cy, double pixels, const Ink& ink);
