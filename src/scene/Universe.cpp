// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/Universe.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "core/GLError.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "platform/BookScale.h"
#include "platform/GameSound.h"
#include "platform/ImageFile.h"
#include "puzzle/PageBoard.h"
#include "scene/PageCredits.h"
#include "scene/PageGameMenu.h"
#include "scene/PageInstructions.h"
#include "scene/PageOptions.h"
#include "scene/PageScores.h"
#include "scene/PageTitle.h"
#include "ui/Overlay.h"

namespace {

// Whether a page moved at the end of this tick and of the one before; a turn has ended in the
// first tick in which no page moves.
bool fNoneAreMoving = true;
bool fNoneWereMoving = true;

}  // namespace

void Universe::CalcPagePosWhenVisible(TQ3Vector3D& pos, int width, int height, int page) {
  pos.x = static_cast<float>((width - QLMPage::m_kdWidth) * 0.5 + (page - 3.5) * 4.0);
  pos.y = static_cast<float>((height - QLMPage::m_kdHeight) * 0.5 + (page - 3.5) * 4.0);
  pos.z = 0.0f;
}

// The first frame shows the title page alone, and the pages' edges beneath it.
void Universe::PreloadPageImages() {
  PreloadImages({"TitlePage.png"});
}

void Universe::PreloadHiddenPageImages() {
  std::vector<std::string> names;
  if (QLMPage::AwaitsPaper()) names.push_back("Paper.png");
  for (QLMPage* page : m_apPage)
    if (page->AwaitsImage()) names.push_back(page->ImageName());
  PreloadImages(names);
  m_fImagesRequested = true;
}

Universe::Universe(Dict* pDict)
    : m_povFPS(nullptr),
      m_fltFrameRate(0.0f),
      m_fPaused(false),
      m_psndPageTurn(nullptr),
      m_psndPageTurnBack(nullptr),
      m_fltFogStart(0.0f),
      m_fltFogEndLow(0.0f),
      m_fltFogEndHigh(0.0f),
      m_pageCurrent(kPageTitle),
      m_pagePrevious(-1),
      m_apPage{} {
  TQ3Vector3D pos[kNumPages];
  for (int i = 0; i < kNumPages; ++i) CalcPagePosWhenVisible(pos[i], 580, 580, i);
  m_apPage[kPageTitle] = new PageTitle(pos[kPageTitle]);
  m_apPage[kPageGameMenu] = new PageGameMenu(pos[kPageGameMenu]);
  m_apPage[kPageBoard] = new PageBoard(pos[kPageBoard], pDict);
  m_apPage[kPageScores] = new PageScores(pos[kPageScores]);
  m_apPage[kPageOptions] = new PageOptions(pos[kPageOptions]);
  m_apPage[kPageInstructions] = new PageInstructions(pos[kPageInstructions]);
  m_apPage[kPageCredits] = new PageCredits(pos[kPageCredits]);
  m_apPage[kPageTitle]->BecomeForemost();
  m_apPage[kPageTitle]->TakeImage(true);
  if (QLMPage::AwaitsPaper()) QLMPage::m_texidStandIn = m_apPage[kPageTitle]->TexID();

  m_fltFogStart = GameSettings::GetFloatParam("FogStart");
  m_fltFogEndLow = GameSettings::GetFloatParam("FogEndLow");
  m_fltFogEndHigh = GameSettings::GetFloatParam("FogEndHigh");

  if (GameSettings::GetFloatParam("_ShowFPS") != 0.0f) {
    char fontName[64];
    GameSettings::GetStringParam("_FPSFontName", fontName, sizeof(fontName));
    m_povFPS = new Overlay(30, 30, GameSettings::GetIntParam("_FPSFontSize"), fontName);
    // The read-out lies on the black around the book: black glyphs need a light box there.
    m_povFPS->SetBgColor(1.0f, 1.0f, 0.9f, 0.85f);
  }
  m_fPaused = false;
  m_psndPageTurn = new GameSound("PageTurn.AIFF");
  // Pages that come back slide in at a steady speed, quicker than pages leaving accelerate away:
  // the sound follows what the player sees.
  m_psndPageTurnBack = new GameSound("PageTurnBack.AIFF");
  LogString("Universe initialized.\n");
}

Universe::~Universe() {
  delete m_povFPS;
  delete m_psndPageTurn;
  delete m_psndPageTurnBack;
  for (QLMPage*& page : m_apPage) {
    delete page;
    page = nullptr;
  }
  DropPreloadedImages();
}

