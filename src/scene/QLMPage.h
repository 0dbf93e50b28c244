// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "scene/Body.h"
#include "scene/Universe.h"

class GameEvent;

// One page of the book: a 512 x 512 sheet whose body position is its top-left corner in window
// pixels. It draws the paper (or its own printed image) with a black outline, slides out to the
// left when the book turns past it and back when the book turns back, and receives the book's
// frames, ticks, events and signals through its virtual interface.
class QLMPage : public Body {
 public:
  static constexpr int m_kdWidth = 512;
  static constexpr int m_kdHeight = 512;
  // The marker of a texture that does not exist yet.
  static constexpr unsigned long m_kNoTexture = 1281;
  // The paper of every page without an image of its own, shared by the pages of a book.
  static unsigned long m_texidDefault;
  // Until the paper is loaded, the pages beneath the first one show that page's image: only
  // their edges show then, and a printed page's edges are the bare paper. Set by the book.
  static unsigned long m_texidStandIn;

  explicit QLMPage(const TQ3Vector3D& pos);
  ~QLMPage() override;
  // A page owns its menus, overlays and sounds by plain pointer.
  QLMPage(const QLMPage&) = delete;
  QLMPage& operator=(const QLMPage&) = delete;

  virtual void Render(int width, int height);
  virtual void RenderContents(int width, int height);
  virtual void Activate();
  virtual void Deactivate();
  virtual void BecomeForemost();
  virtual void LeaveForemost();
  virtual void PageTurnCompleted(bool fNotForemost);
  virtual void HandleEvent(const GameEvent* event);
  virtual void Signal(GameSignalID signal);
  virtual void Tick(double dt);
  virtual void Pause();
  virtual void Unpause();
  // Whether the page would look different in the next frame without any input: it glides, or
  // something on it moves or counts down.
  virtual bool IsAnimating() const { return IsMoving(); }

  // Takes the page's own image once it is decoded, or with fWait at once, decoding it here if
  // need be. Until then the page shows the paper (or its stand-in).
  void TakeImage(bool fWait);
  bool AwaitsImage() const { return !m_strImage.empty(); }
  unsigned long TexID() const { return m_texid; }
  // Loads the paper once it is decoded, or with fWait at once; a page drawn with neither the
  // paper nor a stand-in loads it itself.
  static void TakePaper(bool fWait);
  static bool AwaitsPaper() { return m_texidDefault == m_kNoTexture; }
  const std::string& ImageName() const { return m_strImage; }

  void SetRestorePos(const TQ3Vector3D& pos) { m_posRestore = pos; }
  const TQ3Vector3D& GetRestorePos() const { return m_posRestore; }
  bool IsActive() const { return m_fActive; }

 protected:
  // Names an image of the "Images" folder as this page's own background, for TakeImage.
  void SetPageImage(const char* name);
  // Sets the event's offset so that its positions come out in this page's coordinates.
  void OffsetEvent(const GameEvent* event) const;

  TQ3Vector3D m_posRestore;
  bool m_fActive;
  int m_iWindowHeight;
  unsigned long m_texid;
  std::string m_strImage;
};
