#pragma once
// The VLX engine's facade: the object model served from a VLX file, whose header, tense list,
// word index and per-word pages the constructor wrote. Nothing is computed; one language, one
// part of speech "Verbs", every listed word with pattern 1. Pictures that a shown page
// references are copied from the file into the HTML folder.

#include <string>

#include "common/base_conjugator.h"
#include "engine_vlx/morpho.h"
#include "engine_vlx/verb.h"

namespace flexel::vlx {

class TConjugator final : public TBaseConjugator {
 public:
  explicit TConjugator(std::string dataDirectory);

  // A missing file, or one that is not a VLX file, gives no language.
  void OpenLanguageFile(const std::string& path) override;
  void SelectLanguage(int index) override;
  [[nodiscard]] int FindLanguageByCode(const std::string& code) override;

  [[nodiscard]] std::string LanguageName() override;
  [[nodiscard]] std::string LanguageCode() override;
  [[nodiscard]] std::string LanguageFamily() override;
  [[nodiscard]] std::string LanguageSummary() override;
  [[nodiscard]] std::string LanguageInfoHTML() override;
  [[nodiscard]] std::string CreatorText() override;
  [[nodiscard]] std::string BooksText() override { return {}; }
  [[nodiscard]] int CountryCount() override { return 0; }
  [[nodiscard]] std::string CountryName(int /*index*/) override { return {}; }

  [[nodiscard]] int PartOfSpeechCount() override;
  [[nodiscard]] std::string PartOfSpeechName(int index) override;
  [[nodiscard]] bool PartOfSpeechHeuristic(int /*index*/) override { return false; }
  [[nodiscard]] int WordCount(int partOfSpeech) override;
  [[nodiscard]] std::string WordText(int partOfSpeech, int n) override;
  [[nodiscard]] int WordType(int /*partOfSpeech*/, int /*n*/) override { return -1; }
  [[nodiscard]] std::string WordDisplay(const std::string& word) override { return word; }
  [[nodiscard]] bool VerbExists(const std::string& name) override;

  [[nodiscard]] TBaseverb& ActiveWord() override { return m_verb; }
  [[nodiscard]] TBaseMorpho& Morphology() override { return m_morpho; }

  [[nodiscard]] const Tvlx& Reader() const noexcept { return m_verb.Reader(); }
  // Copies every picture that html references (IMG or EMBED, SRC="name") from the file's
  // "_images" into the HTML folder. A name that is not a plain file name, a missing picture or
  // a file that cannot be written is skipped.
  void ExtractPictures(const std::string& html);

 private:
  // A header value, empty when the file says "?" (not given).
  [[nodiscard]] std::string given(std::string_view key) const;

  TMyVerb m_verb;
  TMorpho m_morpho;
};

}  // namespace flexel::vlx
