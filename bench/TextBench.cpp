// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing costs in a real GL context: one menu line made into a texture, and the paper page
// loaded into a texture.

#include <GL/gl.h>
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/ImageFile.h"
#include "platform/StringTexture.h"

namespace {

// A hidden window with a compatibility context, made once and current for the whole run, as the
// game's one context is.
class BenchContext {
 public:
  BenchContext() {
    setenv("SDL_VIDEODRIVER", "x11", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      m_error = std::string("no X display: ") + SDL_GetError();
      return;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    m_window =
        SDL_CreateWindow("quillmere bench", 0, 0, 640, 640, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (m_window) m_context = SDL_GL_CreateContext(m_window);
    if (m_context) SDL_GL_MakeCurrent(m_window, m_context);
    if (!m_context) m_error = std::string("no GL context: ") + SDL_GetError();
  }
  ~BenchContext() {
    if (m_context) SDL_GL_DeleteContext(m_context);
    if (m_window) SDL_DestroyWindow(m_window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  bool Ok() const { return m_context != nullptr; }
  const std::string& Error() const { return m_error; }

 private:
  SDL_Window* m_window = nullptr;
  SDL_GLContext m_context = nullptr;
  std::string m_error;
};

const BenchContext& SharedContext() {
  static BenchContext context;
  return context;
}

void BM_MenuLineTexture(benchmark::State& state) {
  const BenchContext& gl = SharedContext();
  if (!gl.Ok()) {
    state.SkipWithError(gl.Error().c_str());
    return;
  }
  const TextAttributes helvetica20{"Helvetica", 20.0f, {0.0f, 0.0f, 0.0f, 1.0f}};
  StringTexture line("Beat the Clock", helvetica20, {0.0f, 0.0f, 0.0f, 1.0f},
                     {1.0f, 1.0f, 0.6f, 0.6f}, {0.0f, 0.0f, 0.0f, 1.0f});
  line.GenTexture();  // fonts are opened once, when the first text is made
  for (auto _ : state) {
    // A text change discards the texture and the size, as a menu item's new text does.
    line.SetString("Beat the Clock", helvetica20);
    line.GenTexture();
    glFinish();
    benchmark::DoNotOptimize(line.TexName());
  }
}
BENCHMARK(BM_MenuLineTexture)->Unit(benchmark::kMicrosecond);

void BM_LoadPaperTexture(benchmark::State& state) {
  const BenchContext& gl = SharedContext();
  if (!gl.Ok()) {
    state.SkipWithError(gl.Error().c_str());
    return;
  }
  for (auto _ : state) {
    unsigned long texid = 1281;
    if (LoadImageAsTexture(&texid, "Paper.png") != 0) {
      state.SkipWithError("Paper.png did not load");
      break;
    }
    glFinish();
    state.PauseTiming();
    GLuint name = static_cast<GLuint>(texid);
    glDeleteTextures(1, &name);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadPaperTexture)->Unit(benchmark::kMillisecond);

}  // namespace
