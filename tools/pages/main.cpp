// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the game's printed pages, its paper and its desktop icons:
//   quillmere_pages RESOURCE_ROOT [ICON_ROOT]
// writes RESOURCE_ROOT/Images/{Paper,TitlePage,HSPage,InstructionsPage}.png,
// RESOURCE_ROOT/Icons/quillmere.png (the window's icon) and, given ICON_ROOT, the desktop's icon
// at every size as ICON_ROOT/hicolor/<size>x<size>/apps/io.github.quillmere.Quillmere.png.

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "Pages.h"
#include "Paper.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPageSize = 512;
constexpr uint64_t kPaperSeed = 0x9A9E5EEDu;
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};
constexpr char kIconName[] = "io.github.quillmere.Quillmere.png";

// Written beside the target and renamed into place, so that a build interrupted half-way never
// leaves a truncated image that looks up to date.
bool WritePng(cairo_surface_t* surface, const fs::path& path) {
  const fs::path partial = path.string() + ".tmp";
  const cairo_status_t status = cairo_surface_write_to_png(surface, partial.c_str());
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "quillmere_pages: cannot write %s: %s\n", partial.c_str(),
                 cairo_status_to_string(status));
    return false;
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
bool WritePage(cairo_surface_t* paper, void (*paint)(cairo_t*), const fs::path& path) {
  cairo_surface_t* page = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kPageSize, kPageSize);
  cairo_t* cr = cairo_create(page);
  cairo_set_source_surface(cr, paper, 0.0, 0.0);
  cairo_paint(cr);
  paint(cr);
  cairo_destroy(cr);
  const bool written = WritePng(page, path);
  cairo_surface_destroy(page);
  return written;
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

  cairo_surface_t* paper = PaintPaper(kPageSize, kPaperSeed);
  bool ok = WritePng(paper, root / "Images" / "Paper.png");
  ok = WritePage(paper, PaintTitlePage, root / "Images" / "TitlePage.png") && ok;
  ok = WritePage(paper, PaintScoresPage, root / "Images" / "HSPage.png") && ok;
  ok = WritePage(paper, PaintInstructionsPage, root / "Images" / "InstructionsPage.png") && ok;
  cairo_surface_destroy(paper);

  ok = WriteIcon(256, root / "Icons" / "quillmere.png") && ok;
  if (argc == 3) {
    for (int size : kIconSizes) {
      const std::string name = std::to_string(size) + "x" + std::to_string(size);
      const fs::path folder = fs::path(argv[2]) / "hicolor" / name / "apps";
      ok = MakeFolder(folder) && WriteIcon(size, folder / kIconName) && ok;
    }
  }
  return ok ? 0 : 1;
}
