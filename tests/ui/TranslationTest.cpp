// SPDX-License-Identifier: GPL-3.0-or-later
// The menu texts in other languages: the translations compiled by the build, chosen through the
// LANGUAGE variable as a user would, in the menus and in the real game.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <memory>
#include <set>
#include <string>

#include "core/GameSettings.h"
#include "platform/Localize.h"
#include "support/GameSession.h"
#include "support/MenuInput.h"
#include "ui/MenuNavigation.h"
#include "ui/MenuOptions.h"
#include "ui/MenuScores.h"
#include "ui/Overlay.h"

namespace {

const char* const kLanguages[] = {"de", "fr", "es", "it", "nl", "pt_BR", "pl"};

// Messages follow LANGUAGE only under a locale other than "C"; C.UTF-8 is on every machine. A
// change of locale makes gettext forget the translations it looked up before.
class InLanguage {
 public:
  explicit InLanguage(const char* language) {
    Localize("Play");  // binds the game's catalogue, as the first menu does
    m_locale = setlocale(LC_MESSAGES, nullptr);
    setenv("LANGUAGE", language, 1);
    setlocale(LC_MESSAGES, "C");
    setlocale(LC_MESSAGES, "C.UTF-8");
  }
  ~InLanguage() {
    unsetenv("LANGUAGE");
    setlocale(LC_MESSAGES, "C");
    setlocale(LC_MESSAGES, m_locale.c_str());
  }

 private:
  std::string m_locale;
};

// Every menu, in English and translated, lies where its page leaves room for it and fits on the
// page; numbers stay as they are.
TEST(Translation, EveryMenuFitsItsPageInEveryLanguage) {
  TempDir home;
  setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
  GameSettings::Initialize();
  GLContext gl(640, 640);
  MenuInput input(gl);
  std::set<std::string> play;
  std::vector<const char*> languages(std::begin(kLanguages), std::end(kLanguages));
  languages.push_back("en");
  for (const char* language : languages) {
    InLanguage translated(language);
    play.insert(MenuMain().GetItemText(0));
    // Each column at the place its page leaves for it, lines two font sizes apart.
    const struct {
      std::unique_ptr<Menu> menu;
      int x, y, fontSize;
    } menus[] = {{std::make_unique<MenuMain>(), 204, 230, 18},
                 {std::make_unique<MenuPaused>(), 204, 230, 20},
                 {std::make_unique<MenuGameChoice>(), 232, 232, 20},
                 {std::make_unique<MenuDone>(), 290, 464, 18},
                 {std::make_unique<MenuBack>(), 174, 478, 14},
                 {std::make_unique<MenuCredits>(), 58, 48, 13},
                 {std::make_unique<MenuOptions>(), 174, 174, 20},
                 {std::make_unique<MenuEndGame>(90, 10, false), 174, 174, 14},
                 {std::make_unique<MenuHighScores>(), 63, 63, 14},
                 {std::make_unique<MenuHighScores2>(), 301, 63, 14}};
    for (const auto& m : menus) {
      input.Draw(*m.menu);
      for (int i = 0; i < m.menu->GetCount(); ++i) {
        int x, y, w, h;
        m.menu->GetItem(i)->GetDimensions(&x, &y, &w, &h);
        EXPECT_TRUE(x == m.x && y == m.y + 2 * i * m.fontSize) << m.menu->GetItemText(i);
        EXPECT_TRUE(x + w <= 512 - 8 && y + h <= 512) << language << ": " << m.menu->GetItemText(i);
      }
    }
    EXPECT_EQ(menus[7].menu->GetItemText(2), "Total Score:       100");
  }
  EXPECT_EQ(play.size(), languages.size()) << "a language is not in use";
  EXPECT_TRUE(play.count("Play"));
}

// The real game's title page in every language: its contents translated, as much ink as in
// English, and no line running off the page (the margin beside the lines stays bare).
TEST(Translation, TheTitlePageInEveryLanguage) {
  const Box menu{204, 226, 300, 224}, margin{504, 226, 6, 224};
  const std::string kept = getenv("LC_ALL") ? getenv("LC_ALL") : "";
  setenv("LC_ALL", "C.UTF-8", 1);
  PixelImage english;
  int englishInk = 0;
  for (const char* language : {"en", "de", "fr", "es", "it", "nl", "pt_BR", "pl"}) {
    SCOPED_TRACE(language);
    setenv("LANGUAGE", language, 1);
    GameSession game;
    ASSERT_TRUE(game.Start()) << game.Error();
    ASSERT_TRUE(game.MoveTo(4, 4));  // no item highlighted under the pointer
    const PixelImage shot = game.SteadyShot();
    game.Keep(shot, std::string("title-") + language);
    EXPECT_EQ(Ink(shot, game.OnPage(0, margin)), 0) << "a line runs off the page";
    const int ink = Ink(shot, game.OnPage(0, menu));
    if (english.width == 0) {
      english = shot;
      englishInk = ink;
      continue;
    }
    EXPECT_GT(ink, englishInk / 2);
    EXPECT_GT(Changed(english, shot, game.OnPage(0, menu)), 500)
        << "the contents are not translated";
  }
  unsetenv("LANGUAGE");
  if (kept.empty())
    unsetenv("LC_ALL");
  else
    setenv("LC_ALL", kept.c_str(), 1);
}

}  // namespace
