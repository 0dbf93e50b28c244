// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

class GameEvent;
class GameSound;
class Overlay;

// A column of text items drawn on a page: lays them out, highlights the item under the pointer
// with a border and the rollover sound, and on a mouse release asks the concrete menu what the
// item does (the click sound plays when it did something). Items are 2 x font size apart.
class Menu {
 public:
  Menu(int x, int y, int count, const char* fontName, int fontSize);
  virtual ~Menu();
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  // True when the item did something; called with -1 for a release over no item.
  virtual bool MouseUp(int item) = 0;
  virtual bool DoesItemReactToMouse(int item) const;
  virtual bool KeyDown(unsigned short character);
  virtual void HandleEvent(const GameEvent* event);
  virtual void Reposition(int width, int height);
  virtual void Render(int width, int height);

  void SetItem(int item, const char* text);
  // SetItem with the text's translation.
  void SetItemLocalized(int item, const char* english);
  void SetOffset(int x, int y);
  // The item under a pointer position given from the window's bottom edge, or -1.
  int PointToIOverlay(int x, int y) const;
  int GetRolloverItem() const { return m_iRollover; }
  int GetCount() const { return m_nCount; }
  Overlay* GetItem(int item) const { return m_apOverlay[item]; }
  // The text last given to the item (empty for an item never set or out of range).
  const std::string& GetItemText(int item) const;

  static void SetCurrent(Menu* pMenu) { m_pmenuCurrent = pMenu; }
  static void RenderCurrent(int width, int height);
  static void HandleEventCurrent(const GameEvent* event);
  static void ClearCurrent() { m_pmenuCurrent = nullptr; }

  static Menu* m_pmenuCurrent;
  static GameSound* m_psndClick;
  static GameSound* m_psndMouseover;

 protected:
  // Stores the size as the last size and moves the column to (x, y).
  void PlaceAt(int width, int height, int x, int y);

  Overlay** m_apOverlay;
  int m_iRollover;
  char m_szFontName[32];
  int m_nFontSize;
  int m_nCount;
  int m_iLastWidth;
  int m_iLastHeight;
  int m_iOriginX;
  int m_iOriginY;
  std::vector<std::string> m_asItemText;
};
