// SPDX-License-Identifier: GPL-3.0-or-later
#include "Paper.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

#include "Random.h"

namespace {

struct Rgb {
  double r, g, b;
};

// Fresh paper would be whiter; this is the colour of a page that has sat on a shelf for years.
constexpr Rgb kCream{0.960, 0.925, 0.840};

constexpr uint64_t kFineGrainSeed = 0xF1E6A1Bu;

// A fixed random value in [-1, 1] at each integer lattice point.
double Lattice(uint64_t seed, int ix, int iy) {
  const uint64_t key = seed ^ (static_cast<uint64_t>(static_cast<uint32_t>(ix)) * 0x9E3779B1ull) ^
                       (static_cast<uint64_t>(static_cast<uint32_t>(iy)) << 32);
  return static_cast<double>(Random::Mix(key) >> 11) * 0x1.0p-52 - 1.0;
}

double ValueNoise(uint64_t seed, double x, double y) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const double tx = x - fx, ty = y - fy;
  // Smoothstep weights hide the lattice, which plain linear blending would show as a grid.
  const double sx = tx * tx * (3.0 - 2.0 * tx), sy = ty * ty * (3.0 - 2.0 * ty);
  const double top =
      Lattice(seed, ix, iy) + sx * (Lattice(seed, ix + 1, iy) - Lattice(seed, ix, iy));
  const double bottom =
      Lattice(seed, ix, iy + 1) + sx * (Lattice(seed, ix + 1, iy + 1) - Lattice(seed, ix, iy + 1));
  return top + sy * (bottom - top);
}

// Fractal noise in about [-1, 1]: the first octave has cells of `cell` pixels, each further one
// half the size and `gain` times the weight.
double Fractal(uint64_t seed, double x, double y, double cell, int octaves, double gain) {
  double sum = 0.0, weight = 1.0, total = 0.0;
  for (int o = 0; o < octaves; ++o) {
    sum += weight * ValueNoise(seed + 0x1000u * static_cast<uint64_t>(o), x / cell, y / cell);
    total += weight;
    weight *= gain;
    cell *= 0.5;
  }
  return sum / total;
}

uint8_t ToByte(double v) {
  return static_cast<uint8_t>(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5);
}

// The grain: one random value per book pixel, drawn in the same order at every density, so that
// a denser sheet averages back to the same sheet. The finer pixels of a denser sheet each add a
// grain of their own around that value, which cancels out over the book pixel: detail for a
// magnified page without changing the look of the page at its own size.
std::vector<double> PaintGrain(int size, int density, uint64_t seed, Random& random) {
  const int pixels = size * density;
  std::vector<double> grain(static_cast<size_t>(pixels) * pixels);
  auto at = [&](int x, int y) -> double& { return grain[static_cast<size_t>(y) * pixels + x]; };
  for (int by = 0; by < size; ++by)
    for (int bx = 0; bx < size; ++bx) at(bx * density, by * density) = random.Range(-1.0, 1.0);
  if (density == 1) return grain;

  Random fine(seed ^ kFineGrainSeed);
  std::vector<double> block(static_cast<size_t>(density) * density);
  for (int by = 0; by < size; ++by) {
    for (int bx = 0; bx < size; ++bx) {
      double mean = 0.0;
      for (double& v : block) mean += v = fine.Range(-1.0, 1.0);
      mean /= static_cast<double>(block.size());
      const double coarse = at(bx * density, by * density);
      for (int j = 0; j < density; ++j)
        for (int i = 0; i < density; ++i)
          at(bx * density + i, by * density + j) = coarse + block[j * density + i] - mean;
    }
  }
  return grain;
}

// Unevenness, grain and the browned border, computed pixel by pixel in book pixels: the pixels of
// a denser sheet sample around the point where a plain sheet samples their book pixel.
std::vector<Rgb> PaintSheet(int size, int density, uint64_t seed, Random& random) {
  const int pixels = size * density;
  const std::vector<double> grain = PaintGrain(size, density, seed, random);
  std::vector<Rgb> sheet(static_cast<size_t>(pixels) * pixels);
  const double scale = size / 512.0;  // so that a smaller sheet (the icon) looks like a cut-out
  const double half = pixels / 2.0;
  for (int y = 0; y < pixels; ++y) {
    const double by = (y + 0.5) / density - 0.5;
    for (int x = 0; x < pixels; ++x) {
      const double bx = (x + 0.5) / density - 0.5;
      const double px = bx / scale, py = by / scale;
      const size_t index = static_cast<size_t>(y) * pixels + x;
      const double clouds = Fractal(seed + 1, px, py, 110.0, 5, 0.55);
      const double flock = Fractal(seed + 2, px, py, 7.0, 2, 0.6);
      const double tint = Fractal(seed + 3, px, py, 170.0, 3, 0.5);
      double bright = 1.0 + 0.048 * clouds + 0.016 * flock + 0.010 * grain[index];

      const double cx = (x + 0.5 - half) / half, cy = (y + 0.5 - half) / half;
      bright *= 1.0 - 0.035 * (cx * cx + cy * cy);

      // Age creeps in from the edges unevenly, and most of all at the corners where two edges
      // meet.
      const double reach = scale * 20.0 * (1.0 + 0.6 * Fractal(seed + 4, px, py, 60.0, 3, 0.5));
      const double dx = std::min(x + 0.5, pixels - (x + 0.5)) / density;
      const double dy = std::min(y + 0.5, pixels - (y + 0.5)) / density;
      const double age = 1.0 - (1.0 - std::exp(-dx / reach)) * (1.0 - std::exp(-dy / reach));

      sheet[index] = {
          kCream.r * bright * (1.0 - 0.13 * age),
          kCream.g * bright * (1.0 - 0.20 * age),
          kCream.b * bright * (1.0 - 0.36 * age) * (1.0 - 0.035 * tint),
      };
    }
  }
  return sheet;
}

