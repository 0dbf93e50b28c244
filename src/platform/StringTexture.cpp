// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StringTexture.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>
#include <fontconfig/fontconfig.h>
#include <glib.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/GLError.h"
#include "core/Log.h"
#include "platform/BookScale.h"

namespace {

// One Pango context for every text, so that measuring and drawing agree: grey antialiasing
// (the image is composed over the scene with its alpha), slight hinting for crisp stems, and
// metrics hinted to whole pixels.
PangoContext* SharedContext();

// Fonts are held for the life of the process; handed back at its end, so that a leak checker
// sees every block of theirs freed and any block of ours still held.
void ReleaseFonts() {
  g_object_unref(SharedContext());
  pango_cairo_font_map_set_default(nullptr);
  cairo_debug_reset_static_data();
  FcFini();
}

PangoContext* SharedContext() {
  static PangoContext* context = [] {
    PangoContext* ctx = pango_font_map_create_context(pango_cairo_font_map_get_default());
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(ctx, options);
    cairo_font_options_destroy(options);
    atexit(ReleaseFonts);
    return ctx;
  }();
  return context;
}

// Texts are 8-bit: UTF-8 where they are valid UTF-8 (translations), otherwise Latin-1.
std::string ToUtf8(const std::string& text) {
  if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return text;
  gchar* converted = g_convert(text.data(), static_cast<gssize>(text.size()), "UTF-8", "ISO-8859-1",
                               nullptr, nullptr, nullptr);
  std::string result = converted ? converted : "";
  g_free(converted);
  return result;
}

class Layout {
 public:
  // The scale sets the size of the glyphs in device pixels per point.
  Layout(const std::string& text, const TextAttributes& attributes, double scale = 1.0)
      : m_layout(pango_layout_new(SharedContext())), m_empty(text.empty()) {
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(
        font, attributes.family.empty() ? "Helvetica" : attributes.family.c_str());
    // A size of 0 or less asks for the toolkit's default size, as a font request did.
    float size = std::isfinite(attributes.size) && attributes.size > 0.0f
                     ? std::min(attributes.size, 4096.0f)
                     : 12.0f;
    pango_font_description_set_absolute_size(font, size * scale * PANGO_SCALE);
    pango_layout_set_font_description(m_layout, font);
    pango_font_description_free(font);
    pango_layout_set_single_paragraph_mode(m_layout, TRUE);
    std::string utf8 = ToUtf8(text);
    pango_layout_set_text(m_layout, utf8.data(), static_cast<int>(utf8.size()));
    pango_layout_get_extents(m_layout, &m_ink, &m_logical);
  }
  ~Layout() { g_object_unref(m_layout); }
  Layout(const Layout&) = delete;
  Layout& operator=(const Layout&) = delete;

  // The text's logical extent on one line; an empty text takes no room at all.
  StringTexture::Size Extent() const {
    if (m_empty) return {};
    return {static_cast<float>(m_logical.width) / PANGO_SCALE,
            static_cast<float>(m_logical.height) / PANGO_SCALE};
  }

  // Where the layout's own origin goes for the lower left corner of its extent to lie at
  // (left, bottom), y downward; whole pixels, so that glyphs are not smeared across two.
  StringTexture::Point Origin(double left, double bottom) const {
    double x = left - static_cast<double>(m_logical.x) / PANGO_SCALE;
    double y = bottom - static_cast<double>(m_logical.y + m_logical.height) / PANGO_SCALE;
    return {static_cast<float>(std::round(x)), static_cast<float>(std::round(y))};
  }

  // The ink's centre from the layout's origin; false when nothing is inked.
  bool InkCentre(StringTexture::Point& centre) const {
    if (m_empty || m_ink.width <= 0 || m_ink.height <= 0) return false;
    centre.x = static_cast<float>(m_ink.x + m_ink.width / 2.0) / PANGO_SCALE;
    centre.y = static_cast<float>(m_ink.y + m_ink.height / 2.0) / PANGO_SCALE;
    return true;
  }

