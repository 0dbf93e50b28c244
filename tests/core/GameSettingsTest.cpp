// SPDX-License-Identifier: GPL-3.0-or-later
#include <dirent.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>

#include "core/GameSettings.h"
#include "platform/PreferenceStore.h"
#include "support/TestSupport.h"

namespace {

int Lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// What a file's name stands for on disk, to tell that nothing replaced or changed it.
struct Look {
  mode_t mode = 0;
  ino_t ino = 0;
  off_t size = -1;
  long mtimeNs = 0;
  time_t mtime = 0;
  bool operator==(const Look&) const = default;
};

Look LookAt(const std::string& path) {
  Look look;
  struct stat st;
  if (lstat(path.c_str(), &st) == 0)
    look = {st.st_mode, st.st_ino, st.st_size, st.st_mtim.tv_nsec, st.st_mtim.tv_sec};
  return look;
}

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (struct dirent* e = readdir(dir))
      if (e->d_name[0] != '.') names.insert(e->d_name);
    closedir(dir);
  }
  return names;
}

class SettingsStore : public ::testing::Test {
 protected:
  TempDir home;

  // One run of a second program over the same preferences, as the next run of the game. The
  // arguments may hold several commands joined by "--", carried out in one run. A run that
  // hangs is ended after a minute and reported as such.
  ProcessResult Probe(std::vector<std::string> args, std::vector<std::string> prefix = {}) {
    args.insert(args.begin(), QM_PREFS_PROBE);
    args.insert(args.begin(), prefix.begin(), prefix.end());
    args.insert(args.begin(), {"/usr/bin/timeout", "60"});
    return RunProcess(args, {"XDG_CONFIG_HOME=" + home.Path()});
  }
  std::string Out(std::vector<std::string> args) { return Probe(std::move(args)).out; }
  std::string Folder() const { return home.Path() + "/quillmere"; }
  std::string PrefsFile() const { return Folder() + "/preferences.ini"; }
  void WritePrefs(const std::string& text) {
    RunProcess({"/bin/mkdir", "-p", Folder()});
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
      "_TimePerWord=8 seconds\n"
      "FogStart=3\n"
      "VSync=2.75\n"
      "_ShowFPS=1\n");
  EXPECT_EQ(Out({"get-array", "HighScores", "10"}), "1 2 3 4 5 6 7 8 9 10 \n");
  EXPECT_EQ(Out({"get-array", "HighScoresBTC", "10"}), "7 8 9 0 0 0 0 0 0 0 \n");
  EXPECT_EQ(Out({"get-array", "HighScores", "0"}), "\n");
  EXPECT_EQ(Out({"get-int", "_TimePerWord"}), "8\n");
  EXPECT_EQ(Out({"get-float", "FogStart"}), "3\n");
  EXPECT_EQ(Out({"get-int", "VSync"}), "2\n");
  EXPECT_EQ(Out({"get-float", "_ShowFPS"}), "1\n");
  EXPECT_EQ(Out({"get-float", "_FPSFontSize"}), "12\n");
  EXPECT_EQ(Out({"get-int", "TransitionSpeed"}), "1\n");
}

// A value that would leave the game unusable reads as the nearer edge of its key's range (a
// text too long for its reader as the key's default), told once a run; a value inside the
// range reads exactly as stored, and nothing is written back.
TEST_F(SettingsStore, OddValuesReadAsTheNearestUsableValue) {
  struct Row {
    const char* key;
    std::string stored;
    const char* get;
    std::string expected;
    bool logged;
  };
  const Row rows[] = {
      {"_PageSpeed", "1e30", "get-float", "10000", true},
      {"_PageSpeed", "0", "get-float", "50", true},
      {"_PageSpeed", "75.5", "get-float", "75.5", false},
      {"_LetterSwapSpeed", "-150", "get-float", "50", true},
      {"_LetterFallSpeed", "nan", "get-float", "50", true},
      {"_LetterFallSpeed", "10000", "get-float", "10000", false},
      {"TransitionSpeed", "inf", "get-float", "10", true},
      {"TransitionSpeed", "-inf", "get-float", "0.5", true},
      {"TransitionSpeed", "2", "get-float", "2", false},
      {"_FontSize", "99999999999999999999999", "get-int", "32", true},
      {"_FontSize", "0", "get-int", "8", true},
      {"_ScoreFontSize", "-20", "get-int", "12", true},
      {"_ScoreFontSize", "32", "get-int", "32", false},
      {"_FPSFontSize", "huge", "get-int", "8", true},
      {"_TimePerWord", "0", "get-int", "3", true},
      {"_TimePerWord", "1e9", "get-int", "3600", true},
      {"_TimePerWord", "7", "get-int", "7", false},
      {"SoundVolume", "2", "get-float", "1", true},
      {"SoundVolume", "-0.5", "get-float", "0", true},
      {"MusicVolume", "99999999999999999999999", "get-float", "1", true},
      {"MusicVolume", "0.2", "get-float", "0.2", false},
      {"MusicVolume", "loud", "get-float", "0", false},
      {"_FontName", std::string(10000, 'x'), "get-string", "Courier", true},
      {"_FontName", std::string(255, 'x'), "get-string", std::string(255, 'x'), false},
      {"_ScoreFontName", std::string(64, 'n'), "get-string", "Courier", true},
      {"_FPSFontName", std::string(63, 'n'), "get-string", std::string(63, 'n'), false},
      {"_DictPath", std::string(10000, 'd'), "get-string", "enable1.txt", true},
      // Keys without a range keep whatever number they hold.
      {"FogStart", "-1e30", "get-float", "-1e+30", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.key) + "=" + row.stored.substr(0, 40));
    const std::string text = "[Quillmere]\n" + std::string(row.key) + "=" + row.stored + "\n";
    WritePrefs(text);
    ProcessResult r = Probe({row.get, row.key, "--", row.get, row.key});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, row.expected + "\n" + row.expected + "\n");
    EXPECT_EQ(Lines(r.err), row.logged ? 1 : 0) << r.err;
    if (row.logged) {
      EXPECT_NE(r.err.find(row.key), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadFile(PrefsFile()), text);
  }
}

