#pragma once
// The facade between the object model (engine/) and a format reader. Each engine supplies its
// own TConjugator (XML rules or VLX tables) over these bases; the object model talks only to
// TBaseConjugator and its active word, so one set of object classes serves both engines.
// Selection cascades file -> language -> part of speech -> word -> tense: each level is
// selected only when it differs and selecting it resets the levels below.

#include <memory>
#include <string>
#include <vector>

namespace flexel {

class TBaseConjugator;

// Morphological analysis of an inflected form. Neither engine analyses: not implemented, no
// guesses; the state is kept so a client reads back what it wrote.
class TBaseMorpho {
 public:
  virtual ~TBaseMorpho() = default;
  void SetInflection(std::string text) { m_inflection = std::move(text); }
  [[nodiscard]] const std::string& Inflection() const noexcept { return m_inflection; }
  void SetPartOfSpeech(int index) noexcept { m_partOfSpeech = index; }
  [[nodiscard]] int PartOfSpeech() const noexcept { return m_partOfSpeech; }
  void SetLanguageNumber(int number) noexcept { m_languageNumber = number; }
  [[nodiscard]] int LanguageNumber() const noexcept { return m_languageNumber; }
  [[nodiscard]] virtual bool Implemented() const { return m_implemented; }
  // Line 0 is not a guess; guess k is line k + 1.
  [[nodiscard]] virtual std::string GuessesText() const { return {}; }
  [[nodiscard]] virtual std::string GuessName(const std::string& /*line*/) const { return {}; }
  [[nodiscard]] virtual std::string GuessInfo(const std::string& /*line*/) const { return {}; }
  [[nodiscard]] virtual std::string NextWord() const { return {}; }

 protected:
  bool m_implemented = false;

 private:
  int m_partOfSpeech = 0;
  int m_languageNumber = 0;
  std::string m_inflection;
};

// One entry of the active word's tense list as the Inflection object shows it.
struct InflectionEntry {
  std::string idsText;  // tense keys, each followed by "|" (XML) or the line index (VLX)
  int indent = -1;
  std::string name;
  int count = -1;       // 0 heading, 1 tense, -1 no such line
};

// The active word: the word last set, its pattern and its tense list. Tense keys are what a
// Tense object holds: the tense id (XML engine) or the tense line index (VLX engine).
class TBaseverb {
 public:
  virtual ~TBaseverb() = default;

  virtual void SetWord(int languageIndex, int partOfSpeech, const std::string& word) = 0;
  [[nodiscard]] virtual std::string WordName() const = 0;
  [[nodiscard]] virtual std::string WordNameW() = 0;
  // -1 no word, 0 word without pattern, >= 1 the pattern number.
  [[nodiscard]] virtual int ConjugationPattern() const = 0;
  [[nodiscard]] virtual bool Found() const = 0;
  [[nodiscard]] virtual std::string ExtraInfo() const { return m_extraInfo; }

  // The raw tense list: lines each followed by CR LF; empty while the pattern is below 1.
  [[nodiscard]] virtual std::string TensesRaw() = 0;
  [[nodiscard]] virtual int TenseListCount() = 0;
  [[nodiscard]] virtual InflectionEntry Inflection(int line) = 0;
  // Key of entry k of an Inflection's ids text; throws "'%s' is not a valid integer value".
  [[nodiscard]] virtual int TenseKey(const std::string& idsText, int k) = 0;

  [[nodiscard]] virtual int TenseRowCount(int key) = 0;
  [[nodiscard]] virtual int TenseColCount(int key) = 0;
  [[nodiscard]] virtual std::string TenseCell(int key, int row, int column) = 0;
  [[nodiscard]] virtual std::string TenseCellHTML(int key, int row, int column) = 0;
  [[nodiscard]] virtual std::string TenseTableHTML(int key) = 0;

  // XML engine only (the VLX type library has no such members).
  [[nodiscard]] virtual bool HasPage() { return false; }
  [[nodiscard]] virtual std::string PageHTML() { return {}; }

  // Lines "word<TAB>display"; creating a SameTypes collection clears them.
  std::vector<std::string>& SameTypeWords() noexcept { return m_sameTypes; }
  // Lines "kind<TAB>word<TAB>display<TAB>meaning<TAB>meaning display".
  std::vector<std::string>& RelatedWords() noexcept { return m_relatedWords; }

