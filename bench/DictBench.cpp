// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/Resources.h"
#include "puzzle/Dict.h"

namespace {

// The loading figures are medians of several runs, interleaved with the other benchmarks when
// run-bench asks for it, so that a busy moment of the machine does not fall on one of them.
constexpr int kLoadRepetitions = 7;

void BM_LoadWordList(benchmark::State& state) {
  size_t nodes = 0;
  for (auto _ : state) {
    auto dict = std::make_unique<Dict>("enable1.txt");
    nodes = dict->NodeCount();
    benchmark::DoNotOptimize(nodes);
    // Loading is measured; giving the memory back at exit is not.
    state.PauseTiming();
    dict.reset();
    state.ResumeTiming();
  }
  state.counters["nodes"] = static_cast<double>(nodes);
}
BENCHMARK(BM_LoadWordList)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(kLoadRepetitions)
    ->ReportAggregatesOnly(true);

// What loading is measured against: the same words of the same file, read the same way and
// kept in a std::unordered_set<std::string>.
void BM_LoadWordListIntoUnorderedSet(benchmark::State& state) {
  const std::string path = ResourcePath("Dict", "enable1.txt");
  size_t words = 0;
  for (auto _ : state) {
    auto set = std::make_unique<std::unordered_set<std::string>>();
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) {
      state.SkipWithError("no word list");
      break;
    }
    std::string text;
    char chunk[1 << 16];
    size_t n;
    while ((n = fread(chunk, 1, sizeof(chunk), file)) > 0) text.append(chunk, n);
    fclose(file);
    for (size_t start = 0; start < text.size();) {
      size_t eol = text.find('\n', start);
      if (eol == std::string::npos) eol = text.size();
      size_t length = eol - start;
      if (length > 0 && text[start + length - 1] == '\r') --length;
      bool letters =
          length >= 3 && length <= 11 && !isupper(static_cast<unsigned char>(text[start]));
      for (size_t i = 0; letters && i < length; ++i)
        letters = isalpha(static_cast<unsigned char>(text[start + i])) != 0;
      if (letters) set->emplace(text, start, length);
      start = eol + 1;
    }
    words = set->size();
    benchmark::DoNotOptimize(words);
    state.PauseTiming();
    set.reset();
    state.ResumeTiming();
  }
  state.counters["words"] = static_cast<double>(words);
}
BENCHMARK(BM_LoadWordListIntoUnorderedSet)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(kLoadRepetitions)
    ->ReportAggregatesOnly(true);

// 10,000 lookups, half of them words of the list and half the same words with one letter
// changed, in a shuffled order, as a board asks for runs of letters. The dictionary lives only
// while this benchmark runs, so that it never adds to the memory of another one.
void BM_Lookup10000(benchmark::State& state) {
  Dict dict("enable1.txt");
  std::vector<std::string> listed;
  std::ifstream in(std::string(QM_RESOURCE_DIR) + "/Dict/enable1.txt");
  for (std::string line; std::getline(in, line);)
    if (line.size() >= 3 && line.size() <= 11) listed.push_back(line);
  std::mt19937 gen(7);
  std::vector<std::string> queries;
  while (queries.size() < 10000) {
    std::string word = listed[gen() % listed.size()];
    if (queries.size() % 2) word[gen() % word.size()] = static_cast<char>('a' + gen() % 26);
    queries.push_back(word);
  }
  std::shuffle(queries.begin(), queries.end(), gen);
  for (auto _ : state) {
    int found = 0;
    for (const std::string& q : queries) found += dict.IsValid(q.c_str());
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(queries.size()));
  state.counters["ns_per_lookup"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * static_cast<double>(queries.size()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Lookup10000)->Unit(benchmark::kMicrosecond);

}  // namespace