  void Draw(cairo_t* cr, StringTexture::Point origin) const {
    cairo_move_to(cr, origin.x, origin.y);
    pango_cairo_show_layout(cr, m_layout);
  }

 private:
  PangoLayout* m_layout;
  bool m_empty;
  PangoRectangle m_ink{};
  PangoRectangle m_logical{};
};

int ImageExtent(float size, int limit) {
  if (!(size > 0.0f)) return 0;
  return static_cast<int>(std::min(std::ceil(static_cast<double>(size)), double(limit)));
}

void SetSource(cairo_t* cr, RGBAColor c) {
  cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
}

}  // namespace

StringTexture::StringTexture(const char* text, const TextAttributes& attributes,
                             RGBAColor textColor, RGBAColor boxColor, RGBAColor borderColor)
    : m_text(text ? text : ""),
      m_attributes(attributes),
      m_textColor(textColor),
      m_boxColor(boxColor),
      m_borderColor(borderColor) {}

StringTexture::StringTexture(const char* text, const TextAttributes& attributes)
    : StringTexture(text, attributes, {1.0f, 1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 0.0f},
                    {1.0f, 1.0f, 1.0f, 0.0f}) {}

StringTexture::~StringTexture() {
  DeleteTexture();
}

void StringTexture::SetString(const char* text, const TextAttributes& attributes) {
  DeleteTexture();
  m_inkMeasured = false;
  m_text = text ? text : "";
  m_attributes = attributes;
  if (!m_staticFrame) m_frameSize = {};
}

void StringTexture::SetTextColor(RGBAColor color) {
  DeleteTexture();
  m_textColor = color;
}

void StringTexture::SetBoxColor(RGBAColor color) {
  DeleteTexture();
  m_boxColor = color;
}

void StringTexture::SetBorderColor(RGBAColor color) {
  DeleteTexture();
  m_borderColor = color;
}

void StringTexture::SetMargins(Size margins) {
  DeleteTexture();
  m_inkMeasured = false;
  m_marginSize = margins;
  if (!m_staticFrame) m_frameSize = {};
}

void StringTexture::UseStaticFrame(Size frame) {
  DeleteTexture();
  m_inkMeasured = false;
  m_frameSize = frame;
  m_staticFrame = true;
}

void StringTexture::UseDynamicFrame() {
  if (!m_staticFrame) return;
  DeleteTexture();
  m_inkMeasured = false;
  m_staticFrame = false;
  m_frameSize = {};
}

StringTexture::Size StringTexture::FrameSize() {
  Measure();
  return m_frameSize;
}

void StringTexture::Measure() {
  if (m_staticFrame || m_frameSize.width != 0.0f || m_frameSize.height != 0.0f) return;
  Size text = Layout(m_text, m_attributes).Extent();
  // Whole pixels, so that the image, the texture and the quad all have the same size.
  m_frameSize.width = std::ceil(text.width + 2.0f * m_marginSize.width);
  m_frameSize.height = std::ceil(text.height + 2.0f * m_marginSize.height);
}

StringTexture::Point StringTexture::InkCentre() {
  if (m_inkMeasured) return m_inkCentre;
  Measure();
  const int height = static_cast<int>(std::ceil(std::max(m_frameSize.height, 0.0f)));
  Layout layout(m_text, m_attributes);
  Point origin = layout.Origin(m_marginSize.width, height - m_marginSize.height);
  Point ink;
  if (layout.InkCentre(ink))
    m_inkCentre = {origin.x + ink.x, origin.y + ink.y};
  else
    m_inkCentre = {m_frameSize.width / 2.0f, m_frameSize.height / 2.0f};
  m_inkMeasured = true;
  return m_inkCentre;
}

