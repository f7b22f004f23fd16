// An engine plug-in over an in-memory conjugator, built once as the XML engine and once as the
// VLX engine (FLEXEL_FAKE_VLX), so the frame and the object model are tested as a client meets
// them: by ProgID, late-bound, across the plug-in boundary.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/base_conjugator.h"
#include "common/flexel_strings.h"
#include "engine/server.h"
#include "platform/core/error.h"
#include "platform/imaging/imaging.h"

namespace flexel::fake {

struct FakeLanguage {
  std::string name, code, family;
  std::vector<std::string> countries;
  std::string books;
  bool hasFlag;
  std::string dateError;  // non-empty: reading the date fails with this text
};

const FakeLanguage kLanguages[] = {
    {"Español",
     "SPN",
     "Romance",
     {"Spain", "Mexico", "Peru"},
     "Author A\tTitle A\tPublisher A\t2\tMadrid\t1999\t0\tSerie A\tISBN-A\r\n"
     "Author B\tTitle B\t\t\t\tabc\t0\t\t",
     true,
     ""},
    {"Français", "FRN", "Romance", {"France"}, "", false, "31.02.x"},
    {"Deutsch", "GER", "Germanic", {}, "Autor\tTitel\tVerlag\t1\tBerlin\t2001\t0\t\t", false, ""},
};

const char* const kPartsOfSpeech[] = {"verbs", "nouns"};
const std::vector<std::pair<std::string, int>> kWords[] = {
    {{"hablar", 1}, {"1@ser", -2}, {"2@ser", 3}},
    {{"casa", 0}},
};

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

class FakeConjugator;

class FakeVerb final : public TBaseverb {
 public:
  explicit FakeVerb(FakeConjugator& owner) : m_owner(owner) {}

  void SetWord(int languageIndex, int partOfSpeech, const std::string& word) override;
  std::string WordName() const override { return m_word; }
  std::string WordNameW() override;
  int ConjugationPattern() const override { return m_pattern; }
  bool Found() const override { return m_pattern >= 1; }

  std::string TensesRaw() override {
    std::string raw;
    for (const auto& line : Lines()) raw += line + "\r\n";
    return raw;
  }
  int TenseListCount() override { return static_cast<int>(Lines().size()); }
  InflectionEntry Inflection(int line) override {
    const auto& lines = Lines();
    if (line < 0 || line >= static_cast<int>(lines.size())) return {};
    const std::string& text = lines[static_cast<std::size_t>(line)];
    InflectionEntry entry;
    entry.indent = StrToIntDef(Field(0, "\t", text), -1);
    entry.name = Field(1, "\t", text);
    entry.count = StrToIntDef(Field(2, "\t", text), -1);
    if (entry.count >= 1) entry.idsText = Field(3, "\t", text);
    return entry;
  }
  int TenseKey(const std::string& idsText, int k) override {
    return StrToInt(Field(k, "|", idsText));
  }
  int TenseRowCount(int key) override { return SlashCount(Forms(key)); }
  int TenseColCount(int key) override {
    int most = 0;
    for (int row = 1; row <= TenseRowCount(key); ++row) {
      const std::string cells = SlashItem(Forms(key), row);
      most = std::max(most, static_cast<int>(std::count(cells.begin(), cells.end(), '\t')) + 1);
    }
    return most;
  }
  std::string TenseCell(int key, int row, int column) override {
    return Field(column, "\t", SlashItem(Forms(key), row));
  }
  std::string TenseCellHTML(int key, int row, int column) override {
    return "<span>" + TenseCell(key, row, column) + "</span>";
  }
  std::string TenseTableHTML(int key) override { return "<table>" + Forms(key) + "</table>"; }
  bool HasPage() override { return m_pattern >= 1; }
  std::string PageHTML() override { return "<html>" + m_word + "</html>"; }

  void Reset() {
    m_word.clear();
    m_pattern = -1;
  }
  int setWordCount = 0;

 private:
  const std::vector<std::string>& Lines() const {
    static const std::vector<std::string> none;
    return m_pattern >= 1 ? m_lines : none;
  }
  std::string Forms(int key) const {
    if (m_pattern < 1) return {};
    if (key == 7) return m_word + "o\t" + m_word + "as/" + m_word + "a\t" + m_word + "amos/";
    if (key == 8) return m_word + "é/";
    return {};
  }

  FakeConjugator& m_owner;
  std::string m_word;
  int m_pattern = -1;
  std::vector<std::string> m_lines;
};

class FakeConjugator final : public TBaseConjugator {
 public:
  explicit FakeConjugator(std::string dataDirectory)
      : TBaseConjugator(std::move(dataDirectory)), m_verb(*this) {}