 protected:
  std::vector<std::string> m_sameTypes;
  std::vector<std::string> m_relatedWords;
  std::string m_extraInfo;
};

class TBaseConjugator {
 public:
  explicit TBaseConjugator(std::string dataDirectory)
      : m_dataDirectory(std::move(dataDirectory)) {}
  virtual ~TBaseConjugator() = default;
  TBaseConjugator(const TBaseConjugator&) = delete;
  TBaseConjugator& operator=(const TBaseConjugator&) = delete;

  [[nodiscard]] const std::string& DataDirectory() const noexcept { return m_dataDirectory; }
  // The HTML directory as set (with its trailing "/"); empty means the default.
  void SetHtmlDirectory(std::string dir) { m_htmlDirectory = std::move(dir); }
  // The set directory, else the sibling folder "html/" of the data directory.
  [[nodiscard]] std::string HtmlDirectory() const;

  // Files and languages. A missing file gives no languages and no error; a file the reader
  // rejects throws with the reader's message.
  virtual void OpenLanguageFile(const std::string& path) = 0;
  [[nodiscard]] int LanguageCount() const noexcept { return static_cast<int>(m_languageIndex.size()); }
  // Throws ListIndexError for an index outside the list.
  virtual void SelectLanguage(int index) = 0;
  [[nodiscard]] int CurrentLanguage() const noexcept { return m_currentLanguage; }
  [[nodiscard]] virtual int FindLanguageByCode(const std::string& code) = 0;

  [[nodiscard]] virtual std::string LanguageName() = 0;
  [[nodiscard]] virtual std::string LanguageCode() = 0;
  [[nodiscard]] virtual std::string LanguageFamily() = 0;
  [[nodiscard]] virtual std::string LanguageSummary() = 0;
  // The language's information page; may write its pictures into the HTML directory.
  [[nodiscard]] virtual std::string LanguageInfoHTML() = 0;
  // copyright TAB name TAB e-mail TAB web.
  [[nodiscard]] virtual std::string CreatorText() = 0;
  // Book lines of nine TAB-separated fields, joined by line breaks.
  [[nodiscard]] virtual std::string BooksText() = 0;
  [[nodiscard]] virtual int CountryCount() = 0;
  // Throws ListIndexError where the engine's list does (XML).
  [[nodiscard]] virtual std::string CountryName(int index) = 0;
  // The encoded picture file (GIF, JPEG, PNG or BMP) of type "flag"; empty when none.
  [[nodiscard]] virtual std::string FlagPicture() { return {}; }
  // Latest of the language and file dates as an OLE date (XML engine only).
  [[nodiscard]] virtual double LanguageDate();

  // Parts of speech and word lists; word index n counts from 0.
  [[nodiscard]] virtual int PartOfSpeechCount() = 0;
  [[nodiscard]] virtual std::string PartOfSpeechName(int index) = 0;
  [[nodiscard]] virtual bool PartOfSpeechHeuristic(int index) = 0;
  [[nodiscard]] virtual int WordCount(int partOfSpeech) = 0;
  [[nodiscard]] virtual std::string WordText(int partOfSpeech, int n) = 0;
  // The pattern of word n: Word.ty is its absolute value, Word.IsCommon whether it is > 0.
  [[nodiscard]] virtual int WordType(int partOfSpeech, int n) = 0;
  // The word as shown: native form + " (" + display form + ")" when they differ.
  [[nodiscard]] virtual std::string WordDisplay(const std::string& word) = 0;
  // ActiveWord.VerbExists for the text last written to Name.
  [[nodiscard]] virtual bool VerbExists(const std::string& name) = 0;

  [[nodiscard]] virtual TBaseverb& ActiveWord() = 0;
  [[nodiscard]] virtual TBaseMorpho& Morphology() = 0;

 protected:
  std::vector<std::string> m_languageIndex;
  int m_currentLanguage = -1;
  int m_currentPartOfSpeech = 0;

 private:
  std::string m_dataDirectory;
  std::string m_htmlDirectory;
};

}  // namespace flexel
