#pragma once
// TCodeTable holds the compiled conjugation code of one part-of-speech group: per conjugation
// pattern the records of its `code` elements, each addressed by (tense id, command letter,
// record number). Records are parsed once when the group is loaded; the text form
// "%d%s%s[%s]{%s}/" of a pattern is what a language author sees in a technical listing.

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace flexel {

struct TCodeRecord {
  int tense = 0;
  char letter = '?';  // 'T' transducer, 'A' add, 'C' clear, 'R' replace, '?' does nothing
  int number = 0;     // running number within the tense, from 1
  std::string mask;   // "1"/"0" per form slot; empty = every slot
  std::string text;   // what stands between the braces

  // The text before the first ">" (a transducer's pattern, a replacement's old text).
  [[nodiscard]] std::string_view Source() const noexcept;
  // The text after the first ">" (added, cleared or new text).
  [[nodiscard]] std::string_view Target() const noexcept;
  // "%d%s%s[%s]{%s}/": tense, letter, "!%.3d" number, mask, text.
  [[nodiscard]] std::string Format() const;
};

class TCodeTable {
 public:
  void Clear() noexcept;

  void Append(int pattern, TCodeRecord record);
  // The first record of the pattern with that key, nullptr when none.
  [[nodiscard]] const TCodeRecord* Find(int pattern, int tense, char letter, int number) const;
  // What Find gives for numbers 1..MaxNumber() and, within a number, the letters in the order
  // given, in that order: the records one tense runs, without a lookup per number and letter.
  [[nodiscard]] std::vector<const TCodeRecord*> TenseRecords(int pattern, int tense,
                                                             std::string_view letters) const;
  // TenseRecords(pattern, tense, "ARCT"), the order the conjugator runs, worked out once per
  // pattern and tense: every form of every word asks for it again.
  [[nodiscard]] const std::vector<const TCodeRecord*>& RunOrder(int pattern, int tense) const;
  // Pattern `child` becomes the records of `parent` followed by its own, tense by tense in
  // the order of tenseIds; mode 'C' lets a child "clear" record drop what came before it in
  // its tense. Records of tenses outside tenseIds are dropped. Other modes do nothing.
  void Inherit(int child, int parent, char mode, const std::vector<int>& tenseIds);

  // The compiled text of a pattern; empty for a pattern without records.
  [[nodiscard]] std::string Text(int pattern) const;
  [[nodiscard]] const std::vector<TCodeRecord>& Records(int pattern) const;
  // One more than the highest pattern number mentioned (0 when none).
  [[nodiscard]] int PatternCount() const noexcept { return m_patternCount; }
  void MentionPattern(int pattern) noexcept;
  // The largest record number of the group: the conjugator tries numbers 1..MaxNumber().
  [[nodiscard]] int MaxNumber() const noexcept { return m_maxNumber; }
  void RaiseMaxNumber(int number) noexcept;

 private:
  struct Pattern {
    std::vector<TCodeRecord> records;
    std::map<std::tuple<int, char, int>, std::size_t> firstByKey;
  };
  static void Index(Pattern& pattern, std::size_t position);

  std::map<int, Pattern> m_patterns;
  // Filled by RunOrder; any change to the records empties it.
  mutable std::map<std::pair<int, int>, std::vector<const TCodeRecord*>> m_runOrder;
  int m_patternCount = 0;
  int m_maxNumber = 0;
};

}  // namespace flexel
