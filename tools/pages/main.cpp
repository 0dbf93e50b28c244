// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the game's printed pages, its paper and its desktop icons:
//   quillmere_pages RESOURCE_ROOT [ICON_ROOT]
// writes RESOURCE_ROOT/Images/{Paper,TitlePage,HSPage,InstructionsPage}.png (1024 pixels square,
// twice the book's 512 pixels, so that a zoomed book or a high-density screen shows them sharp),
// RESOURCE_ROOT/Icons/quillmere.png (the window's icon) and, given ICON_ROOT, the desktop's icon
// at every size as ICON_ROOT/hicolor/<size>x<size>/apps/io.github.quillmere.Quillmere.png.

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <cstdio>
#include <filesystem>
#include <future>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "Pages.h"
#include "Paper.h"
#include "StoredPng.h"

namespace {

namespace fs = std::filesystem;

// The pages are laid out in book pixels, as the game lays out what it draws over them, and painted
// at twice that density.
constexpr int kPageSize = 512;
constexpr int kPageDensity = 2;
constexpr uint64_t kPaperSeed = 0x9A9E5EEDu;
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};
constexpr char kIconName[] = "io.github.quillmere.Quillmere.png";

// Written beside the target and renamed into place, so that a build interrupted half-way never
// leaves a truncated image that looks up to date. The page images are stored uncompressed (see
// WriteStoredPng); the icons, small and many, compressed.
bool WritePng(cairo_surface_t* surface, const fs::path& path, bool stored = false) {
  const fs::path partial = path.string() + ".tmp";
  if (stored) {
    FILE* file = std::fopen(partial.c_str(), "wb");
    bool written = file && WriteStoredPng(surface, file);
    if (file) written = std::fclose(file) == 0 && written;
    if (!written) {
      std::fprintf(stderr, "quillmere_pages: cannot write %s\n", partial.c_str());
      return false;
    }
  } else {
    const cairo_status_t status = cairo_surface_write_to_png(surface, partial.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "quillmere_pages: cannot write %s: %s\n", partial.c_str(),
                   cairo_status_to_string(status));
      return false;
    }
  }
  std::error_code error;
  fs::rename(partial, path, error);
  if (error) {
    std::fprintf(stderr, "quillmere_pages: cannot rename %s: %s\n", partial.c_str(),
                 error.message().c_str());
    return false;
  }
  return true;
}

bool WriteIcon(int size, const fs::path& path) {
  cairo_surface_t* icon = PaintIcon(size);
  const bool written = WritePng(icon, path);
  cairo_surface_destroy(icon);
  return written;
}

bool MakeFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error)
    std::fprintf(stderr, "quillmere_pages: cannot create %s: %s\n", folder.c_str(),
                 error.message().c_str());
  return !error;
}

// Every printed page starts as a copy of the one plain sheet, so that all pages of the book are
// visibly cut from the same paper.
cairo_surface_t* PaintPage(cairo_surface_t* paper, void (*paint)(cairo_t*)) {
  const int pixels = kPageSize * kPageDensity;
  cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixels, pixels);
  cairo_t* cr = cairo_create(page);
  cairo_set_source_surface(cr, paper, 0.0, 0.0);
  cairo_paint(cr);
  cairo_scale(cr, kPageDensity, kPageDensity);
  paint(cr);
  cairo_destroy(cr);
  return page;
}

// No two images share anything once painted: each is written on a thread of its own while the
// next is painted. Takes over the surface.
std::future<bool> WriteInBackground(cairo_surface_t* image, fs::path path) {
  return std::async(std::launch::async, [image, path = std::move(path)] {
    const bool written = WritePng(image, path, true);
    cairo_surface_destroy(image);
    return written;
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: quillmere_pages RESOURCE_ROOT [ICON_ROOT]\n");
    return 2;
  }
  const fs::path root = argv[1];
  for (const char* folder : {"Images", "Icons"})
    if (!MakeFolder(root / folder)) return 1;

  cairo_surface_t* paper = PaintPaper(kPageSize, kPaperSeed, kPageDensity);
  const struct {
    const char* name;
    void (*paint)(cairo_t*);
  } kPages[] = {{"TitlePage.png", PaintTitlePage},
                {"HSPage.png", PaintScoresPage},
                {"InstructionsPage.png", PaintInstructionsPage}};
  std::vector<std::future<bool>> writes;
  for (const auto& page : kPages)
    writes.push_back(WriteInBackground(PaintPage(paper, page.paint), root / "Images" / page.name));
  // Last, once no page reads from it any more.
  writes.push_back(WriteInBackground(paper, root / "Images" / "Paper.png"));

  bool ok = true;
  ok = WriteIcon(256, root / "Icons" / "quillmere.png") && ok;
  if (argc == 3) {
    for (int size : kIconSizes) {
      const std::string name = std::to_string(size) + "x" + std::to_string(size);
      const fs::path folder = fs::path(argv[2]) / "hicolor" / name / "apps";
      ok = MakeFolder(folder) && WriteIcon(size, folder / kIconName) && ok;
    }
  }
  for (std::future<bool>& written : writes) ok = written.get() && ok;
  // The fonts handed back, so that a leak checker sees every block of theirs freed.
  pango_cairo_font_map_set_default(nullptr);
  cairo_debug_reset_static_data();
  FcFini();
  return ok ? 0 : 1;
}
