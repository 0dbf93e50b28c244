// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/Dict.h"

#include <sys/mman.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "platform/Resources.h"

namespace {

// The child slot of every byte: upper and lower case share a letter's slot, anything but the
// 26 letters has none (-1). A table, because tolower's locale look-up dominated loading.
constexpr std::array<int8_t, 256> kSlots = [] {
  std::array<int8_t, 256> slots{};
  for (int c = 0; c < 256; ++c) slots[c] = -1;
  for (int i = 0; i < 26; ++i) slots['a' + i] = slots['A' + i] = static_cast<int8_t>(i);
  return slots;
}();

int SlotOf(char c) {
  return kSlots[static_cast<unsigned char>(c)];
}

bool AllLetters(const char* word) {
  for (const char* p = word; *p; ++p)
    if (SlotOf(*p) < 0) return false;
  return true;
}

}  // namespace

DictNode::DictNode() : m_fValid(false), m_apChild{} {}

DictNode::~DictNode() {
  for (DictNode* child : m_apChild) delete child;
}

void DictNode::AddValid(const char* word, DictNodePool* pool) {
  if (!word || !AllLetters(word)) return;
  DictNode* node = this;
  for (const char* p = word; *p; ++p) {
    DictNode*& child = node->m_apChild[SlotOf(*p)];
    if (!child) child = pool ? pool->New() : new DictNode;
    node = child;
  }
  node->m_fValid = true;
}

bool DictNode::IsValid(const char* word) const {
  const DictNode* node = this;
  for (const char* p = word; *p; ++p) {
    int slot = SlotOf(*p);
    if (slot < 0) return false;
    node = node->m_apChild[slot];
    if (!node) return false;
  }
  return node->m_fValid;
}

DictNodePool::~DictNodePool() {
  // The nodes' destructors are not run: every child pointer in a pooled tree points into the
  // pool, which goes away as a whole.
  for (DictNode* block : m_aBlock) munmap(block, m_kBlockBytes);
}

DictNode* DictNodePool::New() {
  if (m_nFreeInBlock == 0) {
    // The full word list needs about 90 MB of nodes; faulting the pages in one call at a time
    // costs more than building the trie.
    void* block = mmap(nullptr, m_kBlockBytes, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (block == MAP_FAILED) throw std::bad_alloc();
    m_aBlock.push_back(static_cast<DictNode*>(block));
    m_nFreeInBlock = m_kBlockNodes;
  }
  DictNode* slot = m_aBlock.back() + (m_kBlockNodes - m_nFreeInBlock);
  --m_nFreeInBlock;
  ++m_nUsed;
  return new (slot) DictNode;
}

Dict::Dict(const char* fileName) : m_pRoot(m_pool.New()) {
  std::string path = ResourcePath("Dict", fileName);
  if (!path.empty()) LoadFile(path.c_str());
}

Dict::~Dict() = default;

void Dict::AddValid(const char* word) {
  if (!word) return;
  m_pRoot->AddValid(word, &m_pool);
}

bool Dict::IsValid(const char* word) const {
  return word && m_pRoot->IsValid(word);
}

void Dict::LoadFile(const char* path) {
  FILE* file = fopen(path, "rb");
  if (!file) return;
  std::string text;
  char chunk[1 << 16];
  size_t n;
  while ((n = fread(chunk, 1, sizeof(chunk), file)) > 0) text.append(chunk, n);
  fclose(file);

  // Consecutive lines of a sorted list share their beginning: the path of nodes for the common
  // part is kept from the previous word instead of being walked again from the root.
  DictNode* trail[12] = {m_pRoot};
  const char* previous = "";
  size_t previousLength = 0;
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* eol = static_cast<const char*>(memchr(p, '\n', static_cast<size_t>(end - p)));
    if (!eol) eol = end;
    const char* line = p;
    size_t length = static_cast<size_t>(eol - p);
    p = eol + 1;
    // Lists with CR LF line ends are common; the carriage return is no part of the word.
    if (length > 0 && line[length - 1] == '\r') --length;
    if (length < 3 || length > 11 || isupper(static_cast<unsigned char>(line[0]))) continue;
    int slots[11];
    size_t i = 0;
    for (; i < length && (slots[i] = SlotOf(line[i])) >= 0; ++i) {
    }
    if (i < length) continue;

    size_t common = 0;
    while (common < length && common < previousLength &&
           SlotOf(line[common]) == SlotOf(previous[common]))
      ++common;
    for (size_t d = common; d < length; ++d) {
      DictNode*& child = trail[d]->m_apChild[slots[d]];
      if (!child) child = m_pool.New();
      trail[d + 1] = child;
    }
    trail[length]->m_fValid = true;
    previous = line;
    previousLength = length;
    ++m_nWords;
  }
}
