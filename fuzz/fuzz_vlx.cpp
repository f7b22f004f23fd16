// The VLX reader and engine on a hostile file: the bytes become a .vlx file that the engine
// opens; every word's pages are read and shown, which extracts their pictures into a private
// HTML folder. Nothing may be written outside that folder.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "engine_vlx/conjugator.h"
#include "fuzz/fuzz_support.h"
#include "platform/core/error.h"

namespace {

constexpr int kMaxWords = 8;
constexpr int kMaxTenseLines = 16;

template <typename F>
void Guarded(F&& f) {
  try {
    f();
  } catch (const flexel::Error&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace fs = std::filesystem;
  const fs::path folder = flexel::fuzz::TempFolder() / "vlx";
  static const bool fresh = [&] {
    fs::create_directories(folder / "html");
    return true;
  }();
  (void)fresh;
  const std::string path =
      flexel::fuzz::WriteInput("vlx/language.vlx", flexel::fuzz::AsText(data, size));
  flexel::vlx::TConjugator engine((folder / "Lexoro5vlx").string() + "/");
  engine.SetHtmlDirectory((folder / "html").string() + "/");
  try {
    engine.OpenLanguageFile(path);
  } catch (const flexel::Error&) {
    return 0;
  }
  for (int language = 0; language < engine.LanguageCount(); ++language) {
    Guarded([&] { engine.SelectLanguage(language); });
    Guarded([&] { (void)engine.LanguageName(); });
    Guarded([&] { (void)engine.LanguageInfoHTML(); });
    Guarded([&] { (void)engine.CreatorText(); });
    const int words = engine.WordCount(0);
    for (int n = 0; n < words && n < kMaxWords; ++n) {
      const std::string word = engine.WordText(0, n);
      auto& verb = engine.ActiveWord();
      Guarded([&] { verb.SetWord(language, 0, word); });
      Guarded([&] { (void)verb.TensesRaw(); });
      const int lines = verb.TenseListCount();
      for (int line = 0; line < lines && line < kMaxTenseLines; ++line) {
        Guarded([&] { (void)verb.TenseTableHTML(line); });
      }
    }
  }
  // Whatever the pictures were named, only the HTML folder and the input may exist.
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != "html" && name != "language.vlx") __builtin_trap();
  }
  for (const auto& entry : fs::directory_iterator(folder / "html")) {
    if (entry.is_directory()) __builtin_trap();
    fs::remove(entry.path());
  }
  return 0;
}
