// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/GameView.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <cairo.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "core/Game.h"
#include "core/GameEvent.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "platform/BookScale.h"
#include "platform/GameEventSDL.h"
#include "platform/GameSound.h"
#include "platform/Resources.h"

namespace {

const int kDefaultSize = 640;
const int kMinimumSize = 560;
const int kRestTimeoutMs = 1000;
constexpr int kLargeBlockBytes = 256 * 1024;

// From the first frame on, large blocks (a page image being decoded, its file, its mipmaps) are
// mapped for themselves and handed back to the system when freed, and what the start left free
// in the heaps goes back now. By default the allocator raises its threshold to the largest block
// freed so far, and the heaps of the threads that decoded the first images kept some 20 MiB for
// nothing. Not before the first frame: mapping each of its blocks afresh made it come later.
void HandBackLargeBlocks() {
  mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
  malloc_trim(0);
}

void LogSDLError(const char* what) {
  char line[512];
  snprintf(line, sizeof(line), "%s: %s", what, SDL_GetError());
  LogError(line);
}

// SDL quietly falls back to a driver that shows nothing when no display can be reached; a
// player would then wait for a window that never appears.
bool IsInvisibleDriver() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver) return true;
  if (strcmp(driver, "offscreen") != 0 && strcmp(driver, "dummy") != 0) return false;
  const char* asked = getenv("SDL_VIDEODRIVER");
  return !(asked && strcmp(asked, driver) == 0);
}

// The desktop's scale that GDK_SCALE asks for, as GTK reads it; 0 when it asks for none.
int GdkScale() {
  const char* gdk = getenv("GDK_SCALE");
  return gdk && atoi(gdk) > 0 ? std::min(atoi(gdk), 4) : 0;
}

// The desktop's scale on X11, where SDL's window and drawable sizes agree: GDK_SCALE, else the
// Xft.dpi resource against the ordinary 96 dots per inch, read through SDL's own connection to
// the display once the window exists (a second connection of its own cost 2 ms of the start).
double X11DesktopScale(SDL_Window* window) {
  if (GdkScale() > 0) return GdkScale();
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 1.0;
  const char* dpi = XGetDefault(info.info.x11.display, "Xft", "dpi");
  const double value = dpi ? atof(dpi) : 0.0;
  return value >= 96.0 ? std::min(value / 96.0, 4.0) : 1.0;
}

int StoredZoom() {
  int zoom = GameSettings::GetIntParam("Zoom");
  return zoom > 0 ? zoom : bookscale::kDefaultZoom;
}

// The window's icon for the task bar and the window list: the same picture as the desktop
// entry's. Cairo holds premultiplied colours; SDL wants them straight.
void SetWindowIcon(SDL_Window* window) {
  std::string path = ResourcePath("Icons", "quillmere.png");
  if (path.empty()) return;
  cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
    cairo_surface_flush(image);
    int width = cairo_image_surface_get_width(image);
    int height = cairo_image_surface_get_height(image);
    int stride = cairo_image_surface_get_stride(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    for (int y = 0; y < height; ++y) {
      auto* row = reinterpret_cast<Uint32*>(data + static_cast<ptrdiff_t>(y) * stride);
      for (int x = 0; x < width; ++x) {
        Uint32 p = row[x];
        Uint32 a = p >> 24;
        if (a == 0 || a == 255) continue;
        auto straight = [&](int shift) { return (((p >> shift) & 0xFF) * 255 + a / 2) / a; };
        row[x] = (a << 24) | (straight(16) << 16) | (straight(8) << 8) | straight(0);
      }
    }
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(data, width, height, 32, stride,
                                                           SDL_PIXELFORMAT_ARGB8888);
    if (icon) {
      SDL_SetWindowIcon(window, icon);
      SDL_FreeSurface(icon);
    }
  }
  cairo_surface_destroy(image);
}

}  // namespace

struct GameView::Impl {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  bool fStarted = false;
  bool fFullScreenOn = false;
  int windowedWidth = 0;
  int windowedHeight = 0;
  bool fQuit = false;
  // Where the driver refuses a swap interval, the loop itself waits for the display's rate.
  bool fSelfPaced = false;
  double dFramePeriod = 0.001;
  // Device pixels per window coordinate (above 1 where the desktop scales windows itself, as
  // Wayland does) and the desktop's scale that 100% zoom stands for.
  double pixelRatio = 1.0;
  double desktopScale = 1.0;
  std::function<void()> frameHook;
  std::chrono::steady_clock::time_point firstPresented;

