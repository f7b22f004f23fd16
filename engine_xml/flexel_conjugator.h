#pragma once
// The XML engine's side of the facade: TConjugator selects file, language, part of speech and
// word on one TXMLVerb and answers the object model; TMyVerb is the active word with its tense
// list and its forms cached per tense; TMorpho reports that this engine does not analyse.
// Tense keys are tense ids; word index n counts from 0 (entry n + 1 of the word list, whose
// entry 0 is empty).

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/base_conjugator.h"
#include "engine_xml/flexel_render.h"
#include "engine_xml/flexel_xmlverb.h"

namespace flexel {

class TConjugator;

class TMorpho final : public TBaseMorpho {};

class TMyVerb final : public TBaseverb {
 public:
  TMyVerb(TConjugator& owner, TXMLVerb& reader) : m_owner(owner), m_reader(reader) {}

  void SetWord(int languageIndex, int partOfSpeech, const std::string& word) override;
  [[nodiscard]] std::string WordName() const override { return m_word; }
  [[nodiscard]] std::string WordNameW() override;
  [[nodiscard]] int ConjugationPattern() const override { return m_pattern; }
  [[nodiscard]] bool Found() const override { return m_pattern >= 1 && m_found; }

  [[nodiscard]] std::string TensesRaw() override;
  [[nodiscard]] int TenseListCount() override;
  [[nodiscard]] InflectionEntry Inflection(int line) override;
  [[nodiscard]] int TenseKey(const std::string& idsText, int k) override;

  [[nodiscard]] int TenseRowCount(int key) override;
  [[nodiscard]] int TenseColCount(int key) override;
  [[nodiscard]] std::string TenseCell(int key, int row, int column) override;
  [[nodiscard]] std::string TenseCellHTML(int key, int row, int column) override;
  [[nodiscard]] std::string TenseTableHTML(int key) override;
  [[nodiscard]] bool HasPage() override;
  [[nodiscard]] std::string PageHTML() override;

  // The forms text of the tense, computed once per word and tense.
  [[nodiscard]] const std::string& TenseForms(int tenseId);
  // Lines "indent<TAB>name<TAB>0" and "indent<TAB>name<TAB>1<TAB>id|"; empty below pattern 1.
  [[nodiscard]] const std::vector<std::string>& TenseLines() const;
  // A new language was selected: no word, and the same text may be set again.
  void Reset();

 private:
  // Puts the reader back on this word's part of speech and lookup.
  void EnsureCurrent();
  // Built once per word: every cell of every tense is shown through it.
  [[nodiscard]] const CellRendering& Rendering();

  TConjugator& m_owner;
  TXMLVerb& m_reader;
  bool m_hasWord = false;
  std::string m_word;
  int m_languageIndex = -1;
  int m_partOfSpeech = -1;
  int m_pattern = -1;
  bool m_found = false;
  std::vector<std::string> m_tenseLines;
  std::vector<InflectionEntry> m_inflections;  // m_tenseLines read once
  std::map<int, std::string> m_forms;
  TLookupState m_lookup;
  std::optional<CellRendering> m_rendering;
  unsigned long m_generation = 0;
};

class TConjugator final : public TBaseConjugator {
 public:
  explicit TConjugator(std::string dataDirectory);
  ~TConjugator() override;

  void OpenLanguageFile(const std::string& path) override;
  void SelectLanguage(int index) override;
  [[nodiscard]] int FindLanguageByCode(const std::string& code) override;

  [[nodiscard]] std::string LanguageName() override;
  [[nodiscard]] std::string LanguageCode() override;
  [[nodiscard]] std::string LanguageFamily() override;
  [[nodiscard]] std::string LanguageSummary() override;
  [[nodiscard]] std::string LanguageInfoHTML() override;
  [[nodiscard]] std::string CreatorText() override;
  [[nodiscard]] std::string BooksText() override;
  [[nodiscard]] int CountryCount() override;
  [[nodiscard]] std::string CountryName(int index) override;
  [[nodiscard]] std::string FlagPicture() override;
  [[nodiscard]] double LanguageDate() override;

  [[nodiscard]] int PartOfSpeechCount() override;
  [[nodiscard]] std::string PartOfSpeechName(int index) override;
  [[nodiscard]] bool PartOfSpeechHeuristic(int index) override;
  [[nodiscard]] int WordCount(int partOfSpeech) override;
  [[nodiscard]] std::string WordText(int partOfSpeech, int n) override;
  [[nodiscard]] int WordType(int partOfSpeech, int n) override;
  [[nodiscard]] std::string WordDisplay(const std::string& word) override;
  [[nodiscard]] bool VerbExists(const std::string& name) override;

  [[nodiscard]] TBaseverb& ActiveWord() override { return *m_verb; }
  [[nodiscard]] TBaseMorpho& Morphology() override { return m_morpho; }

  // Loads the published group at index (an index out of range gives an empty group) and
  // rebuilds the word list; nothing happens when it is current already.
  void SelectPartOfSpeech(int index);
  [[nodiscard]] int CurrentPartOfSpeech() const noexcept { return m_currentPartOfSpeech; }
  [[nodiscard]] int CurrentLanguageNumber() const noexcept { return m_currentLanguageNumber; }
  // Entry 0 empty, then the words of the current part of speech.
  [[nodiscard]] const std::vector<std::string>& WordList() const noexcept { return m_wordList; }
  // Who decides between homonyms; without one the first is taken.
  void SetHomonymChooser(THomonymChooser chooser);
  [[nodiscard]] TXMLVerb& Reader() noexcept { return *m_reader; }

 private:
  [[nodiscard]] bool HasLanguage() const noexcept;
  [[nodiscard]] std::string ExtraInfo(const std::string& name) const;

  std::unique_ptr<TXMLVerb> m_reader;
  std::unique_ptr<TMyVerb> m_verb;
  TMorpho m_morpho;
  std::vector<std::string> m_wordList;
  int m_currentLanguageNumber = -1;
};

}  // namespace flexel
