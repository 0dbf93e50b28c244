// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Game.h"

#include <GL/gl.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "core/GameEvent.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "platform/GameSound.h"
#include "platform/ImageFile.h"
#include "puzzle/Dict.h"
#include "scene/Universe.h"
#include "ui/Menu.h"

Game* Game::pGame = nullptr;

namespace {

// Runs on the loading thread once the list is in, so that its log line also comes in a run
// that plays no word.
void SelfTest(const Dict& dict) {
  const bool passed = dict.IsValid("catacombs") && dict.IsValid("plucky") &&
                      dict.IsValid("reviewer") && !dict.IsValid("bampf") &&
                      !dict.IsValid("chjrowr") && !dict.IsValid("llambbast");
  if (!passed) LogError("Dictionary is not functioning correctly- test cases failed.\n");
}

}  // namespace

void Game::Preload() {
  Universe::PreloadPageImages();
  GameSettings::Initialize();
}

void Game::EndPreload() {
  DropPreloadedImages();
  if (pGame && pGame->m_pDict) pGame->m_pDict->WaitUntilLoaded();
}

void Game::Init(int width, int height) {
  pGame = new Game(width, height);
}

Game::Game(int, int)
    : m_pUniverse(nullptr),
      m_pDict(nullptr),
      m_dTimeElapsed(0.0),
      m_psndFanfare(nullptr),
      m_psndStarter(nullptr),
      m_psndControls(nullptr),
      m_psndHiScore(nullptr),
      m_chPauseKey(27),
      m_iLastWidth(0),
      m_iLastHeight(0) {
  InitDict();
  srand(static_cast<unsigned>(time(nullptr)));

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glShadeModel(GL_SMOOTH);
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
  const GLfloat ambient[] = {0.1f, 0.1f, 0.1f, 1.0f};
  const GLfloat diffuse[] = {0.5f, 0.5f, 0.5f, 1.0f};
  const GLfloat specular[] = {0.6f, 0.6f, 0.6f, 1.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glFrontFace(GL_CCW);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glStencilMask(0);

  GLint alphaBits = 0, stencilBits = 0, depthBits = 0;
  glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
  glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  char line[96];
  snprintf(line, sizeof(line), "Alpha bits  = %d, Stencil bits = %d, Depth bits = %d", alphaBits,
           stencilBits, depthBits);
  LogString(line);

  m_timeLastTick = std::chrono::steady_clock::now();
  m_dTimeElapsed = 0.0;

  m_psndFanfare = new GameSound("Fanfare.AIFF");
  m_psndControls = new GameSound("Controls.AIFF");
  m_psndStarter = new GameSound("Starter.AIFF");
  m_psndHiScore = new GameSound("HiScore.AIFF");

  m_pUniverse = new Universe(GetDict());
  m_chPauseKey = GameSettings::GetUniCharParam("KeyDefaultPause");
}

// The game lives until the process ends; tests and tools that end it early get everything back.
Game::~Game() {
  delete m_pUniverse;
  Menu::ClearCurrent();
  delete m_psndFanfare;
  delete m_psndControls;
  delete m_psndStarter;
  delete m_psndHiScore;
  delete m_pDict;
}

// The first frame does not wait for the word list: it starts loading once that frame is shown
// (and read while the window opened, it took a core that the window's start needed), and the
// first lookup waits for it if it has to.
void Game::InitDict() {
  char name[256];
  GameSettings::GetStringParam("_DictPath", name, sizeof(name));
  m_pDict = new Dict(name, SelfTest, Dict::Load::kOnStart);
}

void Game::FirstFrameShown() {
  m_pDict->StartLoading();
  m_pUniverse->PreloadHiddenPageImages();
}

int Game::DurationCount(std::chrono::steady_clock::duration interval) {
  using namespace std::chrono;
  long long micros = duration_cast<microseconds>(interval).count();
  if (micros < 0) micros = 0;  // a monotonic clock never runs back
  if (micros < 2147LL * 1000000LL) return static_cast<int>(-micros);
  long long millis = micros / 1000;
  return millis > INT_MAX ? INT_MAX : static_cast<int>(millis);
}

double Game::DurationToSeconds(int count) {
  float value = static_cast<float>(count);
  if (count < 0) return static_cast<double>(value) / -1000000.0;
  return static_cast<double>(value) / 1000.0;
}

void Game::Tick() {
  auto now = std::chrono::steady_clock::now();
  m_dTimeElapsed = DurationToSeconds(DurationCount(now - m_timeLastTick));
  m_timeLastTick = now;
  if (m_pUniverse) m_pUniverse->Tick(m_dTimeElapsed);
}

bool Game::IsAnimating() const {
  return m_pUniverse && m_pUniverse->IsAnimating();
}

void Game::ResumeAfterRest() {
  const double interval = m_dTimeElapsed > 0.0 ? m_dTimeElapsed : 1.0 / 60.0;
  m_timeLastTick = std::chrono::steady_clock::now() -
                   std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                       std::chrono::duration<double>(std::min(interval, 0.1)));
}

void Game::Render(int width, int height) {
  if (width != m_iLastWidth || height != m_iLastHeight) {
    if (m_pUniverse) m_pUniverse->Resize(width, height);
  }
  m_iLastWidth = width;
  m_iLastHeight = height;
  if (m_pUniverse) m_pUniverse->Render(width, height);
}

void Game::Pause() {
  if (m_pUniverse) m_pUniverse->Pause();
}

void Game::Unpause() {
  if (m_pUniverse) m_pUniverse->Unpause();
}

void Game::HandleEvent(const GameEvent* event) {
  if (event->IsKey('d')) EnableLogging();
  if (event->IsKey(m_chPauseKey)) {
    if (m_pUniverse) m_pUniverse->Signal(kSignalTogglePause);
    return;
  }
  if (m_pUniverse) m_pUniverse->HandleEvent(event);
}
