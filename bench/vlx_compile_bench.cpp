// Compiling a generated advanced project of N words x 12 tenses; the time should grow linearly
// with N.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/vlx_bench_support.h"
#include "constructor/compileform_unit.h"
#include "constructor/project_source.h"

namespace {

std::string GeneratedProject(int words) {
  const auto path = flexel::bench::BenchFolder() / ("project" + std::to_string(words) + ".txt");
  if (std::filesystem::exists(path)) return path.string();
  flexel::TProjectSource project;
  project.ResetProject(false, true);
  project.name = "Generated";
  project.sil = "gen";
  for (int t = 1; t <= 12; ++t) project.tenses.push_back({t, "Tense " + std::to_string(t)});
  for (int w = 0; w < words; ++w) {
    flexel::ProjectWord word{flexel::bench::BenchWord(w), {}};
    for (int t = 1; t <= 12; ++t) {
      word.formLines.push_back(std::to_string(t) + ":" + flexel::bench::BenchPage(word.word, t));
    }
    project.words.push_back(std::move(word));
  }
  project.Save(path.string());
  return path.string();
}

void BM_CompileProject(benchmark::State& state) {
  const std::string source = GeneratedProject(static_cast<int>(state.range(0)));
  flexel::TCompileForm compiler(nullptr);
  for (auto _ : state) compiler.CompileProject(source);
  state.SetComplexityN(state.range(0));
  state.counters["pages/s"] = benchmark::Counter(
      static_cast<double>(state.range(0) * 12 * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CompileProject)
    ->Arg(2500)
    ->Arg(5000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(flexel::bench::BenchFolder());
  return 0;
}
