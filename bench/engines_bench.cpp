// Whole words through the XML engine, as clients ask for them: every tense of the bundled
// Spanish verbs through TConjugator and through the object model of the registered plug-in
// (late-bound, by name), and a 20,000-word extension opened with its first word conjugated.
// FLEXEL_BENCH_WORDS names a file of words (one a line) to conjugate instead of the first 1,000
// of the dictionary, FLEXEL_BENCH_LANGUAGE another language file (bench/peer.sh uses both).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/flexel_strings.h"
#include "engine_xml/flexel_conjugator.h"
#include "platform/automation/client.h"
#include "platform/registry/registry.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kWords = 1000;
const std::string kSpanish = std::string(FLEXEL_SOURCE_DIR) + "/data/languages/spanish.xml";

fs::path BenchFolder() {
  static const fs::path folder = [] {
    fs::path path = fs::temp_directory_path() / ("flexel_bench_engines_" + std::to_string(::getpid()));
    fs::create_directories(path / "html");
    return path;
  }();
  return folder;
}

std::vector<std::string> WordsOf(flexel::TConjugator& conjugator) {
  std::vector<std::string> words;
  if (const char* list = std::getenv("FLEXEL_BENCH_WORDS"); list && *list) {
    std::ifstream in(list);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty()) words.push_back(line);
    }
    return words;
  }
  for (int n = 0, count = conjugator.WordCount(0); n < count && static_cast<std::size_t>(n) < kWords; ++n) {
    words.push_back(conjugator.WordText(0, n));
  }
  // A dictionary shorter than that is gone through again; every word is conjugated afresh.
  for (std::size_t i = 0; !words.empty() && words.size() < kWords; ++i) words.push_back(words[i]);
  return words;
}

// Tense ids of the word last set, in the order of its tense list.
std::vector<int> TenseIds(flexel::TMyVerb& verb) {
  std::vector<int> ids;
  for (int line = 0, count = verb.TenseListCount(); line < count; ++line) {
    const flexel::InflectionEntry entry = verb.Inflection(line);
    if (entry.count < 1) continue;
    for (int k = 0; !flexel::Field(k, "|", entry.idsText).empty(); ++k) {
      ids.push_back(verb.TenseKey(entry.idsText, k));
    }
  }
  return ids;
}

// Forms of a tense's forms text: rows end in "/", cells are separated by tabs (column 0 is the
// pronoun), alternatives by ";".
std::size_t FormCount(const std::string& forms) {
  std::size_t count = 0;
  for (int row = 0; !flexel::Field(row, "/", forms).empty(); ++row) {
    const std::string cells = flexel::Field(row, "/", forms);
    for (int c = 1; !flexel::Field(c, "\t", cells).empty(); ++c) {
      const std::string cell = flexel::Field(c, "\t", cells);
      for (int k = 0; k < 64; ++k) {
        const std::string alternative = flexel::Field(k, ";", cell);
        if (alternative.empty()) break;
        ++count;
      }
    }
  }
  return count;
}

// The language file: FLEXEL_BENCH_LANGUAGE, else the bundled Spanish.
std::string LanguageFile() {
  const char* file = std::getenv("FLEXEL_BENCH_LANGUAGE");
  return file && *file ? std::string(file) : kSpanish;
}

