// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/GLContext.h"

#include <GL/gl.h>
#include <SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

int CollectDriver(struct dl_phdr_info* info, size_t, void* names) {
  const char* name = info->dlpi_name;
  if (name && (strstr(name, "_dri.so") || strstr(name, "libgallium") || strstr(name, "libGLX_")))
    static_cast<std::vector<std::string>*>(names)->push_back(name);
  return 0;
}

// Mesa's driver is unloaded when the display closes; what it keeps for the life of the process
// would then be reported as a leak of an unknown module, which the sanitizer's suppressions of
// system libraries cannot name. Kept loaded, it stays named.
void KeepDriverLoaded() {
  std::vector<std::string> names;
  dl_iterate_phdr(CollectDriver, &names);
  for (const std::string& name : names)
    dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}

}  // namespace

GLContext::GLContext(int width, int height) : m_width(width), m_height(height) {
  // SDL would fall back silently to a driver that draws nowhere when no X server answers.
  setenv("SDL_VIDEODRIVER", "x11", 0);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    const char* display = getenv("DISPLAY");
    throw std::runtime_error(std::string("GLContext: no X display for SDL (DISPLAY=") +
                             (display ? display : "unset") + "): " + SDL_GetError() +
                             "; run the tests under Xvfb (scripts/run-tests)");
  }
  SDL_GL_ResetAttributes();
  for (auto [attribute, value] :
       {std::pair{SDL_GL_CONTEXT_MAJOR_VERSION, 2},
        {SDL_GL_CONTEXT_MINOR_VERSION, 1},
        {SDL_GL_CONTEXT_PROFILE_MASK, int(SDL_GL_CONTEXT_PROFILE_COMPATIBILITY)},
        {SDL_GL_RED_SIZE, 8},
        {SDL_GL_GREEN_SIZE, 8},
        {SDL_GL_BLUE_SIZE, 8},
        {SDL_GL_ALPHA_SIZE, 8},
        {SDL_GL_DEPTH_SIZE, 24},
        {SDL_GL_DOUBLEBUFFER, 1}})
    SDL_GL_SetAttribute(attribute, value);
  m_window = SDL_CreateWindow("quillmere test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                              width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (m_window) m_context = SDL_GL_CreateContext(m_window);
  if (!m_window || !m_context) {
    std::string error = SDL_GetError();
    if (m_window) SDL_DestroyWindow(m_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    throw std::runtime_error("GLContext: cannot create a GL window: " + error);
  }
  SDL_GL_MakeCurrent(m_window, m_context);
  glViewport(0, 0, width, height);
  KeepDriverLoaded();
}

GLContext::~GLContext() {
  SDL_GL_MakeCurrent(m_window, nullptr);
  SDL_GL_DeleteContext(m_context);
  SDL_DestroyWindow(m_window);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void GLContext::MakeCurrent() {
  SDL_GL_MakeCurrent(m_window, m_context);
}

void GLContext::ReleaseCurrent() {
  SDL_GL_MakeCurrent(m_window, nullptr);
}

void GLContext::Clear(float r, float g, float b, float a) {
  glClearColor(r, g, b, a);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

PixelImage GLContext::ReadPixels() const {
  std::vector<PixelImage::Pixel> bottomUp(static_cast<size_t>(m_width) * m_height);
  glFinish();
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  glPopClientAttrib();
  PixelImage image{m_width, m_height, {}};
  for (int y = m_height - 1; y >= 0; --y)
    image.pixels.insert(image.pixels.end(), bottomUp.begin() + ptrdiff_t(y) * m_width,
                        bottomUp.begin() + ptrdiff_t(y + 1) * m_width);
  return image;
}
