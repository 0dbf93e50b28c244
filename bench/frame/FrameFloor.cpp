// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of the frame benchmark: the bare stack (SDL2, compatibility GL, Pango/Cairo) drawing
// what one frame of the board page draws, without any game logic: seven textured page quads with
// their outlines, 88 tiles each as its own rectangle-texture quad, six text boxes and a stroke.
// Prints the time from launch to its first presented frame and the frames per second.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "ProcessAge.h"

namespace {

struct Texture {
  GLuint id = 0;
  int width = 0;
  int height = 0;
};

Texture Upload(GLenum target, cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  Texture t;
  t.width = cairo_image_surface_get_width(surface);
  t.height = cairo_image_surface_get_height(surface);
  glGenTextures(1, &t.id);
  glBindTexture(target, t.id);
  glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, cairo_image_surface_get_stride(surface) / 4);
  glTexImage2D(target, 0, GL_RGBA8, t.width, t.height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
               cairo_image_surface_get_data(surface));
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  return t;
}

Texture Text(const char* text, const char* family, int size) {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* measure = cairo_create(scratch);
  PangoLayout* layout = pango_cairo_create_layout(measure);
  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, family);
  pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_layout_set_text(layout, text, -1);
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(layout, &ink, &logical);
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, logical.width + 8, logical.height + 4);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  cairo_move_to(cr, 4, 2);
  pango_cairo_update_layout(cr, layout);
  pango_cairo_show_layout(cr, layout);
  Texture t = Upload(GL_TEXTURE_RECTANGLE_ARB, surface);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  pango_font_description_free(font);
  g_object_unref(layout);
  cairo_destroy(measure);
  cairo_surface_destroy(scratch);
  return t;
}

Texture Paper() {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 512, 512);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 0.96, 0.93, 0.85);
  cairo_paint(cr);
  Texture t = Upload(GL_TEXTURE_2D, surface);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return t;
}

void DrawText(const Texture& t, float x, float y) {
  glEnable(GL_TEXTURE_RECTANGLE_ARB);
  glColor4f(1, 1, 1, 1);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, t.id);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(x, y);
  glTexCoord2f(0, t.height);
  glVertex2f(x, y + t.height);
  glTexCoord2f(t.width, t.height);
  glVertex2f(x + t.width, y + t.height);
  glTexCoord2f(t.width, 0);
  glVertex2f(x + t.width, y);
  glEnd();
  glDisable(GL_TEXTURE_RECTANGLE_ARB);
}

void DrawPage(const Texture& paper) {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, paper.id);
  glColor4f(1, 1, 1, 1);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 1);
  glVertex2f(0, 0);
  glTexCoord2f(0, 0);
  glVertex2f(0, 512);
  glTexCoord2f(1, 0);
  glVertex2f(512, 512);
  glTexCoord2f(1, 1);
  glVertex2f(512, 0);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glColor4f(0, 0, 0, 1);
  glBegin(GL_LINE_LOOP);
  glVertex2f(0, 0);
  glVertex2f(0, 512);
  glVertex2f(512, 512);
  glVertex2f(512, 0);
  glEnd();
}

}  // namespace

int main(int argc, char** argv) {
  MarkLaunch(argv);
  const double seconds = argc > 1 ? atof(argv[1]) : 5.0;
  SDL_Init(SDL_INIT_VIDEO);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Window* window = nullptr;
  for (int depth : {32, 24}) {
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
    window = SDL_CreateWindow("floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 640, 640,
                              SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
    if (window) break;
  }
  if (!window) return 1;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  SDL_GL_MakeCurrent(window, context);
  SDL_GL_SetSwapInterval(0);

  Texture paper = Paper();
  Texture letters[26];
  for (int i = 0; i < 26; ++i) {
    const char letter[2] = {static_cast<char>('A' + i), '\0'};
    letters[i] = Text(letter, "Courier", 20);
  }
  const Texture labels[6] = {Text("SCORE", "Courier", 20),
                             Text("  120", "Courier", 20),
                             Text("CLEARING BONUS", "Courier", 14),
                             Text("   45", "Courier", 14),
                             Text("Click Here When Done", "Helvetica", 18),
                             Text(" 0:12 ", "Courier", 20)};
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);

  using Clock = std::chrono::steady_clock;
  double firstFrameMs = -1.0;
  Clock::time_point start;
  int frames = 0;
  for (;;) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    int w, h;
    SDL_GetWindowSize(window, &w, &h);
    glViewport(0, 0, w, h);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, w, h, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (int i = 6; i >= 0; --i) {
      glPushMatrix();
      glTranslatef((w - 512) * 0.5f + (i - 3.5f) * 4, (h - 512) * 0.5f + (i - 3.5f) * 4, 0);
      DrawPage(paper);
      if (i == 0) {
        const float at[6][2] = {{440, 30},  {440, 60},  {385, 90},
                                {460, 105}, {290, 464}, {440, 145}};
        for (int k = 0; k < 6; ++k) DrawText(labels[k], at[k][0], at[k][1]);
        glTranslatef(144, 102, 0);
        for (int c = 0; c < 8; ++c)
          for (int r = 0; r < 11; ++r) DrawText(letters[(c * 11 + r * 7) % 26], c * 28, r * 28);
        glLineWidth(3);
        glColor4f(0.5f, 0, 0, 1);
        glBegin(GL_LINE_STRIP);
        for (int k = 0; k < 30; ++k) glVertex3f(10 + k * 5, 20 + (k % 3), 1);
        glEnd();
      }
      glPopMatrix();
    }
    SDL_GL_SwapWindow(window);
    if (firstFrameMs < 0.0) {
      glFinish();
      firstFrameMs = ProcessAgeMs();
      start = Clock::now();
      continue;
    }
    ++frames;
    double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    if (elapsed >= seconds) {
      printf("first_frame_ms=%.0f fps=%.1f\n", firstFrameMs, frames / elapsed);
      break;
    }
  }
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
