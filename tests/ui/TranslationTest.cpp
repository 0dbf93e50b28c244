// SPDX-License-Identifier: GPL-3.0-or-later
// The menu texts in other languages: the translations compiled by the build, chosen through the
// LANGUAGE variable as a user would, in the menus and in the real game, and the message template
// kept complete.

#include <gtest/gtest.h>
#include <libintl.h>
#include <stdlib.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "core/GameSettings.h"
#include "platform/Localize.h"
#include "support/GLContext.h"
#include "support/GameSession.h"
#include "support/MenuInput.h"
#include "support/TestSupport.h"
#include "ui/MenuNavigation.h"
#include "ui/MenuOptions.h"
#include "ui/MenuScores.h"
#include "ui/Overlay.h"

namespace {

// Messages follow LANGUAGE only under a locale other than "C"; C.UTF-8 is on every machine.
class InLanguage {
 public:
  explicit InLanguage(const char* language) {
    Localize("Play");  // binds the game's catalogue, as the first menu does
    m_locale = setlocale(LC_MESSAGES, nullptr);
    setlocale(LC_MESSAGES, "C.UTF-8");
    setenv("LANGUAGE", language, 1);
  }
  ~InLanguage() {
    unsetenv("LANGUAGE");
    setlocale(LC_MESSAGES, m_locale.c_str());
  }

 private:
  std::string m_locale;
};

// The gettext tools, found on the PATH as a shell would.
std::string Tool(const char* name) {
  const char* path = getenv("PATH");
  std::string dirs = path ? path : "/usr/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string candidate = dirs.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return name;
}

std::set<std::string> Msgids(const std::string& poText) {
  std::set<std::string> ids;
  std::regex line("^msgid \"(.*)\"$", std::regex::multiline);
  for (auto it = std::sregex_iterator(poText.begin(), poText.end(), line);
       it != std::sregex_iterator(); ++it)
    if (!(*it)[1].str().empty()) ids.insert((*it)[1].str());
  return ids;
}

TEST(Translation, GermanMenusUnderLanguageDe) {
  TempDir home;
  setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
  GameSettings::Initialize();
  GameSettings::SetIntParam("FreeformWordCrossOut", 1);
  GameSettings::SetFloatParam("MusicVolume", 0.5f);
  const int empty[kHighScoreCount] = {};
  GameSettings::SetIntArrayParam("HighScores", empty, kHighScoreCount);
  {
    InLanguage german("de");
    MenuMain contents;
    EXPECT_EQ(contents.GetItemText(0), "Spielen");
    EXPECT_EQ(contents.GetItemText(5), "Beenden");
    MenuOptions options;
    EXPECT_EQ(options.GetItemText(0), "Wortauswahl: FREIHAND");
    EXPECT_EQ(options.GetItemText(3), "Musik:  MITTEL");
    // Texts made from numbers stay as they are; the placement message is translated.
    MenuEndGame result(90, 10, false);
    EXPECT_EQ(result.GetItemText(2), "Total Score:       100");
    EXPECT_EQ(result.GetItemText(4), "Sie sind auf Platz 1 der Bestenliste!");
    EXPECT_EQ(result.GetItemText(7), "Zurück zum Inhaltsverzeichnis");

    // The German credits fit on their page too.
    GLContext gl(640, 640);
    MenuInput input(gl);
    MenuCredits credits;
    input.Draw(credits);
    for (int i = 0; i < credits.GetCount(); ++i) {
      int x, w;
      credits.GetItem(i)->GetDimensions(&x, nullptr, &w, nullptr);
      EXPECT_LE(x + w, 512 - 8) << credits.GetItemText(i);
    }
  }
  MenuMain english;
  EXPECT_EQ(english.GetItemText(0), "Play");
}

TEST(Translation, AFaultyTranslatedFormatFallsBackToEnglish) {
  // A catalogue whose placement message asks for a text where the game gives a number.
  TempDir locale;
  const std::string dir = locale.Path() + "/xx/LC_MESSAGES";
  std::filesystem::create_directories(dir);
  WriteFile(locale.File("xx.po"),
            "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
            "msgid \"You've placed #%d on the high score list!\"\nmsgstr \"Platz %s!\"\n\n"
            "msgid \"Play a New Puzzle\"\nmsgstr \"Nochmal\"\n");
  ProcessResult compiled =
      RunProcess({Tool("msgfmt"), "-o", dir + "/quillmere.mo", locale.File("xx.po")});
  ASSERT_EQ(compiled.status, 0) << compiled.err;

  TempDir home;
  setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
  GameSettings::Initialize();
  const int empty[kHighScoreCount] = {};
  GameSettings::SetIntArrayParam("HighScoresBTC", empty, kHighScoreCount);
  InLanguage faulty("xx");
  const std::string bound = bindtextdomain("quillmere", nullptr);
  bindtextdomain("quillmere", locale.Path().c_str());
  MenuEndGame result(40, 0, true);
  EXPECT_EQ(result.GetItemText(6), "Nochmal") << "the catalogue is in use";
  EXPECT_EQ(result.GetItemText(4), "You've placed #1 on the high score list!");
  bindtextdomain("quillmere", bound.c_str());
}

TEST(Translation, TheTemplateAndEveryTranslationHoldEveryShownText) {
  // What the sources ask to be translated, as xgettext finds it.
  TempDir out;
  std::vector<std::string> argv{Tool("xgettext"),
                                "--language=C++",
                                "--from-code=UTF-8",
                                "--keyword=",
                                "--keyword=Localize:1",
                                "--keyword=SetItemLocalized:2",
                                "-o",
                                out.File("now.pot")};
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(std::string(QM_SOURCE_DIR) + "/src"))
    if (entry.path().extension() == ".cpp") argv.push_back(entry.path().string());
  ProcessResult extracted = RunProcess(argv);
  ASSERT_EQ(extracted.status, 0) << extracted.err;
  const std::set<std::string> shown = Msgids(ReadFile(out.File("now.pot")));
  EXPECT_GT(shown.size(), 35u);
  EXPECT_TRUE(shown.count("Back to Table of Contents"));
  EXPECT_TRUE(shown.count("You've placed #%d on the high score list!"));

