#include "engine_xml/flexel_conjugator.h"

#include <filesystem>
#include <system_error>

#include "common/flexel_strings.h"
#include "engine_xml/flexel_transliterator.h"
#include "platform/core/error.h"
#include "platform/nls/nls.h"

namespace flexel {
namespace detail {

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

std::string FirstField(const std::string& line) { return line.substr(0, line.find('\t')); }

}  // namespace detail

// ---- TMyVerb ----

void TMyVerb::Reset() {
  m_hasWord = false;
  m_pattern = -1;
  m_found = false;
  m_tenseLines.clear();
  m_inflections.clear();
  m_forms.clear();
  m_rendering.reset();
  m_relatedWords.clear();
  m_extraInfo.clear();
}

void TMyVerb::SetWord(int languageIndex, int partOfSpeech, const std::string& word) {
  if (m_hasWord && word == m_word) return;
  m_owner.SelectLanguage(languageIndex);
  m_owner.SelectPartOfSpeech(partOfSpeech);
  // Until the lookup succeeds there is no word: a failing lookup leaves nothing stale behind.
  Reset();
  m_languageIndex = languageIndex;
  m_partOfSpeech = partOfSpeech;
  bool found = false;
  const int pattern = m_reader.SetVerb(word, -1, found);
  m_lookup = m_reader.SaveLookup();
  m_generation = m_reader.LookupGeneration();
  m_pattern = pattern;
  m_found = found;
  for (const TTenseListEntry& entry : m_reader.TenseList()) {
    const std::string indent = std::to_string(entry.indent > 0 ? entry.indent : 0);
    if (entry.forms != 0) {
      m_tenseLines.push_back(indent + "\t" + entry.name + "\t1\t" + std::to_string(entry.id) + "|");
    } else {
      m_tenseLines.push_back(indent + "\t" + entry.name + "\t0");
    }
    const std::string& text = m_tenseLines.back();
    InflectionEntry parsed;
    parsed.indent = StrToIntDef(Field(0, "\t", text), -1);
    parsed.name = Field(1, "\t", text);
    parsed.count = StrToIntDef(Field(2, "\t", text), -1);
    parsed.idsText = parsed.count >= 1 ? Field(3, "\t", text) : std::string();
    m_inflections.push_back(std::move(parsed));
  }
  m_word = word;
  m_hasWord = true;
}

void TMyVerb::EnsureCurrent() {
  m_owner.SelectLanguage(m_languageIndex);
  m_owner.SelectPartOfSpeech(m_partOfSpeech);
  if (m_reader.LookupGeneration() != m_generation) {
    m_reader.RestoreLookup(m_lookup);
    m_generation = m_reader.LookupGeneration();
  }
}

const CellRendering& TMyVerb::Rendering() {
  if (!m_rendering) {
    m_rendering = m_reader.HasLanguage()
                      ? TransliteratedRendering(
                            m_reader.Language().display, m_reader.Language().native,
                            m_pattern >= 1 ? m_lookup.record.imeTransducer : std::string())
                      : CellRendering{};
  }
  return *m_rendering;
}

std::string TMyVerb::WordNameW() { return WordDisplayText(m_word, Rendering()); }

const std::vector<std::string>& TMyVerb::TenseLines() const {
  static const std::vector<std::string> kNone;
  return m_pattern >= 1 ? m_tenseLines : kNone;
}

std::string TMyVerb::TensesRaw() {
  std::string text;
  for (const std::string& line : TenseLines()) text += line + "\r\n";
  return text;
}

int TMyVerb::TenseListCount() { return static_cast<int>(TenseLines().size()); }

InflectionEntry TMyVerb::Inflection(int line) {
  if (m_pattern < 1 || line < 0 || line >= static_cast<int>(m_inflections.size())) {
    return InflectionEntry{};
  }
  return m_inflections[static_cast<std::size_t>(line)];
}

int TMyVerb::TenseKey(const std::string& idsText, int k) {
  return StrToInt(Field(k, "|", idsText));
}

const std::string& TMyVerb::TenseForms(int tenseId) {
  static const std::string kNone;
  if (m_pattern < 1) return kNone;
  auto cached = m_forms.find(tenseId);
  if (cached != m_forms.end()) return cached->second;
  EnsureCurrent();
  std::string forms = m_reader.ConjugateTense(tenseId, m_word, false);
  return m_forms.emplace(tenseId, std::move(forms)).first->second;
}

int TMyVerb::TenseRowCount(int key) { return flexel::TenseRowCount(TenseForms(key)); }

int TMyVerb::TenseColCount(int key) { return flexel::TenseColCount(TenseForms(key)); }

std::string TMyVerb::TenseCell(int key, int row, int column) {
  const std::string& forms = TenseForms(key);
  return flexel::TenseCell(forms, row, column, Rendering());
}

std::string TMyVerb::TenseCellHTML(int key, int row, int column) {
  const std::string& forms = TenseForms(key);
  return flexel::TenseCellHTML(forms, row, column, Rendering());
}

std::string TMyVerb::TenseTableHTML(int key) {
  const std::string& forms = TenseForms(key);
  return flexel::TenseTableHTML(forms, Rendering());
}

bool TMyVerb::HasPage() {
  if (m_hasWord) EnsureCurrent();
  return !m_reader.Group().HtmlTemplate().empty();
}

std::string TMyVerb::PageHTML() {
  if (m_hasWord) EnsureCurrent();
  const std::string htmlTemplate = m_reader.Group().HtmlTemplate();
  return flexel::PageHTML(htmlTemplate, [this](int tenseId) { return TenseTableHTML(tenseId); });
}

// ---- TConjugator ----

TConjugator::TConjugator(std::string dataDirectory)
    : TBaseConjugator(std::move(dataDirectory)), m_reader(std::make_unique<TXMLVerb>()) {
  m_verb = std::make_unique<TMyVerb>(*this, *m_reader);
}

TConjugator::~TConjugator() = default;

void TConjugator::SetHomonymChooser(THomonymChooser chooser) {
  m_reader->SetHomonymChooser(std::move(chooser));
}

bool TConjugator::HasLanguage() const noexcept {
  return m_currentLanguage >= 0 && m_reader->HasLanguage();
}

void TConjugator::OpenLanguageFile(const std::string& path) {
  m_languageIndex.clear();
  m_currentLanguage = -1;
  m_currentLanguageNumber = -1;
  m_currentPartOfSpeech = -1;
  m_wordList.clear();
  m_verb->Reset();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return;
  m_reader->OpenFile(path);
  for (std::size_t i = 0; i < m_reader->LanguageNames().size(); ++i) {
    m_languageIndex.push_back(std::to_string(i));
  }
}

void TConjugator::SelectLanguage(int index) {
  if (index == m_currentLanguage) return;
  if (index < 0 || index >= LanguageCount()) throw ListIndexError(index);
  const int number = StrToInt(m_languageIndex[index]);
  // The selection changes only once the language has read without error.
  m_reader->SelectLanguageAt(number);
  m_currentLanguage = index;
  m_currentLanguageNumber = number;
  m_currentPartOfSpeech = -1;
  m_wordList.clear();
  m_verb->Reset();
}

int TConjugator::FindLanguageByCode(const std::string& code) {
  const std::string wanted = nls::ToUpper(code);
  for (int i = 0; i < LanguageCount(); ++i) {
    SelectLanguage(i);
    if (nls::ToUpper(LanguageCode()) == wanted) return i;
  }
  return -1;
}

std::string TConjugator::LanguageName() {
  return HasLanguage() ? m_reader->Language().name : std::string();
}

std::string TConjugator::LanguageCode() {
  return HasLanguage() ? m_reader->Language().code : std::string();
}

std::string TConjugator::LanguageFamily() {
  return HasLanguage() ? m_reader->Language().family : std::string();
}

std::string TConjugator::ExtraInfo(const std::string& name) const {
  if (!HasLanguage()) return {};
  for (const std::string& line : m_reader->Language().extraInfo) {
    if (detail::FirstField(line) == name) return Field(1, "\t", line);
  }
  return {};
}

std::string TConjugator::LanguageSummary() {
  std::string summary = ExtraInfo("Summary");
  if (summary.empty()) summary = ExtraInfo("Comments");
  if (!summary.empty()) return summary;
  const std::string fileName = std::filesystem::path(m_reader->FileName()).filename().string();
  return "File \"" + fileName + "\": " + m_reader->FileInfo().description;
}

std::string TConjugator::LanguageInfoHTML() {
  if (!HasLanguage()) return {};
  std::vector<InfoPicture> pictures;
  m_reader->LoadPicture("");
  const int count = m_reader->PictureCount();
  for (int i = 0; i < count; ++i) {
    m_reader->LoadPicture(std::to_string(i));
    if (!m_reader->HasCurrentPicture()) continue;
    const TPicture& picture = m_reader->CurrentPicture();
    pictures.push_back(
        InfoPicture{picture.description, picture.format, m_reader->CurrentPictureBytes()});
  }
  return flexel::LanguageInfoHTML(m_reader->Language().extraInfo, pictures, HtmlDirectory());
}

std::string TConjugator::CreatorText() {
  const TFileInfo& file = m_reader->FileInfo();
  const std::string name = file.firstName.empty() && file.lastName.empty()
                               ? std::string()
                               : file.firstName + " " + file.lastName;
  return "\t" + name + "\t" + file.email + "\t" + file.web;
}

std::string TConjugator::BooksText() {
  if (!HasLanguage()) return {};
  std::vector<std::string> lines;
  for (const std::string& book : m_reader->Language().books) {
    // author, title, publisher, edition, printplace, printyear, language "0", serie, id
    lines.push_back(Field(0, "\t", book) + "\t" + Field(1, "\t", book) + "\t" +
                    Field(2, "\t", book) + "\t" + Field(3, "\t", book) + "\t" +
                    Field(4, "\t", book) + "\t" + Field(5, "\t", book) + "\t0\t" +
                    Field(6, "\t", book) + "\t" + Field(7, "\t", book));
  }
  return detail::JoinCrLf(lines);
}

int TConjugator::CountryCount() {
  return HasLanguage() ? static_cast<int>(m_reader->Language().whereSpoken.size()) : 0;
}

std::string TConjugator::CountryName(int index) {
  if (index < 0 || index >= CountryCount()) throw ListIndexError(index);
  return m_reader->Language().whereSpoken[index];
}

std::string TConjugator::FlagPicture() {
  if (!HasLanguage()) return {};
  m_reader->LoadPicture("flag");
  return m_reader->HasCurrentPicture() ? m_reader->CurrentPictureBytes() : std::string();
}

double TConjugator::LanguageDate() {
  double latest = 0;
  if (HasLanguage()) {
    const TXMLLanguage& language = m_reader->Language();
    if (language.modified) latest = OleDate(*language.modified);
    if (language.created) latest = std::max(latest, OleDate(*language.created));
  }
  const TFileInfo& file = m_reader->FileInfo();
  for (const std::string* text : {&file.modified, &file.created}) {
    const auto date = ParseDate(*text);
    if (!date) throw ConvertError::NotDate(*text);
    latest = std::max(latest, OleDate(*date));
  }
  return latest;
}

int TConjugator::PartOfSpeechCount() {
  return HasLanguage() ? static_cast<int>(m_reader->Language().publishedGroups.size()) : 0;
}

std::string TConjugator::PartOfSpeechName(int index) {
  if (index < 0 || index >= PartOfSpeechCount()) return {};
  return detail::FirstField(m_reader->Language().publishedGroups[index]);
}

void TConjugator::SelectPartOfSpeech(int index) {
  if (index == m_currentPartOfSpeech) return;
  m_reader->SelectGroup(PartOfSpeechName(index));
  m_wordList.assign(1, std::string());
  for (std::string& word : m_reader->WordList(0)) m_wordList.push_back(std::move(word));
  m_currentPartOfSpeech = index;
}

bool TConjugator::PartOfSpeechHeuristic(int index) {
  SelectPartOfSpeech(index);
  return m_reader->Group().Heuristic();
}

int TConjugator::WordCount(int partOfSpeech) {
  m_currentPartOfSpeech = -1;
  SelectPartOfSpeech(partOfSpeech);
  return static_cast<int>(m_wordList.size()) - 1;
}

std::string TConjugator::WordText(int partOfSpeech, int n) {
  SelectPartOfSpeech(partOfSpeech);
  if (n < 0 || n + 1 >= static_cast<int>(m_wordList.size())) return {};
  return m_wordList[n + 1];
}

int TConjugator::WordType(int partOfSpeech, int n) {
  SelectPartOfSpeech(partOfSpeech);
  if (n < 0 || n + 1 >= static_cast<int>(m_wordList.size())) return 0;
  bool found = false;
  // Addressed by position, so homonyms answer without a chooser.
  return m_reader->SetVerb(m_wordList[n + 1], n, found);
}

std::string TConjugator::WordDisplay(const std::string& word) {
  if (!HasLanguage()) return word;
  return WordDisplayText(
      word, TransliteratedRendering(m_reader->Language().display, m_reader->Language().native, ""));
}

bool TConjugator::VerbExists(const std::string& name) {
  if (m_verb->Found()) return true;
  for (std::size_t i = 1; i < m_wordList.size(); ++i) {
    if (nls::EqualText(m_wordList[i], name)) return true;
  }
  return false;
}

}  // namespace flexel
