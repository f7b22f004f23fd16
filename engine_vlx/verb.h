#pragma once
// The active word of the VLX engine: the word last set, its pattern (1 once a listed word was
// set) and the file's tense list. Tense keys are tense line indexes; the page of a tense is the
// word's stored page for the line's tense ID, cached one page at a time. The word owns the
// Tvlx reader of the open file.

#include <string>
#include <vector>

#include "common/base_conjugator.h"
#include "common/compileform_unit.h"

namespace flexel::vlx {

class TConjugator;

class TMyVerb final : public TBaseverb {
 public:
  explicit TMyVerb(TConjugator& owner);

  void SetWord(int languageIndex, int partOfSpeech, const std::string& word) override;
  [[nodiscard]] std::string WordName() const override { return m_word; }
  [[nodiscard]] std::string WordNameW() override { return m_word; }
  [[nodiscard]] int ConjugationPattern() const override { return m_pattern; }
  // The VLX format records no "found" state.
  [[nodiscard]] bool Found() const override { return false; }

  [[nodiscard]] std::string TensesRaw() override;
  [[nodiscard]] int TenseListCount() override;
  [[nodiscard]] InflectionEntry Inflection(int line) override;
  // The tense line index written in idsText (the same for every k).
  [[nodiscard]] int TenseKey(const std::string& idsText, int k) override;

  // A VLX page is one HTML text, not a table of cells.
  [[nodiscard]] int TenseRowCount(int /*key*/) override { return 1; }
  [[nodiscard]] int TenseColCount(int /*key*/) override { return 0; }
  [[nodiscard]] std::string TenseCell(int, int, int) override { return {}; }
  [[nodiscard]] std::string TenseCellHTML(int, int, int) override { return {}; }
  // The stored page of tense line key; its pictures are extracted into the HTML folder.
  [[nodiscard]] std::string TenseTableHTML(int key) override;

  // The page of tense line i without picture extraction (cached).
  [[nodiscard]] std::string TensePage(int line);

  [[nodiscard]] const Tvlx& Reader() const noexcept { return m_reader; }
  // A new file: the reader is replaced and the word forgotten.
  void ReplaceReader(Tvlx reader);
  // Another language was selected: no word, no pattern, no cached page.
  void ResetWord();

 private:
  TConjugator& m_owner;
  Tvlx m_reader;
  std::string m_word;
  int m_pattern = -1;
  int m_languageNumber = -1;
  int m_partOfSpeech = -1;
  std::vector<std::string> m_tenseList;
  int m_cachedLine = -1;
  std::string m_cachedPage;
};

}  // namespace flexel::vlx
