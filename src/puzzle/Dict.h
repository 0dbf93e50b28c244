// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

class DictNodePool;

// One node of the letter trie: a flag for "the path here spells a word" and a child per letter.
class DictNode {
 public:
  DictNode();
  // Destroys the children that this node allocated itself; nodes from a pool belong to it.
  ~DictNode();
  DictNode(const DictNode&) = delete;
  DictNode& operator=(const DictNode&) = delete;

  // Adds the word below this node; new nodes come from the pool when one is given.
  void AddValid(const char* word, DictNodePool* pool = nullptr);
  bool IsValid(const char* word) const;

  bool m_fValid;
  DictNode* m_apChild[26];
};

// Nodes handed out in large blocks and released all at once: loading a word list builds
// hundreds of thousands of nodes, and one allocation each would dominate the loading time.
class DictNodePool {
 public:
  DictNodePool() = default;
  ~DictNodePool();
  DictNodePool(const DictNodePool&) = delete;
  DictNodePool& operator=(const DictNodePool&) = delete;

  DictNode* New();
  size_t Count() const { return m_nUsed; }

 private:
  static constexpr size_t m_kBlockBytes = size_t{8} << 20;
  static constexpr size_t m_kBlockNodes = m_kBlockBytes / sizeof(DictNode);
  std::vector<DictNode*> m_aBlock;
  size_t m_nFreeInBlock = 0;
  size_t m_nUsed = 0;
};

// The dictionary: is this string of letters a word? Built once from the word list.
class Dict {
 public:
  // Loads the word list of that file name from the "Dict" resource folder; a list that cannot
  // be found or read leaves the dictionary empty.
  explicit Dict(const char* fileName);
  ~Dict();
  Dict(const Dict&) = delete;
  Dict& operator=(const Dict&) = delete;

  void AddValid(const char* word);
  bool IsValid(const char* word) const;

  // Reads the words of a list file; used by the constructor and by tests on files of their own.
  void LoadFile(const char* path);
  size_t NodeCount() const { return m_pool.Count(); }
  size_t WordCount() const { return m_nWords; }

 private:
  DictNodePool m_pool;
  DictNode* m_pRoot;
  size_t m_nWords = 0;
};