  void OpenLanguageFile(const std::string& path) override {
    m_languageIndex.clear();
    m_currentLanguage = -1;
    m_verb.Reset();
    std::ifstream in(path);
    if (!in) return;
    std::stringstream text;
    text << in.rdbuf();
    if (text.str().rfind("broken", 0) == 0) throw Error(path + ":1: not a language file");
    for (std::size_t i = 0; i < std::size(kLanguages); ++i)
      m_languageIndex.push_back(std::to_string(i));
  }
  void SelectLanguage(int index) override {
    if (index < 0 || index >= LanguageCount()) throw ListIndexError(index);
    if (index == m_currentLanguage) return;
    m_currentLanguage = index;
    m_currentPartOfSpeech = -1;
    m_verb.Reset();
  }
  int FindLanguageByCode(const std::string& code) override {
    for (int i = 0; i < LanguageCount(); ++i) {
      SelectLanguage(i);
      if (Upper(Current().code) == Upper(code)) return i;
    }
    return -1;
  }
  std::string LanguageName() override { return Current().name; }
  std::string LanguageCode() override { return Current().code; }
  std::string LanguageFamily() override { return Current().family; }
  std::string LanguageSummary() override { return "Summary of " + Current().name; }
  std::string LanguageInfoHTML() override { return "<p>" + Current().name + "</p>"; }
  std::string CreatorText() override { return "\tJane Doe\tjane@example.org\thttp://example.org"; }
  std::string BooksText() override { return Current().books; }
  int CountryCount() override { return static_cast<int>(Current().countries.size()); }
  std::string CountryName(int index) override {
    if (index < 0 || index >= CountryCount()) throw ListIndexError(index);
    return Current().countries[static_cast<std::size_t>(index)];
  }
  std::string FlagPicture() override {
    if (!Current().hasFlag) return {};
    imaging::Image image{2, 1, {255, 0, 0, 255, 0, 0, 255, 255}};
    return imaging::EncodePng(image);
  }
  double LanguageDate() override {
    if (!Current().dateError.empty()) throw ConvertError::NotDate(Current().dateError);
    return 43831.5 + CurrentLanguage();
  }

  int PartOfSpeechCount() override { return static_cast<int>(std::size(kPartsOfSpeech)); }
  std::string PartOfSpeechName(int index) override {
    return index >= 0 && index < PartOfSpeechCount() ? kPartsOfSpeech[index] : "";
  }
  bool PartOfSpeechHeuristic(int index) override { return index == 0; }
  int WordCount(int partOfSpeech) override { return static_cast<int>(Words(partOfSpeech).size()); }
  std::string WordText(int partOfSpeech, int n) override {
    const auto& words = Words(partOfSpeech);
    return n >= 0 && n < static_cast<int>(words.size()) ? words[static_cast<std::size_t>(n)].first
                                                        : "";
  }
  int WordType(int partOfSpeech, int n) override {
    const auto& words = Words(partOfSpeech);
    return n >= 0 && n < static_cast<int>(words.size()) ? words[static_cast<std::size_t>(n)].second
                                                        : 0;
  }
  std::string WordDisplay(const std::string& word) override {
    return word == "hablar" ? "HABLAR (hablar)" : word;
  }
  bool VerbExists(const std::string& name) override {
    if (m_verb.Found()) return true;
    for (const auto& [word, type] : Words(m_currentPartOfSpeech))
      if (Upper(word) == Upper(name)) return true;
    return false;
  }
  TBaseverb& ActiveWord() override { return m_verb; }
  TBaseMorpho& Morphology() override { return m_morpho; }

  const FakeLanguage& Current() const {
    if (m_currentLanguage < 0) throw Error("No language selected");
    return kLanguages[m_currentLanguage];
  }
  const std::vector<std::pair<std::string, int>>& Words(int partOfSpeech) {
    static const std::vector<std::pair<std::string, int>> none;
    return partOfSpeech >= 0 && partOfSpeech < 2 ? kWords[partOfSpeech] : none;
  }
  void SelectPartOfSpeech(int index) { m_currentPartOfSpeech = index; }

 private:
  FakeVerb m_verb;
  TBaseMorpho m_morpho;
};

void FakeVerb::SetWord(int languageIndex, int partOfSpeech, const std::string& word) {
  if (word == m_word && m_pattern != -1) return;
  ++setWordCount;
  m_owner.SelectLanguage(languageIndex);
  m_owner.SelectPartOfSpeech(partOfSpeech);
  m_word = word;
  m_pattern = 0;
  m_lines.clear();
  m_relatedWords.clear();
  m_sameTypes.clear();
  for (const auto& [known, type] : m_owner.Words(partOfSpeech))
    if (known == word) m_pattern = std::max(1, type < 0 ? -type : type);
  if (m_pattern >= 1) {
    m_lines = {"0\tIndicative\t0", "1\tPresent\t1\t7|", "1\tPast " + word + "\t1\t8|"};
    m_relatedWords = {"+\tcharlar\tCHARLAR\tto chat\tTO CHAT",
                      "Italiano\tparlare\tPARLARE\tto speak\tTO SPEAK"};
    m_sameTypes = {"cantar\tCANTAR"};
  }
}

std::string FakeVerb::WordNameW() { return m_owner.WordDisplay(m_word); }

std::unique_ptr<TBaseConjugator> Create(const std::string& dataDirectory) {
  return std::make_unique<FakeConjugator>(dataDirectory);
}

#ifdef FLEXEL_FAKE_VLX
const engine::EngineDescriptor kDescriptor = engine::VlxEngine(&Create);
#else
const engine::EngineDescriptor kDescriptor = engine::XmlEngine(&Create);
#endif

}  // namespace flexel::fake

FLEXEL_ENGINE_EXPORTS(flexel::fake::kDescriptor)