  // The video subsystem stays up until the process ends: shutting it down unloads the GL
  // driver, whose own bookkeeping would then show up as leaks of an unknown module.
  ~Impl() {
    if (context) SDL_GL_DeleteContext(context);
    if (window) SDL_DestroyWindow(window);
  }

  bool OpenDisplay() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && !IsInvisibleDriver()) return true;
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_SetError("no display to show the window on");
    LogSDLError("Unable to open the game window");
    LogError("Invalid format... terminating.");
    return false;
  }

  bool CreateWindow() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    desktopScale = GdkScale() > 0 ? GdkScale() : 1.0;
    const double assumedScale = desktopScale;
    const int size = WindowSize();
    for (int depth : {32, 24}) {
      SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depth);
      window = SDL_CreateWindow("Quillmere", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size,
                                size, flags);
      if (window) break;
    }
    if (!window) {
      LogSDLError("Unable to create the game window");
      LogError("Invalid format... terminating.");
      return false;
    }
    // Xft.dpi is known once the window gives SDL's connection: on such a scaled desktop the
    // window, already shown, grows before anything is drawn (a window resized before it is
    // first shown may keep its first size where no window manager looks after it).
    desktopScale = X11DesktopScale(window);
    if (const int scaled = desktopScale != assumedScale ? WindowSize() : size; scaled != size) {
      SDL_SetWindowSize(window, scaled, scaled);
      SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    MeasureDesktopScale();
    const int minimum = WindowCoord(kMinimumSize * desktopScale);
    SDL_SetWindowMinimumSize(window, minimum, minimum);
    return true;
  }

  bool CreateContext() {
    context = SDL_GL_CreateContext(window);
    if (!context) {
      LogSDLError("Unable to create the OpenGL context");
      LogError("Self not created... terminating.");
      return false;
    }
    SDL_GL_MakeCurrent(window, context);
    LogString("Set current context...");
    return true;
  }

  // The window's side at the stored zoom and the desktop's scale, in window coordinates (on X11
  // device pixels, so the desktop's scale is in it; where the desktop scales windows itself, as
  // Wayland does, it is not), within the usable screen.
  int WindowSize() const {
    int size = static_cast<int>(std::lround(kDefaultSize * desktopScale * StoredZoom() / 100.0));
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0)
      size = std::max(std::min({size, usable.w, usable.h}), kDefaultSize);
    return size;
  }

  void DrawableSize(int& width, int& height) const {
    SDL_GL_GetDrawableSize(window, &width, &height);
  }

  void MeasureDesktopScale() {
    int windowWidth = 0, drawableWidth = 0;
    SDL_GetWindowSize(window, &windowWidth, nullptr);
    SDL_GL_GetDrawableSize(window, &drawableWidth, nullptr);
    pixelRatio = windowWidth > 0 && drawableWidth > windowWidth
                     ? static_cast<double>(drawableWidth) / windowWidth
                     : 1.0;
    if (pixelRatio > 1.0) desktopScale = pixelRatio;
  }

  int WindowCoord(double devicePixels) const {
    return static_cast<int>(std::lround(devicePixels / pixelRatio));
  }

  // A window smaller than the default size at this zoom grows to it, as far as the screen
  // allows; a larger one keeps its size.
  void FitWindowToZoom(int zoom) {
    if (fFullScreenOn) return;
    SDL_Rect usable{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window), &usable) != 0) return;
    const int wanted = WindowCoord(kDefaultSize * desktopScale * zoom / 100.0);
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    const int newWidth = std::max(width, std::min(wanted, usable.w));
    const int newHeight = std::max(height, std::min(wanted, usable.h));
    if (newWidth != width || newHeight != height) SDL_SetWindowSize(window, newWidth, newHeight);
  }

  // The zoom in use for the drawable's present size; the scale every frame and every pointer
  // position go through.
  void UpdateScale() {
    int width, height;
    DrawableSize(width, height);
    const int zoom = bookscale::ZoomInUse(StoredZoom(), width, height, desktopScale);
    bookscale::SetScale(zoom / 100.0 * desktopScale);
  }

  void BookSize(int& width, int& height) const {
    DrawableSize(width, height);
    width = static_cast<int>(width / bookscale::Scale());
    height = static_cast<int>(height / bookscale::Scale());
  }

  // Ctrl+Plus, Ctrl+Minus and Ctrl+0; the stored zoom goes no higher than the screen can hold.
  bool HandleZoomKey(const SDL_Keysym& key) {
    if (!(key.mod & KMOD_CTRL)) return false;
    int step;
    switch (key.sym) {
      case SDLK_PLUS:
      case SDLK_EQUALS:
      case SDLK_KP_PLUS:
        step = 1;
        break;
      case SDLK_MINUS:
      case SDLK_KP_MINUS:
        step = -1;
        break;
      case SDLK_0:
      case SDLK_KP_0:
        step = 0;
        break;
      default:
        return false;
    }
    SDL_Rect screen{0, 0, 0, 0};
    SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &screen);
    const int largest =
        bookscale::LargestZoom(static_cast<int>(screen.w * pixelRatio),
                               static_cast<int>(screen.h * pixelRatio), desktopScale);
    const int zoom = bookscale::SteppedZoom(StoredZoom(), step, largest);
    if (zoom != StoredZoom()) GameSettings::SetIntParam("Zoom", zoom);
    FitWindowToZoom(zoom);
    return true;
  }

  void Reshape() {
    int width, height;
    DrawableSize(width, height);
    float aspect = height > 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, aspect, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }

  void SetFullScreen(bool on) {
    if (on == fFullScreenOn) return;
    int width = 0, height = 0;
    if (on) SDL_GetWindowSize(window, &windowedWidth, &windowedHeight);
    if (SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
    if (on) {
      LogString("Window was created");
    } else if (windowedWidth > 0) {
      // Without a window manager SDL keeps the screen's size after leaving full screen, and the
      // book would be laid out for a window it no longer has.
      SDL_GetWindowSize(window, &width, &height);
      if (width != windowedWidth || height != windowedHeight)
        SDL_SetWindowSize(window, windowedWidth, windowedHeight);
    }
    fFullScreenOn = on;
  }

  void ToggleFullScreen() {
    LogString("-toggle fullscreen");
    bool wasOn = GameSettings::GetIntParam("Fullscreen") != 0;
    SetFullScreen(!wasOn);
    GameSettings::SetIntParam("Fullscreen", wasOn ? 0 : 1);
  }

  void ApplySwapInterval() {
    bool vsync = GameSettings::GetIntParam("VSync") != 0;
    bool accepted = SDL_GL_SetSwapInterval(vsync ? 1 : 0) == 0;
    fSelfPaced = vsync && !accepted;
    int refresh = 0;
    SDL_DisplayMode mode;
    if (SDL_GetWindowDisplayMode(window, &mode) == 0) refresh = mode.refresh_rate;
    if (refresh <= 0) refresh = 60;
    dFramePeriod = fSelfPaced ? 1.0 / refresh : 0.001;
  }

  void FirstFrame() {
    GameSettings::Initialize();
    ApplySwapInterval();
    SetFullScreen(GameSettings::GetIntParam("Fullscreen") != 0);
    LogString("self apparently made first responder");
    int width, height;
    UpdateScale();
    BookSize(width, height);
    GameSound::DeferLoading(true);
    Game::Init(width, height);
    fStarted = true;
  }

  void Frame() {
    const bool first = !fStarted;
    if (first) FirstFrame();
    int width, height;
    UpdateScale();
    BookSize(width, height);
    Game::pGame->Tick();
    Game::pGame->Render(width, height);
    SDL_GL_SwapWindow(window);
    if (first) {
      firstPresented = std::chrono::steady_clock::now();
      GameSound::DeferLoading(false);
      Game::pGame->FirstFrameShown();
      // For the task bar and the window list, which can wait a frame; the book cannot.
      SetWindowIcon(window);
      HandBackLargeBlocks();
    }
  }

  // Pointer positions reach the game in book pixels, through the same scale as the drawing.
  void Forward(const SDL_Event& event) {
    if (!Game::pGame) return;
    UpdateScale();
    const double perCoord = pixelRatio / bookscale::Scale();
    auto toBook = [perCoord](Sint32 coord) {
      return static_cast<Sint32>(std::floor(coord * perCoord));
    };
    SDL_Event inBook = event;
    if (event.type == SDL_MOUSEMOTION) {
      inBook.motion.x = toBook(event.motion.x);
      inBook.motion.y = toBook(event.motion.y);
      inBook.motion.xrel = toBook(event.motion.xrel);
      inBook.motion.yrel = toBook(event.motion.yrel);
    } else if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
      inBook.button.x = toBook(event.button.x);
      inBook.button.y = toBook(event.button.y);
    }
    int width, height;
    BookSize(width, height);
    GameEvent gameEvent(new GameEventSDL(inBook, height));
    Game::pGame->HandleEvent(&gameEvent);
  }

  void HandleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
      case SDL_WINDOWEVENT_CLOSE:
        fQuit = true;
        break;
      case SDL_WINDOWEVENT_SIZE_CHANGED:
        Reshape();
        break;
      case SDL_WINDOWEVENT_HIDDEN:
      case SDL_WINDOWEVENT_MINIMIZED:
      case SDL_WINDOWEVENT_FOCUS_LOST:
        if (Game::pGame) Game::pGame->Pause();
        break;
      case SDL_WINDOWEVENT_SHOWN:
      case SDL_WINDOWEVENT_RESTORED:
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (Game::pGame) Game::pGame->Unpause();
        break;
      default:
        break;
    }
  }

  void HandleEvent(const SDL_Event& event) {
    switch (event.type) {
      case SDL_QUIT:
        fQuit = true;
        break;
      case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window);
        break;
      case SDL_KEYDOWN:
        if (event.key.keysym.sym == SDLK_F11) {
          if (!event.key.repeat) ToggleFullScreen();
        } else if (!HandleZoomKey(event.key.keysym)) {
          Forward(event);
        }
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        // Only the left button plays; other buttons never reach the game.
        if (event.button.button == SDL_BUTTON_LEFT) Forward(event);
        break;
      case SDL_MOUSEMOTION:
      case SDL_MOUSEWHEEL:
        Forward(event);
        break;
      default:
        break;
    }
  }
};