  const std::string po = std::string(QM_SOURCE_DIR) + "/po";
  EXPECT_EQ(Msgids(ReadFile(po + "/quillmere.pot")), shown) << "refresh it: quillmere_pot";
  int translations = 0;
  for (const auto& entry : std::filesystem::directory_iterator(po)) {
    if (entry.path().extension() != ".po") continue;
    ++translations;
    EXPECT_EQ(Msgids(ReadFile(entry.path().string())), shown) << entry.path();
    ProcessResult check = RunProcess(
        {Tool("msgfmt"), "--check", "--statistics", "-o", "/dev/null", entry.path().string()});
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.err.find("untranslated"), std::string::npos) << check.err;
    EXPECT_EQ(check.err.find("fuzzy"), std::string::npos) << check.err;
  }
  EXPECT_GE(translations, 1);
}

TEST(Translation, TheTitlePageInEveryLanguage) {
  // Page pixels: the six lines of the contents, and the page's right margin beside them (short
  // of the browned edge of the paper).
  const int kMenuX = 204, kMenuY = 226, kMenuWidth = 300, kMenuHeight = 224, kMarginX = 504;
  // LANGUAGE is honoured under any locale but "C"; C.UTF-8 is on every machine.
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
    int x, y;
    game.PagePos(0, &x, &y);
    const int ink = DarkPixels(shot, x + kMenuX, y + kMenuY, kMenuWidth, kMenuHeight);
    EXPECT_EQ(DarkPixels(shot, x + kMarginX, y + kMenuY, 6, kMenuHeight), 0)
        << "a line runs off the page";
    if (english.width == 0) {
      english = shot;
      englishInk = ink;
      continue;
    }
    EXPECT_GT(ink, englishInk / 2);
    EXPECT_GT(ChangedIn(english, shot, x + kMenuX, y + kMenuY, kMenuWidth, kMenuHeight), 500)
        << "the contents are not translated";
  }
  unsetenv("LANGUAGE");
  if (kept.empty())
    unsetenv("LC_ALL");
  else
    setenv("LC_ALL", kept.c_str(), 1);
}

}  // namespace
