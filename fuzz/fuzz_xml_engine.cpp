// The XML engine on a hostile language file: the document is written to a file and opened
// through TConjugator; then every language and part of speech is selected, a few words are set
// and every tense of each is computed and rendered. Readers may refuse with flexel::Error only.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "engine_xml/flexel_conjugator.h"
#include "fuzz/fuzz_support.h"
#include "platform/core/error.h"

namespace {

constexpr int kMaxLanguages = 4;
constexpr int kMaxPartsOfSpeech = 4;
constexpr int kWordsPerPart = 3;
constexpr int kMaxTenseLines = 64;

// Pieces of one request fail on their own, as they do for a client of the object model.
template <typename F>
void Guarded(F&& f) {
  try {
    f();
  } catch (const flexel::Error&) {
  }
}

void ConjugateWord(flexel::TConjugator& conjugator, int language, int part,
                   const std::string& word) {
  auto& verb = static_cast<flexel::TMyVerb&>(conjugator.ActiveWord());
  Guarded([&] { verb.SetWord(language, part, word); });
  Guarded([&] { (void)verb.WordNameW(); });
  Guarded([&] { (void)verb.TensesRaw(); });
  int lines = 0;
  Guarded([&] { lines = verb.TenseListCount(); });
  for (int line = 0; line < lines && line < kMaxTenseLines; ++line) {
    Guarded([&] {
      const flexel::InflectionEntry entry = verb.Inflection(line);
      if (entry.count < 1) return;
      for (int k = 0; k < 8; ++k) {
        int key = 0;
        try {
          key = verb.TenseKey(entry.idsText, k);
        } catch (const flexel::Error&) {
          break;
        }
        Guarded([&] { (void)verb.TenseTableHTML(key); });
        Guarded([&] { (void)verb.TenseCellHTML(key, 0, 1); });
      }
    });
  }
  Guarded([&] { (void)verb.PageHTML(); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path =
      flexel::fuzz::WriteInput("language.xml", flexel::fuzz::AsText(data, size));
  static const std::string html = [] {
    auto folder = flexel::fuzz::TempFolder() / "html";
    std::filesystem::create_directories(folder);
    return folder.string() + "/";
  }();
  flexel::TConjugator conjugator((flexel::fuzz::TempFolder() / "Lexoro5xml").string() + "/");
  conjugator.SetHtmlDirectory(html);
  try {
    conjugator.OpenLanguageFile(path);
  } catch (const flexel::Error&) {
    return 0;
  }
  for (int language = 0; language < conjugator.LanguageCount() && language < kMaxLanguages;
       ++language) {
    try {
      conjugator.SelectLanguage(language);
    } catch (const flexel::Error&) {
      continue;
    }
    Guarded([&] { (void)conjugator.LanguageInfoHTML(); });
    Guarded([&] { (void)conjugator.BooksText(); });
    Guarded([&] { (void)conjugator.FlagPicture(); });
    int parts = 0;
    Guarded([&] { parts = conjugator.PartOfSpeechCount(); });
    for (int part = 0; part < parts && part < kMaxPartsOfSpeech; ++part) {
      int words = 0;
      Guarded([&] { words = conjugator.WordCount(part); });
      for (int n = 0; n < words && n < kWordsPerPart; ++n) {
        std::string word;
        Guarded([&] { word = conjugator.WordText(part, n); });
        Guarded([&] { (void)conjugator.WordDisplay(word); });
        ConjugateWord(conjugator, language, part, word);
      }
      // A word the dictionary may not hold goes through the check rules.
      ConjugateWord(conjugator, language, part, "hablar");
      Guarded([&] { (void)conjugator.VerbExists("hablar"); });
    }
  }
  // Pictures are written into the HTML folder and nowhere else, and only as plain files; they
  // would pile up over a long run.
  for (const auto& entry : std::filesystem::directory_iterator(flexel::fuzz::TempFolder())) {
    const std::string name = entry.path().filename().string();
    if (name != "html" && name != "language.xml" && name != "Lexoro5xml") __builtin_trap();
  }
  for (const auto& entry : std::filesystem::directory_iterator(html)) {
    if (entry.is_directory()) __builtin_trap();
    std::filesystem::remove(entry.path());
  }
  return 0;
}
