// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "core/GameSettings.h"
#include "platform/PreferenceStore.h"
#include "support/TestSupport.h"

namespace {

class SettingsStore : public ::testing::Test {
 protected:
  TempDir home;

  // One run of a second program over the same preferences, as the next run of the game.
  ProcessResult Probe(std::vector<std::string> args) {
    args.insert(args.begin(), QM_PREFS_PROBE);
    return RunProcess(args, {"XDG_CONFIG_HOME=" + home.Path()});
  }
  std::string Out(std::vector<std::string> args) { return Probe(std::move(args)).out; }
  std::string PrefsFile() const { return home.Path() + "/quillmere/preferences.ini"; }
  void WritePrefs(const std::string& text) {
    RunProcess({"/bin/mkdir", "-p", home.Path() + "/quillmere"});
    WriteFile(PrefsFile(), text);
  }
};

TEST_F(SettingsStore, DefaultsOnAFirstRunAndWrittenValuesInTheNextRun) {
  EXPECT_EQ(Out({"get-float", "MusicVolume"}), "0.5\n");
  EXPECT_EQ(Out({"get-int", "_TimePerWord"}), "12\n");
  EXPECT_EQ(Out({"get-int", "MusicLastTrackIndex"}), "-1\n");
  EXPECT_EQ(Out({"get-char", "KeyDefaultPause"}), "27\n");
  EXPECT_EQ(Out({"get-string", "_FPSFontName"}), "Helvetica\n");
  EXPECT_EQ(Out({"get-string", "_DictPath"}), "enable1.txt\n");
  EXPECT_EQ(Out({"get-array", "HighScores", "10"}), "0 0 0 0 0 0 0 0 0 0 \n");
  EXPECT_EQ(Out({"get-int", "NoSuchKey"}), "0\n");
  // Reading the defaults writes nothing.
  EXPECT_FALSE(FileExists(PrefsFile()));

  Probe({"set-float", "MusicVolume", "0.2"});
  EXPECT_NE(ReadFile(PrefsFile()).find("MusicVolume=0.2\n"), std::string::npos);
  EXPECT_EQ(Out({"get-float", "MusicVolume"}), "0.2\n");
  // Only the key that was set is stored; the defaults layer stays in memory.
  EXPECT_EQ(ReadFile(PrefsFile()).find("_TimePerWord"), std::string::npos);

  Probe({"set-array", "HighScores", "500", "300", "0", "0", "0", "0", "0", "0", "0", "0"});
  EXPECT_EQ(Out({"get-array", "HighScores", "10"}), "500 300 0 0 0 0 0 0 0 0 \n");
  Probe({"set-string", "_FontName", "Nimbus Mono PS"});
  EXPECT_EQ(Out({"get-string", "_FontName"}), "Nimbus Mono PS\n");
}

TEST_F(SettingsStore, ArraysOfAnyLengthAndValuesOfTheWrongKind) {
  WritePrefs(
      "[Quillmere]\n"
      "HighScores=1;2;3;4;5;6;7;8;9;10;11;12;\n"
      "HighScoresBTC=7;8;9;\n"
      "_TimePerWord=soon\n"
      "MusicVolume=3\n"
      "VSync=2.75\n"
      "_ShowFPS=1\n");
  EXPECT_EQ(Out({"get-array", "HighScores", "10"}), "1 2 3 4 5 6 7 8 9 10 \n");
  EXPECT_EQ(Out({"get-array", "HighScoresBTC", "10"}), "7 8 9 0 0 0 0 0 0 0 \n");
  EXPECT_EQ(Out({"get-array", "HighScores", "0"}), "\n");
  EXPECT_EQ(Out({"get-int", "_TimePerWord"}), "0\n");
  EXPECT_EQ(Out({"get-float", "MusicVolume"}), "3\n");
  EXPECT_EQ(Out({"get-int", "VSync"}), "2\n");
  EXPECT_EQ(Out({"get-float", "_ShowFPS"}), "1\n");
  EXPECT_EQ(Out({"get-float", "_FPSFontSize"}), "12\n");
  EXPECT_EQ(Out({"get-int", "TransitionSpeed"}), "1\n");
}

TEST_F(SettingsStore, AnUnreadableFileIsMovedAsideWithOneErrorLine) {
  const std::string garbage = "\x89PNG\x01\x02 this [is not a key file\n=\n";
  WritePrefs(garbage);
  ProcessResult r = Probe({"get-int", "_TimePerWord"});
  EXPECT_EQ(r.out, "12\n");
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_NE(r.err.find("could not be read"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(PrefsFile() + ".corrupt"), garbage);

  // The game goes on: a new value is stored in a fresh file and read in the next run.
  r = Probe({"set-int", "_TimePerWord", "5"});
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Out({"get-int", "_TimePerWord"}), "5\n");
}

TEST_F(SettingsStore, AnUnwritableFolderLogsOnceAndKeepsTheValuesInMemory) {
  // Even root cannot create a folder where a plain file stands.
  WriteFile(home.File("quillmere"), "in the way");
  PreferenceStore store(home.Path() + "/quillmere/preferences.ini");
  store.RegisterDefaults({{"A", PreferenceStore::Value::Int(1)}});
  testing::internal::CaptureStderr();
  store.SetInt("A", 5);
  store.SetFloat("B", 2.5f);
  int scores[3] = {30, 20, 10};
  store.SetIntArray("C", scores, 3);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("Unable to save preferences"), std::string::npos) << err;
  EXPECT_EQ(store.GetInt("A"), 5);
  EXPECT_EQ(store.GetFloat("B"), 2.5f);
  EXPECT_EQ(store.GetIntArray("C"), (std::vector<int>{30, 20, 10}));
}

