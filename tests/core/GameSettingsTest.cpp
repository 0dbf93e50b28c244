// SPDX-License-Identifier: GPL-3.0-or-later
// The preference store on real files in a fresh folder, read and written by runs of a second
// program (tests/tools/prefs_probe.cpp) as by runs of the game.
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

  // One run of the probe; its commands are joined by "--". A run that hangs is ended after a
  // minute (status 124).
  ProcessResult Probe(std::vector<std::string> args, std::vector<std::string> as = {}) {
    args.insert(args.begin(), QM_PREFS_PROBE);
    args.insert(args.begin(), as.begin(), as.end());
    args.insert(args.begin(), {"/usr/bin/timeout", "60"});
    return RunProcess(args, {"XDG_CONFIG_HOME=" + home.Path()});
  }
  std::string Out(std::vector<std::string> args) { return Probe(std::move(args)).out; }
  std::string Folder() const { return home.Path() + "/quillmere"; }
  std::string File() const { return Folder() + "/preferences.ini"; }
  void Store(const std::string& text) {
    RunProcess({"/bin/mkdir", "-p", Folder()});
    WriteFile(File(), text);
  }
};

// A value reads as stored when the game can use it; out of its range it reads as the nearer
// edge (a text too long for its reader as the key's default), said once a run. Numbers of
// another kind are converted, lists are cut or filled to the length asked, and reading never
// writes. Each row is read twice in one run.
TEST_F(SettingsStore, EveryValueReadsAsTheNearestUsableOne) {
  struct Row {
    std::vector<std::string> get;
    std::string stored, read;  // stored "-": no file at all
    bool logged;
  };
  const std::string x255(255, 'x'), n63(63, 'n');
  const Row rows[] = {
      // clang-format off
      {{"get-float", "MusicVolume"},         "-", "0.5", false},
      {{"get-int", "_TimePerWord"},          "-", "12", false},
      {{"get-array", "HighScores", "10"},    "-", "0 0 0 0 0 0 0 0 0 0 ", false},
      {{"get-int", "NoSuchKey"},             "-", "0", false},
      {{"get-array", "HighScores", "3"},     "1;2;3;4;5;", "1 2 3 ", false},
      {{"get-array", "HighScores", "10"},    "7;8;9;", "7 8 9 0 0 0 0 0 0 0 ", false},
      {{"get-array", "HighScores", "0"},     "7;8;9;", "", false},
      {{"get-int", "_TimePerWord"},          "8 seconds", "8", false},
      {{"get-int", "VSync"},                 "2.75", "2", false},
      {{"get-float", "_ShowFPS"},            "1", "1", false},
      {{"get-float", "MusicVolume"},         "loud", "0", false},
      {{"get-float", "_PageSpeed"},          "1e30", "10000", true},
      {{"get-float", "_PageSpeed"},          "0", "50", true},
      {{"get-float", "_PageSpeed"},          "75.5", "75.5", false},
      {{"get-float", "_LetterSwapSpeed"},    "-150", "50", true},
      {{"get-float", "_LetterFallSpeed"},    "nan", "50", true},
      {{"get-float", "_LetterFallSpeed"},    "10000", "10000", false},
      {{"get-float", "TransitionSpeed"},     "inf", "10", true},
      {{"get-float", "TransitionSpeed"},     "-inf", "0.5", true},
      {{"get-int", "_FontSize"},             "99999999999999999999999", "32", true},
      {{"get-int", "_FontSize"},             "0", "8", true},
      {{"get-int", "_ScoreFontSize"},        "-20", "12", true},
      {{"get-int", "_ScoreFontSize"},        "32", "32", false},
      {{"get-int", "_FPSFontSize"},          "huge", "8", true},
      {{"get-int", "_TimePerWord"},          "0", "3", true},
      {{"get-int", "_TimePerWord"},          "1e9", "3600", true},
      {{"get-float", "SoundVolume"},         "2", "1", true},
      {{"get-float", "SoundVolume"},         "-0.5", "0", true},
      {{"get-float", "MusicVolume"},         "99999999999999999999999", "1", true},
      {{"get-float", "MusicVolume"},         "0.2", "0.2", false},
      {{"get-string", "_FontName"},          std::string(10000, 'x'), "Courier", true},
      {{"get-string", "_FontName"},          x255, x255, false},
      {{"get-string", "_ScoreFontName"},     std::string(64, 'n'), "Courier", true},
      {{"get-string", "_FPSFontName"},       n63, n63, false},
      {{"get-string", "_DictPath"},          std::string(10000, 'd'), "enable1.txt", true},
      {{"get-float", "FogStart"},            "-1e30", "-1e+30", false},  // a key without a range
      // clang-format on
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.get[1] + "=" + row.stored.substr(0, 30));
    const std::string text = "[Quillmere]\n" + row.get[1] + "=" + row.stored + "\n";
    if (row.stored == "-")
      RunProcess({"/bin/rm", "-rf", Folder()});
    else
      Store(text);
    std::vector<std::string> twice = row.get;
    twice.push_back("--");
    twice.insert(twice.end(), row.get.begin(), row.get.end());
    const ProcessResult r = Probe(twice);
    EXPECT_EQ(r.out, row.read + "\n" + row.read + "\n");
    EXPECT_EQ(Lines(r.err), row.logged ? 1 : 0) << r.err;
    EXPECT_TRUE(!row.logged || r.err.find(row.get[1]) != std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(File()), row.stored == "-" ? "" : text);
  }

  // What one run sets, and only that, the next run reads.
  RunProcess({"/bin/rm", "-rf", Folder()});
  Probe({"set-float", "MusicVolume", "0.2", "--", "set-array", "HighScores", "500", "300", "--",
         "set-string", "_FontName", "Nimbus Mono PS"});
  EXPECT_EQ(ReadFile(File()),
            "[Quillmere]\nMusicVolume=0.2\nHighScores=500;300;\n_FontName=Nimbus Mono PS\n");
  EXPECT_EQ(Out({"get-float", "MusicVolume", "--", "get-array", "HighScores", "3", "--",
                 "get-string", "_FontName"}),
            "0.2\n500 300 0 \nNimbus Mono PS\n");
}

