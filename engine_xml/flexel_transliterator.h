#pragma once
// TTransliterator turns the Latin transcription in which a language file writes its forms into
// the script the language is shown in. Each language has two: the display one built from `ime`
// and the native one from `imenative`; a word's imetransducer may first rewrite a form into the
// transcription the native table expects. The loader hands over the table lines, the renderer
// (flexel_render.h) calls Transliterate per alternative. Text is UTF-8, keys are code points.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace flexel {

class TTransliterator {
 public:
  // A table that rewrites its own markers forever must still end: steps per input character.
  static constexpr std::size_t kStepsPerCharacter = 16;

  TTransliterator() = default;
  // Create: keep-unmatched on, then Load.
  TTransliterator(std::vector<std::string> lines, std::string processor);

  // Lines "SOURCE<TAB>VALUE<TAB>PUBLISHED"; lines without a TAB are ignored. VALUE is a run of
  // "\u" + hexadecimal digits, one UTF-16 unit each. Processor "hangul" or "pinyin" adds a
  // post-processing step; anything else none.
  void Load(std::vector<std::string> lines, std::string processor);

  // Throws flexel::Error when the table keeps putting markers back without consuming the text.
  [[nodiscard]] std::string Transliterate(std::string_view text) const;
  // True when Transliterate gives back any valid UTF-8 text without "\" unchanged: no table,
  // no processor, unmatched characters kept.
  [[nodiscard]] bool KeepsPlainText() const noexcept {
    return m_entries.empty() && m_keepUnmatched && m_processor.empty();
  }

  // Off: characters no entry matches become "?".
  void SetKeepUnmatched(bool keep) noexcept { m_keepUnmatched = keep; }
  [[nodiscard]] bool KeepUnmatched() const noexcept { return m_keepUnmatched; }
  [[nodiscard]] const std::string& Processor() const noexcept { return m_processor; }
  [[nodiscard]] const std::vector<std::string>& Lines() const noexcept { return m_lines; }
  // Entry i is Sources()[i], Values()[i], PublishedFlags()[i] (fields 0, 1, 2 of a line).
  [[nodiscard]] const std::vector<std::string>& Sources() const noexcept { return m_sources; }
  [[nodiscard]] const std::vector<std::string>& Values() const noexcept { return m_values; }
  [[nodiscard]] const std::vector<std::string>& PublishedFlags() const noexcept {
    return m_published;
  }

 private:
  struct Entry {
    std::u32string key;
    std::u32string marker;  // "{e}", some other "{...}" or empty
    std::u32string value;   // decoded UTF-16 units, surrogates still apart
  };
  // Keys as a trie, so one step walks the text once instead of the whole table.
  struct Node {
    std::vector<std::pair<char32_t, std::size_t>> children;  // sorted by character
    std::vector<std::size_t> entries;  // entries whose key ends here, in table order
  };

  [[nodiscard]] std::size_t child(std::size_t node, char32_t c) const noexcept;
  void insertKey(std::size_t entry);
  // True when some non-empty key is a prefix of marker + rest.
  [[nodiscard]] bool continues(std::u32string_view marker, std::u32string_view rest) const;
  [[nodiscard]] std::u32string mainLoop(std::u32string_view text) const;

  bool m_keepUnmatched = true;
  std::string m_processor;
  std::vector<std::string> m_lines;
  std::vector<std::string> m_sources;
  std::vector<std::string> m_values;
  std::vector<std::string> m_published;
  std::vector<Entry> m_entries;
  std::vector<Node> m_trie;
};

// Decodes an ime value ("\u0915\u093e") into text; a surrogate pair written as two groups is
// one code point, characters that are not hexadecimal digits count as 0.
[[nodiscard]] std::string DecodeImeValue(std::string_view value);

// The value attribute of an ime entry as a table line holds it: blanks removed and, when it has
// no "\u" at all, "\u" put before every group of four characters.
[[nodiscard]] std::string ImeValueText(std::string_view value);

// Native rendering of one alternative: a leading "\" sends it through the word's imetransducer
// first (Match, no character groups; no transducer or no match gives the empty text), then the
// native table. Throws flexel::Error when the imetransducer runs out of matching steps.
[[nodiscard]] std::string RenderNative(std::string_view alternative, std::string_view imeTransducer,
                                       const TTransliterator& native);

}  // namespace flexel