void SpanishThroughTConjugator(benchmark::State& state, bool render) {
  flexel::TConjugator conjugator((BenchFolder() / "Lexoro5xml").string() + "/");
  conjugator.SetHtmlDirectory((BenchFolder() / "html").string() + "/");
  conjugator.OpenLanguageFile(LanguageFile());
  conjugator.SelectLanguage(0);
  const std::vector<std::string> words = WordsOf(conjugator);
  auto& verb = static_cast<flexel::TMyVerb&>(conjugator.ActiveWord());
  // Counted once beforehand, so the loop below does only what a client does.
  std::size_t formsPerPass = 0;
  for (const std::string& word : words) {
    verb.SetWord(0, 0, word);
    for (int id : TenseIds(verb)) formsPerPass += FormCount(verb.TenseForms(id));
  }
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& word : words) {
      verb.SetWord(0, 0, word);
      for (int id : TenseIds(verb)) {
        bytes += render ? verb.TenseTableHTML(id).size() : verb.TenseForms(id).size();
      }
    }
  }
  if (words.empty() || formsPerPass == 0) state.SkipWithError("no words conjugated");
  benchmark::DoNotOptimize(bytes);
  const double passes = static_cast<double>(state.iterations());
  state.counters["words"] = static_cast<double>(words.size());
  state.counters["per_word"] =
      benchmark::Counter(passes * static_cast<double>(words.size()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["forms_per_s"] =
      benchmark::Counter(passes * static_cast<double>(formsPerPass), benchmark::Counter::kIsRate);
}

void BM_SpanishEveryTense_TConjugator(benchmark::State& state) {
  SpanishThroughTConjugator(state, false);
}
void BM_SpanishEveryTenseRendered_TConjugator(benchmark::State& state) {
  SpanishThroughTConjugator(state, true);
}
BENCHMARK(BM_SpanishEveryTense_TConjugator)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpanishEveryTenseRendered_TConjugator)->Unit(benchmark::kMillisecond);