TEST_F(SettingsStore, FilesThatAreNotAllTextAreSetAsideIntact) {
  // Nothing of it parses: moved aside, the defaults serve, and the game goes on.
  const std::string garbage = "\x89PNG\x01\x02 this [is not a key file\n=\n";
  Store(garbage);
  ProcessResult r = Probe({"get-int", "_TimePerWord"});
  EXPECT_EQ(r.out, "12\n");
  EXPECT_EQ(Lines(r.err), 1) << r.err;
  EXPECT_NE(r.err.find("could not be read"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(File() + ".corrupt"), garbage);
  EXPECT_EQ(Probe({"set-int", "_TimePerWord", "5", "--", "get-int", "_TimePerWord"}).out, "5\n");

  // The first lines parse, other bytes follow: what parses is used, the original is kept beside
  // it, and the first write leaves text only.
  const std::string mixed = std::string("[Quillmere]\nHighScores=500;300;\n_TimePerWord=20\n") +
                            std::string("\0\0\x01\xff\xfe junk\n", 11) +
                            "_FontName=\xff\xfe\nMusicVolume=0.2\n";
  Store(mixed);
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    r = Probe({"get-array", "HighScores", "3", "--", "get-int", "_TimePerWord", "--", "get-float",
               "MusicVolume", "--", "get-string", "_FontName"});
    EXPECT_EQ(r.out, "500 300 0 \n20\n0.2\nCourier\n");
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(File() + ".corrupt"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(File()), mixed) << "reading alone changed the file";
  }
  r = Probe({"add-totals", "HighScores", "3", "400", "--", "get-array", "HighScores", "3", "--",
             "get-int", "_TimePerWord"});
  EXPECT_EQ(r.out, "500 400 300 \n20\n");
  EXPECT_EQ(ReadFile(File()).find_first_of(std::string("\0\xff", 2)), std::string::npos);
  EXPECT_EQ(Probe({"get-int", "_TimePerWord"}).err, "");
  EXPECT_EQ(ReadFile(File() + ".corrupt"), mixed);
}