void Universe::Tick(double dt) {
  if (!m_fPaused) {
    if (m_fImagesRequested) {
      QLMPage::TakePaper(false);
      for (QLMPage* page : m_apPage) page->TakeImage(false);
    }
    fNoneAreMoving = true;
    for (int i = kNumPages - 1; i >= 0; --i) {
      m_apPage[i]->Tick(dt);
      if (m_apPage[i]->IsMoving()) fNoneAreMoving = false;
    }
    if (fNoneAreMoving && !fNoneWereMoving) {
      for (int i = kNumPages - 1; i >= 0; --i) m_apPage[i]->PageTurnCompleted(i != m_pageCurrent);
    }
    fNoneWereMoving = fNoneAreMoving;
  }
  m_fltFrameRate = static_cast<float>(1.0 / dt);
}

void Universe::Resize(int width, int height) {
  for (int i = kNumPages - 1; i >= 0; --i) {
    TQ3Vector3D pos;
    CalcPagePosWhenVisible(pos, width, height, i);
    QLMPage* page = m_apPage[i];
    if (i < m_pageCurrent)
      page->SetRestorePos(pos);
    else if (page->IsMoving())
      page->SetMoveDest(pos);
    else
      page->SetPos(pos.x, pos.y, pos.z);
  }
}

void Universe::Render(int width, int height) {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glViewport(0, 0, bookscale::ToDevice(width), bookscale::ToDevice(height));
  glRenderMode(GL_RENDER);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<float>(width) / static_cast<float>(height), 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);

  Overlay::RenderSetup(width, height);
  bool eitherMoving = m_apPage[m_pageCurrent]->IsMoving() ||
                      (m_pagePrevious >= 0 && m_apPage[m_pagePrevious]->IsMoving());
  for (int i = kNumPages - 1; i >= 0; --i) {
    m_apPage[i]->Render(width, height);
    if (i == m_pageCurrent || (i == m_pagePrevious && eitherMoving))
      m_apPage[i]->RenderContents(width, height);
  }
  Overlay::RenderUnsetup();
  glDebugStr();

  if (m_povFPS) {
    m_povFPS->SetString(m_fltFrameRate);
    m_povFPS->Render(width, height);
  }
  glDebugStr();
}

bool Universe::IsAnimating() const {
  if (m_povFPS) return true;  // the read-out changes with every frame
  if (m_fPaused) return false;
  // A turn that has just come to rest is reported complete in the next tick.
  if (!fNoneWereMoving) return true;
  for (QLMPage* page : m_apPage)
    if (page->IsAnimating() || (m_fImagesRequested && page->AwaitsImage())) return true;
  if (m_fImagesRequested && QLMPage::AwaitsPaper()) return true;
  return false;
}

void Universe::ReplacePage(PageID id, QLMPage* page) {
  if (id < 0 || id >= kNumPages || !page) return;
  delete m_apPage[id];
  m_apPage[id] = page;
}

void Universe::Pause() {
  m_fPaused = true;
  m_apPage[m_pageCurrent]->Pause();
}

void Universe::Unpause() {
  m_fPaused = false;
  m_apPage[m_pageCurrent]->Unpause();
}

void Universe::HandleEvent(const GameEvent* event) {
  m_apPage[m_pageCurrent]->HandleEvent(event);
}

void Universe::TurnToPage(PageID page) {
  if (page < 0 || page >= kNumPages) return;
  (page < m_pageCurrent ? m_psndPageTurnBack : m_psndPageTurn)->Play();
  // Every page a turn uncovers or slides away shows its own image, or the paper.
  QLMPage::TakePaper(true);
  for (QLMPage* p : m_apPage) p->TakeImage(true);
  for (int i = kNumPages - 1; i >= 0; --i) {
    if (i < page)
      m_apPage[i]->Deactivate();
    else
      m_apPage[i]->Activate();
  }
  m_apPage[m_pageCurrent]->LeaveForemost();
  m_apPage[page]->BecomeForemost();
  // A turn that is over within its first tick is still reported complete.
  fNoneWereMoving = false;
  m_pagePrevious = m_pageCurrent;
  m_pageCurrent = page;
}

void Universe::Signal(GameSignalID signal) {
  m_apPage[m_pageCurrent]->Signal(signal);
}

void Universe::RandomizeBoard() {
  static_cast<PageBoard*>(m_apPage[kPageBoard])->RandomizeBoard();
}

void Universe::SetTimerMode(bool fTimerMode) {
  static_cast<PageBoard*>(m_apPage[kPageBoard])->SetTimerMode(fTimerMode);
}
