// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cairo.h>

// Each painter prints one page onto a sheet of paper already on `cr`, in the 512 x 512 book pixels
// that the game lays out in (`cr` maps them onto the image, however dense), leaving blank the
// places where the game draws its menus and read-outs over the page.
void PaintTitlePage(cairo_t* cr);
void PaintScoresPage(cairo_t* cr);
void PaintInstructionsPage(cairo_t* cr);

// The desktop icon, `size` pixels square with a transparent surround, drawn for that size: the
// small ones (64 pixels and under) with simpler, heavier shapes on the pixel grid. The caller owns
// the surface.
cairo_surface_t* PaintIcon(int size);
