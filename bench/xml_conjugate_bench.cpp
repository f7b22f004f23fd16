// Every tense of 1,000 words of a generated 20-tense language, conjugated through TConjugator
// as the object model does it: set the word, then compute (and render) each tense.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine_xml/flexel_conjugator.h"

namespace {

constexpr int kTenses = 20;
constexpr int kForms = 6;
constexpr int kWords = 1000;

std::string WordStem(int i) {
  std::string stem;
  for (int n = i + 26 * 26; n > 0; n /= 26) stem += static_cast<char>('a' + n % 26);
  return stem;
}

// Two patterns (-ar and -er verbs) with pronouns, endings, a stem change and a root transducer
// in every tense, like a real language file.
std::string GenerateLanguage() {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<languages><language>"
      "<info><name>Bench</name><code>ben</code></info><words>"
      "<groups><group id=\"[V]\">a,e,i,o,u</group></groups>"
      "<verbs published=\"yes\"><tenses>";
  for (int t = 1; t <= kTenses; ++t) {
    xml += "<item id=\"" + std::to_string(t) + "\" forms=\"" + std::to_string(kForms) +
           "\" indent=\"1\">Tense " + std::to_string(t) + "</item>";
  }
  xml +=
      "</tenses><rules><check>"
      "<rule id=\"1\" resulttype=\"1\" replace=\"1\">*{ar:}</rule>"
      "<rule id=\"2\" resulttype=\"2\" replace=\"1\">*{er:}</rule>"
      "</check></rules><code>";
  for (int pattern = 1; pattern <= 2; ++pattern) {
    for (int t = 1; t <= kTenses; ++t) {
      auto record = [&](const std::string& mask, const std::string& command,
                        const std::string& text) {
        xml += "<item type=\"" + std::to_string(pattern) + "\" tense=\"" + std::to_string(t) +
               "\" mask=\"" + mask + "\" command=\"" + command + "\">" + text + "</item>";
      };
      for (int s = 1; s <= kForms; ++s) {
        std::string mask(kForms, '0');
        mask[s - 1] = '1';
        record(mask, "add", "p" + std::to_string(s) + "%tab%%root%");
      }
      for (int s = 1; s <= kForms; ++s) {
        std::string mask(s, '0');
        mask[s - 1] = '1';
        record(mask, "add", (pattern == 1 ? "a" : "e") + std::string(s % 3 + 1, 'o') + "*");
      }
      record("010010", "replace", "o&gt;u");
      record("100000", "roottransducer", "*[V]{r:rr}|*");
      record("", "add", ";%root[1]%+");
    }
  }
  xml += "</code><items>";
  for (int i = 0; i < kWords; ++i) {
    const bool ar = i % 2 == 0;
    xml += "<item type=\"" + std::string(ar ? "1" : "2") + "\">" + WordStem(i) +
           (ar ? "ar" : "er") + "</item>";
  }
  xml += "</items></verbs></words></language></languages>\n";
  return xml;
}

class LanguageFile {
 public:
  LanguageFile() {
    m_path = (std::filesystem::temp_directory_path() /
              ("flexel_xml_bench_" + std::to_string(::getpid()) + ".xml"))
                 .string();
    std::ofstream(m_path) << GenerateLanguage();
  }
  ~LanguageFile() { std::filesystem::remove(m_path); }
  const std::string& path() const { return m_path; }

 private:
  std::string m_path;
};

void Conjugate(benchmark::State& state, bool render) {
  LanguageFile file;
  flexel::TConjugator conjugator("/nonexistent/Lexoro5xml/");
  conjugator.OpenLanguageFile(file.path());
  conjugator.SelectLanguage(0);
  std::vector<std::string> words;
  for (int n = 0, count = conjugator.WordCount(0); n < count; ++n) {
    words.push_back(conjugator.WordText(0, n));
  }
  if (words.size() != kWords) {
    state.SkipWithError("the generated language did not load");
    return;
  }
  auto& verb = static_cast<flexel::TMyVerb&>(conjugator.ActiveWord());
  verb.SetWord(0, 0, words.front());
  if (flexel::TenseRowCount(verb.TenseForms(kTenses)) != kForms) {
    state.SkipWithError("the generated language does not conjugate");
    return;
  }
  std::size_t conjugated = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& word : words) {
      verb.SetWord(0, 0, word);
      for (int t = 1; t <= kTenses; ++t) {
        bytes += render ? verb.TenseTableHTML(t).size() : verb.TenseForms(t).size();
      }
      ++conjugated;
    }
  }
  benchmark::DoNotOptimize(bytes);
  state.counters["per_word"] = benchmark::Counter(
      static_cast<double>(conjugated), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ConjugateEveryTense(benchmark::State& state) { Conjugate(state, false); }
void BM_ConjugateAndRenderEveryTense(benchmark::State& state) { Conjugate(state, true); }

BENCHMARK(BM_ConjugateEveryTense)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConjugateAndRenderEveryTense)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
