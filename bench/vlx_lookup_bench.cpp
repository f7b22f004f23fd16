// Opening a VLX file of 100,000 words and looking up 10,000 of them (found and not found), and
// reading pages of it.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/vlx_bench_support.h"
#include "common/compileform_unit.h"
#include "constructor/vlx_writer.h"

namespace {

constexpr int kWords = 100000;

const std::string& LargeFile() {
  static const std::string path = [] {
    const auto file = flexel::bench::BenchFolder() / "large.vlx";
    flexel::TVlxWriter writer;
    std::vector<std::string> index;
    for (int w = 0; w < kWords; ++w) {
      index.push_back(flexel::bench::BenchWord(w));
      writer.WritePage(index.back(), "1", {flexel::bench::BenchPage(index.back(), 1)});
    }
    writer.WriteList({}, flexel::kHeaderStream, {"NAME=Large", "SIL=lrg"}, true);
    writer.WriteList({}, flexel::kTensesStream, {"1:Only tense"}, true);
    writer.WriteList({}, flexel::kIndexStream, index, true);
    writer.WriteSizesAndMarker();
    writer.Save(file.string());
    return file.string();
  }();
  return path;
}

void BM_OpenLargeFile(benchmark::State& state) {
  const std::string& path = LargeFile();
  for (auto _ : state) {
    flexel::Tvlx vlx(path);
    benchmark::DoNotOptimize(vlx.WordCount());
  }
}
BENCHMARK(BM_OpenLargeFile)->Unit(benchmark::kMillisecond)->Iterations(3);

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
