// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzle/Dict.h"

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "core/Log.h"
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

constexpr size_t kHugePage = size_t{2} << 20;

// Whether the kernel backs memory with 2 MiB pages where a program asks for them. In 4 KiB
// pages the trie's 90 MB are 23,000 pages to map and zero, which cost more than building the
// trie; in 2 MiB pages they are 46.
bool HugePagesOnRequest() {
  static const bool on = [] {
    FILE* file = fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r");
    if (!file) return false;
    char line[128] = "";
    const bool offered = fgets(line, sizeof(line), file) && !strstr(line, "[never]");
    fclose(file);
    return offered;
  }();
  return on;
}

// A background load runs below the threads that open the window and build the first frame:
// on a machine with two cores they need both, and the list is not needed before the first word.
constexpr int kLoaderNice = 10;

// How many lines a load reads between two looks at whether it has been cancelled.
constexpr int kLinesPerCancelCheck = 4096;

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

void DictNodePool::AddBlock() {
  void* block = MAP_FAILED;
  if (HugePagesOnRequest()) {
    // Mapped with a huge page to spare and trimmed to a block that starts on a huge page
    // boundary. Its pages come in as the nodes reach them, 2 MiB at a time, so that only what
    // the trie uses is ever zeroed or counted as resident.
    void* raw = mmap(nullptr, m_kBlockBytes + kHugePage, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw != MAP_FAILED) {
      const auto start = reinterpret_cast<uintptr_t>(raw);
      const uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
      const size_t head = aligned - start;
      if (head > 0) munmap(raw, head);
      munmap(reinterpret_cast<void*>(aligned + m_kBlockBytes), kHugePage - head);
      block = reinterpret_cast<void*>(aligned);
      madvise(block, m_kBlockBytes, MADV_HUGEPAGE);
    }
  } else {
    // In 4 KiB pages, faulting them in with one call per block costs far less than one fault
    // per page.
    block = mmap(nullptr, m_kBlockBytes, PROT_READ | PROT_WRITE,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  }
  if (block == MAP_FAILED) throw std::bad_alloc();
  m_aBlock.push_back(static_cast<DictNode*>(block));
  m_nFreeInBlock = m_kBlockNodes;
}

DictNode* DictNodePool::New() {
  if (m_nFreeInBlock == 0) AddBlock();
  DictNode* slot = m_aBlock.back() + (m_kBlockNodes - m_nFreeInBlock);
  --m_nFreeInBlock;
  ++m_nUsed;
  return new (slot) DictNode;
}

Dict::Dict(const char* fileName) : m_pRoot(m_pool.New()) {
  std::string path = ResourcePath("Dict", fileName);
  if (!path.empty()) ReadList(path.c_str());
}

// The path is looked up here rather than on the loading thread: the resource root belongs to
// the main thread, and the exit handlers free it.
Dict::Dict(const char* fileName, std::function<void(const Dict&)> whenLoaded, Load when)
    : m_pRoot(m_pool.New()),
      m_strPath(ResourcePath("Dict", fileName)),
      m_whenLoaded(std::move(whenLoaded)),
      m_fLoaded(false) {
  if (when == Load::kNow) StartLoading();
}

// The thread builds the trie of this dictionary, which is never itself a constant object.
void Dict::StartLoading() const {
  if (m_loading.valid() || m_fLoaded.load(std::memory_order_acquire)) return;
  m_loading = std::async(std::launch::async, &Dict::LoadInBackground, const_cast<Dict*>(this));
}

void Dict::LoadInBackground() {
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kLoaderNice);
  try {
    if (!m_strPath.empty()) ReadList(m_strPath.c_str());
  } catch (const std::bad_alloc&) {
    LogError("Unable to load dictionary file.\n");
  }
  m_fLoaded.store(true, std::memory_order_release);
  if (m_whenLoaded && !m_fCancel.load(std::memory_order_relaxed)) m_whenLoaded(*this);
}

Dict::~Dict() {
  m_fCancel.store(true, std::memory_order_relaxed);
  if (m_loading.valid()) m_loading.wait();
}

void Dict::WaitUntilLoaded() const {
  if (m_loading.valid()) m_loading.wait();
}

// Lookups wait only for the words, not for whenLoaded, which itself looks words up on the
// loading thread once they are in.
void Dict::AwaitWords() const {
  if (m_fLoaded.load(std::memory_order_acquire)) return;
  StartLoading();
  m_loading.wait();
}

void Dict::AddValid(const char* word) {
  if (!word) return;
  AwaitWords();
  m_pRoot->AddValid(word, &m_pool);
}

bool Dict::IsValid(const char* word) const {
  if (!word) return false;
  AwaitWords();
  return m_pRoot->IsValid(word);
}

size_t Dict::NodeCount() const {
  AwaitWords();
  return m_pool.Count();
}

size_t Dict::WordCount() const {
  AwaitWords();
  return m_nWords;
}

void Dict::LoadFile(const char* path) {
  AwaitWords();
  ReadList(path);
}

void Dict::ReadList(const char* path) {
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
  int untilCancelCheck = kLinesPerCancelCheck;
  while (p < end) {
    if (--untilCancelCheck == 0) {
      if (m_fCancel.load(std::memory_order_relaxed)) return;
      untilCancelCheck = kLinesPerCancelCheck;
    }
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