// A file that cannot be written, or is there but cannot be read, is never written over nor
// waited on: the run says so once and goes on with what it sets in memory.
TEST_F(SettingsStore, WhatCannotBeReadOrWrittenIsLeftAndSaidOnce) {
  WriteFile(home.File("quillmere"), "in the way");  // even root cannot make the folder
  PreferenceStore store(File());
  testing::internal::CaptureStderr();
  store.SetInt("A", 5);
  const int scores[3] = {30, 20, 10};
  store.SetIntArray("C", scores, 3);
  store.UpdateIntArray("C", 3, [](std::vector<int>& list) {
    list[2] = 15;
    return true;
  });
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(Lines(err), 1) << err;
  EXPECT_NE(err.find("Unable to save preferences"), std::string::npos) << err;
  EXPECT_EQ(store.GetInt("A"), 5);
  EXPECT_EQ(store.GetIntArray("C"), (std::vector<int>{30, 20, 15}));
  unlink(home.File("quillmere").c_str());

  const std::string original = "[Quillmere]\nHighScores=900;800;\n";
  const std::pair<const char*, std::function<void(const char*)>> cases[] = {
      {"a folder", [](const char* p) { mkdir(p, 0700); }},
      {"a FIFO", [](const char* p) { mkfifo(p, 0600); }},
      {"a file whose reads fail",
       [](const char* p) { EXPECT_EQ(symlink("/proc/self/mem", p), 0); }},
      {"a link to itself", [](const char* p) { EXPECT_EQ(symlink(p, p), 0); }},
      {"a file without read permission", [&](const char* p) {
         WriteFile(p, original);
         chmod(p, 0);
       }}};
  for (const auto& [name, make] : cases) {
    SCOPED_TRACE(name);
    RunProcess({"/bin/rm", "-rf", Folder()});
    RunProcess({"/bin/mkdir", "-p", Folder()});
    make(File().c_str());
    std::vector<std::string> as;
    if (geteuid() == 0 && std::string(name).find("permission") != std::string::npos) {
      // Root reads everything: the run is made as a user of no rights.
      RunProcess({"/bin/chown", "-R", "65534:65534", home.Path()});
      as = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
    }
    struct stat before {
    }, after{};
    lstat(File().c_str(), &before);
    const ProcessResult r = Probe({"get-array", "HighScores", "3", "--", "set-int", "_TimePerWord",
                                   "5", "--", "add-totals", "HighScores", "3", "300", "--",
                                   "get-int", "_TimePerWord", "--", "get-array", "HighScores", "3"},
                                  as);
    EXPECT_EQ(r.status, 0) << "124 is a run that hung";
    EXPECT_EQ(r.out, "0 0 0 \n5\n300 0 0 \n");
    EXPECT_EQ(Lines(r.err), 1) << r.err;
    EXPECT_NE(r.err.find("Unable to read preferences file " + File()), std::string::npos) << r.err;
    lstat(File().c_str(), &after);
    EXPECT_TRUE(before.st_ino == after.st_ino && before.st_mode == after.st_mode &&
                before.st_size == after.st_size && before.st_mtim.tv_sec == after.st_mtim.tv_sec &&
                before.st_mtim.tv_nsec == after.st_mtim.tv_nsec)
        << "the file was replaced or changed";
    if (S_ISREG(before.st_mode)) {
      chmod(File().c_str(), 0600);
      EXPECT_EQ(ReadFile(File()), original);
    }
  }
}

// Running copies keep each other's keys, and four copies finishing games at once, while more
// start and read, keep every total; nothing is left in the folder but the file and its lock.
TEST_F(SettingsStore, RunningCopiesKeepEachOthersChanges) {
  PreferenceStore first(File()), second(File());
  first.SetInt("FromFirst", 1);
  second.SetInt("FromSecond", 2);
  first.SetInt("FromFirst", 3);
  EXPECT_EQ(first.GetInt("FromSecond"), 2);
  EXPECT_EQ(second.GetInt("FromFirst"), 3);

  const int kCopies = 4, kTotals = 500;
  std::string script = "p=$0\n", expected;
  for (int copy = 0; copy < kCopies; ++copy) {
    script += "\"$p\" add-totals Totals " + std::to_string(kTotals);
    for (int t = copy + 1; t <= kTotals; t += kCopies) script += " " + std::to_string(t);
    script += " &\n";
  }
  script += "for i in $(seq 40); do \"$p\" get-int X >/dev/null; done\nwait\n";
  const ProcessResult r =
      RunProcess({"/bin/sh", "-c", script, QM_PREFS_PROBE}, {"XDG_CONFIG_HOME=" + home.Path()});
  EXPECT_EQ(r.err, "");
  for (int t = kTotals; t >= 1; --t) expected += std::to_string(t) + " ";
  EXPECT_EQ(Out({"get-array", "Totals", std::to_string(kTotals)}), expected + "\n");
  EXPECT_EQ(Names(Folder()).size(), 2u) << "preferences.ini and its lock";
}

// A write killed half-way leaves its temporary file; the next run removes such files, and only
// those.
TEST_F(SettingsStore, LeftoversOfKilledWritesAreRemovedAtStart) {
  Store("[Quillmere]\n_TimePerWord=9\n");
  for (const char* name :
       {"preferences.ini.Ab12Cd", "preferences.ini.zZ09yY", "preferences.ini.corrupt.Qw3Er4"})
    WriteFile(Folder() + "/" + name, "[Quillm");
  const std::set<std::string> kept = {"preferences.ini.corrupt", "preferences.ini.Ab12C",
                                      "preferences.ini.Ab12Cd7", "preferences.ini.bak",
                                      "notes.ini.Ab12Cd"};
  for (const std::string& name : kept) WriteFile(Folder() + "/" + name, "kept");
  mkdir((Folder() + "/preferences.ini.Dir123").c_str(), 0700);  // like a leftover, but no file

  const ProcessResult r = Probe({"get-int", "_TimePerWord"});
  EXPECT_EQ(r.out, "9\n");
  EXPECT_EQ(r.err, "");
  std::set<std::string> expected = kept;
  expected.insert({"preferences.ini", "preferences.ini.lock", "preferences.ini.Dir123"});
  EXPECT_EQ(Names(Folder()), expected);
}

TEST_F(SettingsStore, AStringIsCutToTheCallersBuffer) {
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
}

}  // namespace