TEST_F(SettingsStore, FilesThatAreNotAllTextAreSetAsideIntact) {
  // Nothing of it parses: moved aside, the defaults serve, and the game goes on.
  const std::string garbage = "\x89PNG\x01\x02 this [is not a key file\n=\n";
  WritePrefs(garbage);
  ProcessResult r = Probe({"get-int", "_TimePerWord"});
  EXPECT_EQ(r.out, "12\n");
  EXPECT_EQ(Lines(r.err), 1) << r.err;
  EXPECT_NE(r.err.find("could not be read"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(PrefsFile() + ".corrupt"), garbage);
  r = Probe({"set-int", "_TimePerWord", "5"});
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Out({"get-int", "_TimePerWord"}), "5\n");

  // The first lines parse, other bytes follow: what parses is used and written back as text,
  // and the original bytes are kept beside it.
  const std::string mixed = std::string("[Quillmere]\nHighScores=500;300;\n_TimePerWord=20\n") +
                            std::string("\0\0\x01\xff\xfe junk\n", 11) +
                            "_FontName=\xff\xfe\nMusicVolume=0.2\n";
  WritePrefs(mixed);
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run == 0 ? "first run" : "second run");
    r = Probe({"get-array", "HighScores", "10", "--", "get-int", "_TimePerWord", "--", "get-float",
               "MusicVolume", "--", "get-string", "_FontName"});
    EXPECT_EQ(r.out, "500 300 0 0 0 0 0 0 0 0 \n20\n0.2\nCourier\n");
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(PrefsFile() + ".corrupt"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(PrefsFile() + ".corrupt"), mixed);
    EXPECT_EQ(ReadFile(PrefsFile()), mixed) << "reading alone changed the file";
  }
  r = Probe({"add-totals", "HighScores", "10", "400"});
  EXPECT_EQ(Lines(r.err), 1) << r.err;
  const std::string clean = ReadFile(PrefsFile());
  EXPECT_EQ(clean.find('\0'), std::string::npos);
  EXPECT_EQ(clean.find('\xff'), std::string::npos);
  r = Probe({"get-array", "HighScores", "10", "--", "get-int", "_TimePerWord"});
  EXPECT_EQ(r.out, "500 400 300 0 0 0 0 0 0 0 \n20\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFile(PrefsFile() + ".corrupt"), mixed);
}

TEST_F(SettingsStore, AnUnwritableFolderLogsOnceAndKeepsTheValuesInMemory) {
  // Even root cannot create a folder where a plain file stands.
  WriteFile(home.File("quillmere"), "in the way");
  PreferenceStore store(PrefsFile());
  store.RegisterDefaults({{"A", PreferenceStore::Value::Int(1)}});
  testing::internal::CaptureStderr();
  store.SetInt("A", 5);
  store.SetFloat("B", 2.5f);
  int scores[3] = {30, 20, 10};
  store.SetIntArray("C", scores, 3);
  store.UpdateIntArray("C", 3, [](std::vector<int>& list) {
    list[2] = 15;
    return true;
  });
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Lines(err), 1) << err;
  EXPECT_NE(err.find("Unable to save preferences"), std::string::npos) << err;
  EXPECT_EQ(store.GetInt("A"), 5);
  EXPECT_EQ(store.GetFloat("B"), 2.5f);
  EXPECT_EQ(store.GetIntArray("C"), (std::vector<int>{30, 20, 15}));
}

