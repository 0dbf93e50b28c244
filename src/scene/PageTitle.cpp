// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/PageTitle.h"

#include "ui/MenuNavigation.h"
#include "ui/Overlay.h"

PageTitle::PageTitle(const TQ3Vector3D& pos)
    : PageWithMenu(pos, new MenuMain(), "TitlePage.png"), m_pOverlayVersion(nullptr) {
  m_pOverlayVersion = new Overlay(20, 10, 10, "Helvetica");
  m_pOverlayVersion->SetString("Version " QM_VERSION);
}

PageTitle::~PageTitle() {
  delete m_pOverlayVersion;
}

void PageTitle::RenderOnPage() {
  m_pOverlayVersion->RenderString();
}