TEST_F(SettingsStore, TwoRunningCopiesKeepEachOthersKeys) {
  PreferenceStore first(PrefsFile());
  PreferenceStore second(PrefsFile());
  first.SetInt("FromFirst", 1);
  second.SetInt("FromSecond", 2);
  EXPECT_EQ(first.GetInt("FromSecond"), 2);
  first.SetInt("FromFirst", 3);
  EXPECT_EQ(second.GetInt("FromFirst"), 3);
  EXPECT_EQ(second.GetInt("FromSecond"), 2);

  // Two processes writing at the same moment lose nothing.
  std::string loop = "for i in 1 2 3 4 5 6 7 8 9 10 11 12; do \"$0\" set-int $1$i $i; done";
  std::string script = "(sh -c '" + loop + "' " QM_PREFS_PROBE " A) & (sh -c '" + loop +
                       "' " QM_PREFS_PROBE " B) & wait";
  RunProcess({"/bin/sh", "-c", script}, {"XDG_CONFIG_HOME=" + home.Path()});
  for (int i = 1; i <= 12; ++i) {
    EXPECT_EQ(Out({"get-int", "A" + std::to_string(i)}), std::to_string(i) + "\n");
    EXPECT_EQ(Out({"get-int", "B" + std::to_string(i)}), std::to_string(i) + "\n");
  }
}

TEST_F(SettingsStore, GetStringParamNeverWritesPastTheCallersBuffer) {
  setenv("XDG_CONFIG_HOME", home.Path().c_str(), 1);
  GameSettings::Initialize();
  GameSettings::SetStringParam("_FontName", "Nimbus Mono PS Bold Oblique");
  char buf[12];
  memset(buf, '#', sizeof(buf));
  GameSettings::GetStringParam("_FontName", buf, 8);
  EXPECT_STREQ(buf, "Nimbus ");
  EXPECT_EQ(buf[8], '#');
  GameSettings::GetStringParam("_FontName", buf, 1);
  EXPECT_STREQ(buf, "");

  GameSettings::SetUniCharParam("KeyDefaultPause", 'p');
  EXPECT_EQ(GameSettings::GetUniCharParam("KeyDefaultPause"), 'p');
  GameSettings::SetUniCharParam("KeyDefaultPause", 0x00E9);
  EXPECT_EQ(GameSettings::GetUniCharParam("KeyDefaultPause"), 0x00E9);
  GameSettings::SetStringParam("KeyDefaultPause", "");
  EXPECT_EQ(GameSettings::GetUniCharParam("KeyDefaultPause"), 0);
}

}  // namespace
