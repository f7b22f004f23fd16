#include "engine_vlx/verb.h"

#include "engine_vlx/conjugator.h"
#include "platform/core/error.h"

namespace flexel::vlx {

TMyVerb::TMyVerb(TConjugator& owner) : m_owner(owner) {}

void TMyVerb::SetWord(int languageIndex, int partOfSpeech, const std::string& word) {
  if (word == m_word) return;
  m_owner.SelectLanguage(languageIndex);
  m_languageNumber = languageIndex;
  m_partOfSpeech = partOfSpeech;
  // A word that is not listed leaves the pattern as it was; clients ask VerbExists.
  if (m_reader.ContainsWord(word)) m_pattern = 1;
  m_cachedLine = -1;
  m_cachedPage.clear();
  m_tenseList = m_reader.TenseLines();
  m_relatedWords.clear();
  m_extraInfo.clear();
  m_word = word;
}

std::string TMyVerb::TensesRaw() {
  if (m_pattern < 1) return {};
  std::string text;
  for (const auto& line : m_tenseList) text += line + "\r\n";
  return text;
}

int TMyVerb::TenseListCount() { return m_pattern < 1 ? 0 : static_cast<int>(m_tenseList.size()); }

InflectionEntry TMyVerb::Inflection(int line) {
  InflectionEntry entry;
  entry.idsText = std::to_string(line);
  entry.indent = 0;
  entry.name = m_reader.TenseName(line);
  entry.count = 1;
  return entry;
}

int TMyVerb::TenseKey(const std::string& idsText, int /*k*/) { return StrToInt(idsText); }

std::string TMyVerb::TensePage(int line) {
  if (line == m_cachedLine) return m_cachedPage;
  m_cachedPage = m_reader.PageText(m_word, m_reader.TenseID(line));
  m_cachedLine = line;
  return m_cachedPage;
}

std::string TMyVerb::TenseTableHTML(int key) {
  std::string page = TensePage(key);
  m_owner.ExtractPictures(page);
  return page;
}

void TMyVerb::ReplaceReader(Tvlx reader) {
  m_reader = std::move(reader);
  ResetWord();
}

void TMyVerb::ResetWord() {
  // The stored word goes too: otherwise setting the same text again would be taken as "already
  // set" and leave the new language's word without its pattern.
  m_word.clear();
  m_pattern = -1;
  m_languageNumber = -1;
  m_partOfSpeech = -1;
  m_tenseList.clear();
  m_cachedLine = -1;
  m_cachedPage.clear();
  m_relatedWords.clear();
  m_extraInfo.clear();
}

}  // namespace flexel::vlx