void StringTexture::GenTexture() {
  DeleteTexture();
  Measure();

  SDL_GLContext context = SDL_GL_GetCurrentContext();
  if (!context) {
    LogError("StringTexture -genTexture: Failure to get current OpenGL context\n");
    return;
  }

  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_RECTANGLE_TEXTURE_SIZE, &maxSize);
  if (maxSize <= 0) maxSize = 2048;
  const int limit = std::min(static_cast<int>(maxSize), 32767);
  // Rasterised for the device's pixels, so that a zoomed book shows sharp glyphs, not
  // stretched ones; drawn over the frame's size in book pixels.
  const double scale = bookscale::Scale();
  const int width = ImageExtent(static_cast<float>(m_frameSize.width * scale), limit);
  const int height = ImageExtent(static_cast<float>(m_frameSize.height * scale), limit);

  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(image);
  if (m_boxColor.alpha != 0.0f) {
    SetSource(cr, m_boxColor);
    cairo_paint(cr);
  }
  if (m_borderColor.alpha != 0.0f) {
    // A line 1.5 pixels wide along the inside of the image's edge.
    const double line = 1.5 * scale;
    SetSource(cr, m_borderColor);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, 0, 0, width, height);
    if (width > 2 * line && height > 2 * line)
      cairo_rectangle(cr, line, line, width - 2 * line, height - 2 * line);
    cairo_fill(cr);
  }
  // The glyphs take the foreground colour of the text's attributes; the text colour is kept
  // only as the object's state.
  SetSource(cr, m_attributes.foreground);
  Layout layout(m_text, m_attributes, scale);
  layout.Draw(cr, layout.Origin(m_marginSize.width * scale, height - m_marginSize.height * scale));
  cairo_destroy(cr);
  cairo_surface_flush(image);

  if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
    m_glContext = context;
    m_texScale = scale;
    m_texPixels = {static_cast<float>(width), static_cast<float>(height)};
    m_texSize = {static_cast<float>(width / scale), static_cast<float>(height / scale)};
    glGenTextures(1, &m_texName);
    glBindTexture(GL_TEXTURE_RECTANGLE, m_texName);
    // Every texel lands on one pixel; nearest sampling keeps the text crisp even when a page
    // slides by a fraction of a pixel.
    glTexParameteri(GL_TEXTURE_RECTANGLE, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_RECTANGLE, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_RECTANGLE, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_RECTANGLE, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, cairo_image_surface_get_stride(image) / 4);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    // Cairo's pixels are premultiplied native-endian A R G B words.
    glTexImage2D(GL_TEXTURE_RECTANGLE, 0, GL_RGBA8, width, height, 0, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, cairo_image_surface_get_data(image));
    glPopClientAttrib();
    glDebugStr();
  }
  cairo_surface_destroy(image);
}

void StringTexture::DrawWithBounds(float x, float y, float width, float height) {
  DropIfStale();
  if (!m_texName) GenTexture();
  if (!m_texName) return;
  glBindTexture(GL_TEXTURE_RECTANGLE, m_texName);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(x, y);
  glTexCoord2f(0.0f, m_texPixels.height);
  glVertex2f(x, y + height);
  glTexCoord2f(m_texPixels.width, m_texPixels.height);
  glVertex2f(x + width, y + height);
  glTexCoord2f(m_texPixels.width, 0.0f);
  glVertex2f(x + width, y);
  glEnd();
}

// A texture name means something only in the context that made it, and an image made for
// another zoom would be stretched.
void StringTexture::DropIfStale() {
  if (m_texName && (SDL_GL_GetCurrentContext() != m_glContext || m_texScale != bookscale::Scale()))
    DeleteTexture();
}

void StringTexture::DrawAtPoint(float x, float y) {
  DropIfStale();
  if (!m_texName) GenTexture();
  if (m_texName) DrawWithBounds(x, y, m_texSize.width, m_texSize.height);
}

void StringTexture::DeleteTexture() {
  if (!m_texName) return;
  // Deleting the name in any other context would delete some other texture there; a context
  // that is gone has taken its textures with it.
  if (SDL_GL_GetCurrentContext() == m_glContext) glDeleteTextures(1, &m_texName);
  m_texName = 0;
  m_glContext = nullptr;
}