#ifdef FLEXEL_XML_ENGINE
// The engine registered into a registry folder of this process and created by ProgID; every
// member is called by name. A tense is read as a client reads it: cell by cell (Count,
// ColCount, Col), as the CLI's rows do, or as its whole table (HTML).
void SpanishThroughObjectModel(benchmark::State& state, bool tables) {
  using flexel::automation::Dispatch;
  const fs::path registry = BenchFolder() / "registry";
  fs::create_directories(registry);
  flexel::registry::SetRegistryFolder(registry.string() + "/");
  flexel::automation::RegisterServer(FLEXEL_XML_ENGINE);
  std::vector<std::string> words;
  {
    flexel::TConjugator conjugator("/nowhere/Lexoro5xml/");
    conjugator.OpenLanguageFile(LanguageFile());
    conjugator.SelectLanguage(0);
    words = WordsOf(conjugator);
  }
  Dispatch languages(flexel::automation::CreateObject("Lexoro5xml.Languages"));
  languages.Put("htmldir", (BenchFolder() / "html").string() + "/");
  languages.Put("stringdata", LanguageFile());
  const Dispatch word = languages.Get("Item", {0}).Get("ActiveWord");
  std::size_t cells = 0;
  for (auto _ : state) {
    for (const std::string& text : words) {
      word.Put("partofspeechid", 0);
      word.Put("Name", text);
      const Dispatch inflections = word.Get("TenseNames");
      for (int i = 0, count = inflections.Get("Count").ToInt(); i < count; ++i) {
        const Dispatch tenses = inflections.Get("Item", {i}).Get("Tenses");
        for (int k = 0, n = tenses.Get("Count").ToInt(); k < n; ++k) {
          const Dispatch tense = tenses.Get("Item", {k});
          if (tables) {
            cells += tense.Get("HTML").ToString().size();
            continue;
          }
          const int columns = tense.Get("ColCount").ToInt();
          for (int r = 1, rows = tense.Get("Count").ToInt(); r <= rows; ++r) {
            for (int c = 0; c < columns; ++c) cells += tense.Get("Col", {r, c}).ToString().size();
          }
        }
      }
    }
  }
  benchmark::DoNotOptimize(cells);
  state.counters["words"] = static_cast<double>(words.size());
  state.counters["per_word"] =
      benchmark::Counter(static_cast<double>(state.iterations() * words.size()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  flexel::registry::SetRegistryFolder("");
}

void BM_SpanishEveryTense_ObjectModel(benchmark::State& state) {
  SpanishThroughObjectModel(state, false);
}
void BM_SpanishEveryTenseTable_ObjectModel(benchmark::State& state) {
  SpanishThroughObjectModel(state, true);
}
BENCHMARK(BM_SpanishEveryTense_ObjectModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpanishEveryTenseTable_ObjectModel)->Unit(benchmark::kMillisecond);
#endif

// 20,000 dictionary words of four -ar patterns over the tenses of a Spanish-like language.
std::string GenerateLargeExtension() {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<languages><language>"
      "<info><name>Large</name><code>lrg</code></info><words>"
      "<groups><group id=\"[V]\">a,e,i,o,u</group></groups><verbs published=\"yes\"><tenses>";
  constexpr int kTenses = 16;
  for (int t = 1; t <= kTenses; ++t) {
    xml += "<item id=\"" + std::to_string(t) + "\" forms=\"6\" indent=\"1\">Tense " +
           std::to_string(t) + "</item>";
  }
  xml += "</tenses><rules><check><rule id=\"1\" resulttype=\"1\" replace=\"1\">*{ar:}</rule>"
         "</check></rules><code>";
  for (int pattern = 1; pattern <= 4; ++pattern) {
    for (int t = 1; t <= kTenses; ++t) {
      for (int s = 1; s <= 6; ++s) {
        std::string mask(6, '0');
        mask[s - 1] = '1';
        xml += "<item type=\"" + std::to_string(pattern) + "\" tense=\"" + std::to_string(t) +
               "\" mask=\"" + mask + "\" command=\"add\">p" + std::to_string(s) +
               "%tab%%root%" + std::string(s % 3 + 1, 'o') + "</item>";
      }
      xml += "<item type=\"" + std::to_string(pattern) + "\" tense=\"" + std::to_string(t) +
             "\" mask=\"100000\" command=\"roottransducer\">*[V]{r:rr}|*</item>";
    }
  }
  xml += "</code><items>";
  for (int i = 0; i < 20000; ++i) {
    std::string stem;
    for (int n = i + 26 * 26; n > 0; n /= 26) stem += static_cast<char>('a' + n % 26);
    xml += "<item type=\"" + std::to_string(i % 4 + 1) + "\">" + stem + "ar</item>";
  }
  return xml + "</items></verbs></words></language></languages>\n";
}

const std::string& LargeExtension() {
  static const std::string path = [] {
    const std::string file = (BenchFolder() / "large.xml").string();
    std::ofstream(file, std::ios::binary) << GenerateLargeExtension();
    return file;
  }();
  return path;
}

std::size_t OpenAndConjugateFirst(flexel::TConjugator& conjugator) {
  conjugator.OpenLanguageFile(LargeExtension());
  conjugator.SelectLanguage(0);
  auto& verb = static_cast<flexel::TMyVerb&>(conjugator.ActiveWord());
  verb.SetWord(0, 0, conjugator.WordText(0, 0));
  std::size_t bytes = 0;
  for (int id : TenseIds(verb)) bytes += verb.TenseTableHTML(id).size();
  return bytes;
}

// A new engine object every time: nothing of the file is known beforehand.
void BM_LargeExtensionOpenAndFirstWord_Cold(benchmark::State& state) {
  (void)LargeExtension();
  std::size_t bytes = 0;
  for (auto _ : state) {
    flexel::TConjugator conjugator("/nowhere/Lexoro5xml/");
    bytes += OpenAndConjugateFirst(conjugator);
  }
  if (bytes == 0) state.SkipWithError("the first word did not conjugate");
}
// The same engine object opening the file again, as a client reopening its last file does.
void BM_LargeExtensionOpenAndFirstWord_Warm(benchmark::State& state) {
  flexel::TConjugator conjugator("/nowhere/Lexoro5xml/");
  std::size_t bytes = OpenAndConjugateFirst(conjugator);
  for (auto _ : state) bytes += OpenAndConjugateFirst(conjugator);
  if (bytes == 0) state.SkipWithError("the first word did not conjugate");
}
BENCHMARK(BM_LargeExtensionOpenAndFirstWord_Cold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeExtensionOpenAndFirstWord_Warm)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(BenchFolder(), ignored);
  return 0;
}