GameView::GameView() : m_pImpl(std::make_unique<Impl>()) {}

GameView::~GameView() = default;

void GameView::RequestQuit() {
  SDL_Event quit;
  memset(&quit, 0, sizeof(quit));
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

void GameView::SetFrameHook(std::function<void()> hook) {
  m_pImpl->frameHook = std::move(hook);
}

std::chrono::steady_clock::time_point GameView::FirstFramePresented() const {
  return m_pImpl->firstPresented;
}

int GameView::Run() {
  Impl& view = *m_pImpl;
  // However Run ends, nothing Preload started still reads files when the exit handlers run.
  struct PreloadEnd {
    ~PreloadEnd() { Game::EndPreload(); }
  } preloadEnd;
  if (!view.OpenDisplay()) return 1;
  GameSettings::Initialize();  // the window's size is the stored zoom's
  if (!view.CreateWindow()) return 1;
  // The title page's image decodes while the GL driver starts and the book is made. Begun
  // before, the decoder slowed down what it overlapped by as much as it did: SDL's start (25 to
  // 33 ms instead of 11) or the window's, which loads the GL driver (first frame 4 to 10 ms
  // later, medians of 21 alternating runs).
  Game::Preload();
  if (!view.CreateContext()) return 1;
  view.Reshape();
  LogString("awakeFromNib");
  LogString("end awakeFromNib");

  using Clock = std::chrono::steady_clock;
  auto frameStart = Clock::now();
  while (!view.fQuit) {
    SDL_Event event;
    if (view.fStarted && !Game::pGame->IsAnimating()) {
      // The last frame is still the right picture: wait for input instead of drawing it again.
      // The timeout only bounds the wait; nothing is due when it ends.
      if (!SDL_WaitEventTimeout(&event, kRestTimeoutMs)) continue;
      Game::pGame->ResumeAfterRest();
      view.HandleEvent(event);
    }
    while (SDL_PollEvent(&event)) view.HandleEvent(event);
    if (view.fQuit) break;
    view.Frame();
    if (view.frameHook) view.frameHook();
    auto due = frameStart + std::chrono::duration_cast<Clock::duration>(
                                std::chrono::duration<double>(view.dFramePeriod));
    auto now = Clock::now();
    if (now < due) std::this_thread::sleep_until(due);
    // A late frame does not make the next one early.
    frameStart = std::max(due, now);
  }
  return 0;
}
