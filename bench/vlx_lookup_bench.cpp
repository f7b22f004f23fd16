// Opening a VLX file of 100,000 words and looking up 10,000 of them (found and not found), and
// reading pages of it. The open is timed with one and with twelve pages per word: only the
// header, tense and word lists should count, not the number of pages.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>

#include "bench/vlx_bench_support.h"
#include "common/compileform_unit.h"
#include "constructor/vlx_writer.h"

namespace {

constexpr int kWords = 100000;

// A file of kWords words with pages for tenses 1..pages, made on first use.
const std::string& LargeFile(int pages = 1) {
  static std::map<int, std::string> made;
  if (auto it = made.find(pages); it != made.end()) return it->second;
  const auto file = flexel::bench::BenchFolder() / ("large" + std::to_string(pages) + ".vlx");
  flexel::TVlxWriter writer;
  std::vector<std::string> index;
  std::vector<std::string> tenses;
  for (int t = 1; t <= pages; ++t)
    tenses.push_back(std::to_string(t) + ":Tense " + std::to_string(t));
  for (int w = 0; w < kWords; ++w) {
    index.push_back(flexel::bench::BenchWord(w));
    for (int t = 1; t <= pages; ++t) {
      writer.WritePage(index.back(), std::to_string(t),
                       {flexel::bench::BenchPage(index.back(), t)});
    }
  }
  writer.WriteList({}, flexel::kHeaderStream, {"NAME=Large", "SIL=lrg"}, true);
  writer.WriteList({}, flexel::kTensesStream, tenses, true);
  writer.WriteList({}, flexel::kIndexStream, index, true);
  writer.WriteSizesAndMarker();
  writer.Save(file.string());
  return made.emplace(pages, file.string()).first->second;
}

void BM_OpenLargeFile(benchmark::State& state) {
  const std::string& path = LargeFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    flexel::Tvlx vlx(path);
    benchmark::DoNotOptimize(vlx.WordCount());
  }
}
BENCHMARK(BM_OpenLargeFile)
    ->ArgName("pages")
    ->Arg(1)
    ->Arg(12)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_LookUp10000Words(benchmark::State& state) {
  const flexel::Tvlx vlx(LargeFile());
  for (auto _ : state) {
    int found = 0;
    for (int i = 0; i < 10000; ++i) {
      // Every other word is one of the file's in other letter case, the rest are not in it.
      std::string word = flexel::bench::BenchWord(i * 17 % kWords);
      if (i % 2 == 0) {
        word[0] = 'W';
      } else {
        word += "-";  // no generated word holds a hyphen
      }
      found += vlx.ContainsWord(word) ? 1 : 0;
    }
    if (found != 5000) state.SkipWithError("wrong number of words found");
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_LookUp10000Words)->Unit(benchmark::kMillisecond);

void BM_ReadPage(benchmark::State& state) {
  const flexel::Tvlx vlx(LargeFile());
  int i = 0;
  for (auto _ : state) {
    const std::string page = vlx.PageText(flexel::bench::BenchWord(i++ * 7919 % kWords), 1);
    if (page.empty()) state.SkipWithError("page missing");
    benchmark::DoNotOptimize(page.data());
  }
}
BENCHMARK(BM_ReadPage)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(flexel::bench::BenchFolder());
  return 0;
}
