// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "puzzle/Dict.h"
#include "support/TestSupport.h"

namespace {

TEST(Dict, FilterAndCaseFoldingOnARealList) {
  TempDir dir;
  WriteFile(dir.File("list.txt"),
            "catacombs\nab\nabc\nPluto\nmcDonald\nabcdefghijk\nabcdefghijkl\n\nreviewer\n"
            "it's\nr2d2\nnaïve\ntab\there\n  spaced\nlast");
  Dict dict("no-such-list.txt");
  dict.LoadFile(dir.File("list.txt").c_str());
  EXPECT_TRUE(dict.IsValid("catacombs"));
  EXPECT_TRUE(dict.IsValid("CATACOMBS"));
  EXPECT_TRUE(dict.IsValid("CaTaCoMbS"));
  EXPECT_FALSE(dict.IsValid("catacomb"));  // a prefix of a word is no word
  EXPECT_FALSE(dict.IsValid("ab"));
  EXPECT_TRUE(dict.IsValid("abc"));
  EXPECT_FALSE(dict.IsValid("pluto"));  // capitalised entries are names
  EXPECT_TRUE(dict.IsValid("mcdonald"));
  EXPECT_TRUE(dict.IsValid("MCDONALD"));
  EXPECT_TRUE(dict.IsValid("abcdefghijk"));
  EXPECT_FALSE(dict.IsValid("abcdefghijkl"));
  EXPECT_TRUE(dict.IsValid("last"));  // the last line needs no line feed
  EXPECT_FALSE(dict.IsValid(""));
  // Lines holding anything but letters are skipped, and such lookups answer false.
  EXPECT_FALSE(dict.IsValid("it's"));
  EXPECT_FALSE(dict.IsValid("its"));
  EXPECT_FALSE(dict.IsValid("r2d2"));
  EXPECT_FALSE(dict.IsValid("rd"));
  EXPECT_FALSE(dict.IsValid("tab\there"));
  EXPECT_FALSE(dict.IsValid("spaced"));
  EXPECT_FALSE(dict.IsValid("naïve"));
  EXPECT_FALSE(
      dict.IsValid("na\xff"
                   "ve"));
  EXPECT_EQ(dict.WordCount(), 6u);
}

TEST(Dict, CarriageReturnsRandomBytesAndMissingFiles) {
  TempDir dir;
  WriteFile(dir.File("crlf.txt"), "plucky\r\nreviewer\r\nzz\r\nbampfs\r");
  Dict crlf("no-such-list.txt");
  crlf.LoadFile(dir.File("crlf.txt").c_str());
  EXPECT_TRUE(crlf.IsValid("plucky"));
  EXPECT_TRUE(crlf.IsValid("reviewer"));
  EXPECT_TRUE(crlf.IsValid("bampfs"));
  EXPECT_FALSE(crlf.IsValid("plucky\r"));
  EXPECT_FALSE(crlf.IsValid("zz"));

  std::mt19937 gen(42);
  std::string bytes(1 << 16, '\0');
  for (char& c : bytes) c = static_cast<char>(gen() & 0xFF);
  WriteFile(dir.File("random.bin"), bytes);
  Dict noise("no-such-list.txt");
  noise.LoadFile(dir.File("random.bin").c_str());
  // Whatever random lines happen to be letters may be words; nothing else can be.
  EXPECT_FALSE(noise.IsValid("\xff\xfe\xfd"));
  EXPECT_FALSE(noise.IsValid("\x01\x02\x03"));

  Dict missing("no-such-list.txt");
  EXPECT_FALSE(missing.IsValid("catacombs"));
  missing.LoadFile(dir.File("absent.txt").c_str());
  EXPECT_EQ(missing.WordCount(), 0u);
  Dict escaping("../../../etc/passwd");
  EXPECT_EQ(escaping.WordCount(), 0u);

  // Words added by hand work as list words do.
  missing.AddValid("Tile");
  EXPECT_TRUE(missing.IsValid("TILE"));
  missing.AddValid("ti'le");
  EXPECT_FALSE(missing.IsValid("ti'le"));
}

// The loader keeps the path of the previous word; a list in any order must still give the same
// trie. The shipped list, shuffled, against the same list in its sorted order.
TEST(Dict, AnUnsortedListLoadsTheSameWordsAsTheSortedOne) {
  const std::string sortedPath = std::string(QM_RESOURCE_DIR) + "/Dict/enable1.txt";
  std::vector<std::string> lines;
  std::istringstream in(ReadFile(sortedPath));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_GT(lines.size(), 100000u);
  std::vector<std::string> shuffled = lines;
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(11));
  TempDir dir;
  std::string text;
  for (const std::string& line : shuffled) text += line + "\n";
  WriteFile(dir.File("shuffled.txt"), text);

