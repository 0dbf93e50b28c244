// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "puzzle/Dict.h"

namespace {

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
BENCHMARK(BM_LoadWordList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// 10,000 lookups, half of them words of the list and half the same words with one letter
// changed, in a shuffled order, as a board asks for runs of letters.
void BM_Lookup10000(benchmark::State& state) {
  static Dict dict("enable1.txt");
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
