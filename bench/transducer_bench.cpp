#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/flexel_transducer.h"

namespace {

const std::vector<std::string> kGroups = {"[V]\ta,e,i,o,u,ä,ö,ü", "[E]\tar:o,er:o,ir:o",
                                          "[C]\tb,c,d,f,g,h,j,k,l,m,n,p,r,s,t,v,w,z"};
const char* const kWords[] = {"laufen", "hablar", "comer", "vivir", "schwimmen", "überqueren"};

void Run(benchmark::State& state, const char* pattern, bool alternatives) {
  flexel::TTransducer transducer;
  transducer.SetGroups(kGroups);
  std::string output;
  std::size_t i = 0;
  for (auto _ : state) {
    const char* word = kWords[i++ % std::size(kWords)];
    const bool ok = alternatives ? transducer.MatchAlternatives(pattern, word, output)
                                 : transducer.Match(pattern, word, output);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(output.data());
  }
}

void BM_Literal(benchmark::State& state) { Run(state, "hablar", false); }
void BM_StarRewrite(benchmark::State& state) { Run(state, "*(en:)", false); }
void BM_StarRewriteGroup(benchmark::State& state) { Run(state, "*[(E)]", false); }
void BM_GroupsInWord(benchmark::State& state) { Run(state, "*[C][V][C]?*", false); }
void BM_Alternatives(benchmark::State& state) { Run(state, "*[(E)]|*(en:)|*[V]?", true); }

void BM_BudgetExhausted(benchmark::State& state) {
  flexel::TTransducer transducer;
  const std::string word(60, 'a');
  std::string output;
  for (auto _ : state) {
    benchmark::DoNotOptimize(transducer.Match("*a*a*a*a*a*a*a*a*a*a*a*a*b", word, output));
  }
}

}  // namespace

BENCHMARK(BM_Literal);
BENCHMARK(BM_StarRewrite);
BENCHMARK(BM_StarRewriteGroup);
BENCHMARK(BM_GroupsInWord);
BENCHMARK(BM_Alternatives);
BENCHMARK(BM_BudgetExhausted);
BENCHMARK_MAIN();