  Dict sorted("no-such-list.txt");
  sorted.LoadFile(sortedPath.c_str());
  Dict unsorted("no-such-list.txt");
  unsorted.LoadFile(dir.File("shuffled.txt").c_str());
  EXPECT_EQ(unsorted.WordCount(), sorted.WordCount());
  EXPECT_EQ(unsorted.NodeCount(), sorted.NodeCount());
  size_t differ = 0;
  for (std::string word : lines) {
    differ += sorted.IsValid(word.c_str()) != unsorted.IsValid(word.c_str());
    if (!word.empty()) word.pop_back();  // mostly no word, sometimes one
    differ += sorted.IsValid(word.c_str()) != unsorted.IsValid(word.c_str());
  }
  EXPECT_EQ(differ, 0u);
  EXPECT_TRUE(unsorted.IsValid("catacombs"));
}

// A list read on another thread: the first lookup waits for it, whenLoaded sees it whole, and a
// dictionary destroyed while it loads stops the load.
TEST(Dict, ABackgroundLoadAnswersAsALoadInPlaceDoes) {
  Dict inPlace("enable1.txt");
  size_t seenWords = 0;
  bool seenPlucky = false;
  Dict background("enable1.txt", [&](const Dict& dict) {
    seenWords = dict.WordCount();
    seenPlucky = dict.IsValid("plucky");
  });
  EXPECT_TRUE(background.IsValid("catacombs"));
  EXPECT_FALSE(background.IsValid("bampf"));
  background.WaitUntilLoaded();
  EXPECT_EQ(seenWords, inPlace.WordCount());
  EXPECT_TRUE(seenPlucky);
  EXPECT_EQ(background.NodeCount(), inPlace.NodeCount());

  bool ranForMissing = false;
  Dict missing("no-such-list.txt",
               [&](const Dict& dict) { ranForMissing = dict.WordCount() == 0; });
  EXPECT_FALSE(missing.IsValid("catacombs"));
  missing.WaitUntilLoaded();
  EXPECT_TRUE(ranForMissing);

  // A list held back is not read until it is started or asked.
  bool ranForHeld = false;
  Dict held(
      "enable1.txt", [&](const Dict&) { ranForHeld = true; }, Dict::Load::kOnStart);
  held.WaitUntilLoaded();
  EXPECT_FALSE(ranForHeld);
  EXPECT_TRUE(held.IsValid("plucky"));
  held.WaitUntilLoaded();
  EXPECT_TRUE(ranForHeld);

  for (int i = 0; i < 3; ++i) Dict cancelled("enable1.txt", [](const Dict&) {});
}

TEST(DictNode, AStandaloneTreeOwnsItsChildren) {
  DictNode* root = new DictNode;
  root->AddValid("stone");
  root->AddValid("stones");
  root->AddValid("sto");
  EXPECT_TRUE(root->IsValid("STONE"));
  EXPECT_TRUE(root->IsValid("sto"));
  EXPECT_FALSE(root->IsValid("ston"));
  delete root;  // the sanitizer build checks that every node goes with it
}

}  // namespace
