// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "puzzle/Dict.h"
#include "support/TestSupport.h"

namespace {

const std::string kDictDir = std::string(QM_RESOURCE_DIR) + "/Dict";

TEST(WordList, TheShippedListIsSortedLowerCaseAndPassesTheSelfTest) {
  std::ifstream in(kDictDir + "/enable1.txt");
  ASSERT_TRUE(in.good());
  std::string line, previous;
  size_t count = 0;
  while (std::getline(in, line)) {
    ASSERT_FALSE(line.empty());
    for (char c : line) ASSERT_TRUE(c >= 'a' && c <= 'z') << line;
    ASSERT_LT(previous, line);  // sorted and unique
    previous = line;
    ++count;
  }
  EXPECT_GT(count, 100000u);
  EXPECT_NE(ReadFile(kDictDir + "/SCOWL-COPYRIGHT").find("Copyright"), std::string::npos);

  Dict dict("enable1.txt");
  for (const char* word : {"catacombs", "plucky", "reviewer", "cat", "quill", "mere"})
    EXPECT_TRUE(dict.IsValid(word)) << word;
  for (const char* word : {"bampf", "chjrowr", "llambbast", "qzx"})
    EXPECT_FALSE(dict.IsValid(word)) << word;
}

}  // namespace
