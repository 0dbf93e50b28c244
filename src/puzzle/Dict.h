// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <future>
#include <string>
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

// Nodes handed out from large blocks and released all at once: loading a word list builds
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
  void AddBlock();

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
  // When the list of the second constructor starts loading: at once, or at StartLoading.
  enum class Load { kNow, kOnStart };
  // The same list, read on another thread at low priority: the constructor returns at once,
  // and whatever asks the dictionary anything first waits until the list is in (starting the
  // load if need be). whenLoaded then runs on that thread, on the complete dictionary (not
  // after a cancelled load).
  Dict(const char* fileName, std::function<void(const Dict&)> whenLoaded, Load when = Load::kNow);
  // Cancels a load that is still running and waits for its thread.
  ~Dict();
  Dict(const Dict&) = delete;
  Dict& operator=(const Dict&) = delete;

  void AddValid(const char* word);
  bool IsValid(const char* word) const;

  // Reads the words of a list file; tests use it on files of their own.
  void LoadFile(const char* path);
  size_t NodeCount() const;
  size_t WordCount() const;
  // Starts a load that was held back for this call; nothing once it has started.
  void StartLoading() const;
  // Returns once a load that has started has ended and its whenLoaded has run; at once when
  // none has started, so that a list nobody asked for is never read.
  void WaitUntilLoaded() const;

 private:
  void LoadInBackground();
  void AwaitWords() const;
  void ReadList(const char* path);

  DictNodePool m_pool;
  DictNode* m_pRoot;
  size_t m_nWords = 0;
  // The load held back until StartLoading, or the first question, asks for it.
  std::string m_strPath;
  std::function<void(const Dict&)> m_whenLoaded;
  mutable std::future<void> m_loading;
  std::atomic<bool> m_fLoaded{true};
  std::atomic<bool> m_fCancel{false};
};