// Foxing: the small rust-brown stains of old paper, kept faint so that printed text and the
// menus over it stay clean to read.
void AddFoxing(std::vector<Rgb>& sheet, int size, int density, Random& random) {
  const double scale = size / 512.0;
  const int pixels = size * density;
  const int spots = 9;
  for (int i = 0; i < spots; ++i) {
    const double sx = random.Range(0.0, size), sy = random.Range(0.0, size);
    const double radius = scale * random.Range(2.0, 9.0);
    const double strength = random.Range(0.03, 0.08);
    const int x0 = std::max(0, static_cast<int>((sx - 3 * radius) * density));
    const int x1 = std::min(pixels - 1, static_cast<int>((sx + 3 * radius) * density));
    const int y0 = std::max(0, static_cast<int>((sy - 3 * radius) * density));
    const int y1 = std::min(pixels - 1, static_cast<int>((sy + 3 * radius) * density));
    for (int y = y0; y <= y1; ++y) {
      const double by = (y + 0.5) / density - 0.5;
      for (int x = x0; x <= x1; ++x) {
        const double bx = (x + 0.5) / density - 0.5;
        const double d2 = ((bx - sx) * (bx - sx) + (by - sy) * (by - sy)) / (radius * radius);
        const double s = strength * std::exp(-d2);
        Rgb& p = sheet[static_cast<size_t>(y) * pixels + x];
        p.r *= 1.0 - 0.6 * s;
        p.g *= 1.0 - 1.0 * s;
        p.b *= 1.0 - 1.6 * s;
      }
    }
  }
}

// Loose fibres caught in the pulp: short curved hairs, some darker and some lighter than the
// sheet, with a few long ones. Drawn in book pixels: a denser sheet has the same fibres, finer.
void AddFibres(cairo_t* cr, int size, Random& random) {
  const double scale = size / 512.0;
  const int count = size * size / 260;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < count; ++i) {
    const double x = random.Range(-10.0, size + 10.0), y = random.Range(-10.0, size + 10.0);
    const double angle = random.Range(0.0, 2.0 * std::numbers::pi);
    const bool longFibre = random.Uniform() < 0.04;
    const double length = scale * (longFibre ? random.Range(28.0, 60.0) : random.Range(4.0, 20.0));
    const double ux = std::cos(angle), uy = std::sin(angle);
    const double bend1 = random.Range(-0.35, 0.35) * length;
    const double bend2 = random.Range(-0.35, 0.35) * length;
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x + ux * length / 3 - uy * bend1, y + uy * length / 3 + ux * bend1,
                   x + ux * 2 * length / 3 - uy * bend2, y + uy * 2 * length / 3 + ux * bend2,
                   x + ux * length, y + uy * length);
    cairo_set_line_width(cr, scale * random.Range(0.35, longFibre ? 0.8 : 1.1));
    if (random.Uniform() < 0.55) {
      cairo_set_source_rgba(cr, 0.42, 0.33, 0.22, random.Range(0.05, 0.13));
    } else {
      cairo_set_source_rgba(cr, 1.0, 0.99, 0.95, random.Range(0.18, 0.40));
    }
    cairo_stroke(cr);
  }
}

}  // namespace

cairo_surface_t* PaintPaper(int size, uint64_t seed, int density) {
  const int pixels = size * density;
  Random random(seed);
  std::vector<Rgb> sheet = PaintSheet(size, density, seed, random);
  AddFoxing(sheet, size, density, random);

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixels, pixels);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < pixels; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < pixels; ++x) {
      const Rgb& p = sheet[static_cast<size_t>(y) * pixels + x];
      row[x] = 0xFF000000u | (uint32_t{ToByte(p.r)} << 16) | (uint32_t{ToByte(p.g)} << 8) |
               uint32_t{ToByte(p.b)};
    }
  }
  cairo_surface_mark_dirty(surface);

  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, density, density);
  AddFibres(cr, size, random);
  cairo_destroy(cr);
  return surface;
}