// A preference file that is there but cannot be read is never written over, nor waited on: the
// run says so once and goes on with what it sets in memory.
TEST_F(SettingsStore, AFileThatCannotBeReadIsLeftUntouched) {
  struct Case {
    const char* name;
    std::function<void(const std::string& path)> make;
  };
  const std::string original = "[Quillmere]\nHighScores=900;800;\n";
  const Case cases[] = {
      {"a folder", [](const std::string& p) { mkdir(p.c_str(), 0700); }},
      {"a FIFO", [](const std::string& p) { mkfifo(p.c_str(), 0600); }},
      {"a file whose reads fail",
       [](const std::string& p) { ASSERT_EQ(symlink("/proc/self/mem", p.c_str()), 0); }},
      {"a link to itself",
       [](const std::string& p) { ASSERT_EQ(symlink(p.c_str(), p.c_str()), 0); }},
      {"a file without read permission",
       [&](const std::string& p) {
         WriteFile(p, original);
         chmod(p.c_str(), 0);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunProcess({"/bin/rm", "-rf", Folder()});
    RunProcess({"/bin/mkdir", "-p", Folder()});
    c.make(PrefsFile());
    std::vector<std::string> as;
    if (geteuid() == 0 && std::string(c.name) == "a file without read permission") {
      // Root reads everything: the run is made as a user of no rights.
      RunProcess({"/bin/chown", "-R", "65534:65534", home.Path()});
      as = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
    }
    const Look before = LookAt(PrefsFile());
    ProcessResult r = Probe({"get-array", "HighScores", "3", "--", "set-int", "_TimePerWord", "5",
                             "--", "add-totals", "HighScores", "3", "300", "--", "get-int",
                             "_TimePerWord", "--", "get-array", "HighScores", "3"},
                            as);
    EXPECT_EQ(r.status, 0) << "124 is a run that hung";
    EXPECT_EQ(r.out, "0 0 0 \n5\n300 0 0 \n");
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find("Unable to read preferences file " + PrefsFile()), std::string::npos)
        << r.err;
    EXPECT_TRUE(LookAt(PrefsFile()) == before) << "the file was replaced or changed";
    if (S_ISREG(before.mode)) {
      chmod(PrefsFile().c_str(), 0600);
      EXPECT_EQ(ReadFile(PrefsFile()), original);
    }
  }
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

  // A list changed by both in one step each keeps both changes.
  auto append = [](int value) {
    return [value](std::vector<int>& list) {
      list.back() = value;
      std::rotate(list.begin(), list.end() - 1, list.end());
      return true;
    };
  };
  first.UpdateIntArray("List", 3, append(7));
  second.UpdateIntArray("List", 3, append(8));
  first.UpdateIntArray("List", 3, [](std::vector<int>&) { return false; });
  EXPECT_EQ(first.GetIntArray("List"), (std::vector<int>{8, 7, 0}));
}

// Four copies finishing games at once, while more copies start and read: every total is kept,
// and nothing is left in the folder but the file and its lock.
TEST_F(SettingsStore, TotalsAddedAtTheSameMomentAreAllKept) {
  const int kCopies = 4, kTotals = 500;
  std::string script = "p=$0\n";
  for (int copy = 0; copy < kCopies; ++copy) {
    script += "\"$p\" add-totals Totals " + std::to_string(kTotals);
    for (int t = copy + 1; t <= kTotals; t += kCopies) script += " " + std::to_string(t);
    script += " &\n";
  }
  script += "for i in $(seq 40); do \"$p\" get-int X >/dev/null; done\nwait\n";
  ProcessResult r =
      RunProcess({"/bin/sh", "-c", script, QM_PREFS_PROBE}, {"XDG_CONFIG_HOME=" + home.Path()});
  EXPECT_EQ(r.err, "");
  std::string expected;
  for (int t = kTotals; t >= 1; --t) expected += std::to_string(t) + " ";
  EXPECT_EQ(Out({"get-array", "Totals", std::to_string(kTotals)}), expected + "\n");
  EXPECT_EQ(Names(Folder()), (std::set<std::string>{"preferences.ini", "preferences.ini.lock"}));
}

// A write killed half-way leaves its temporary file; the next run removes such files, and only
// those.
TEST_F(SettingsStore, LeftoversOfKilledWritesAreRemovedAtStart) {
  WritePrefs("[Quillmere]\n_TimePerWord=9\n");
  const std::vector<std::string> leftovers = {"preferences.ini.Ab12Cd", "preferences.ini.zZ09yY",
                                              "preferences.ini.corrupt.Qw3Er4"};
  const std::vector<std::string> others = {"preferences.ini.corrupt", "preferences.ini.Ab12C",
                                           "preferences.ini.Ab12Cd7", "preferences.ini.bak",
                                           "notes.ini.Ab12Cd"};
  for (const std::string& name : leftovers) WriteFile(Folder() + "/" + name, "[Quillm");
  for (const std::string& name : others) WriteFile(Folder() + "/" + name, "kept");
  // A name like a leftover's that is no file is not one.
  mkdir((Folder() + "/preferences.ini.Dir123").c_str(), 0700);

  ProcessResult r = Probe({"get-int", "_TimePerWord"});
  EXPECT_EQ(r.out, "9\n");
  EXPECT_EQ(r.err, "");
  std::set<std::string> expected(others.begin(), others.end());
  expected.insert({"preferences.ini", "preferences.ini.lock", "preferences.ini.Dir123"});
  EXPECT_EQ(Names(Folder()), expected);
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
